#pragma once
// The main window on Qt: one widget for each control of the model, each change the model
// makes mirrored at once, and the user's clicks, keys, double clicks and close requests handed
// to the model's handlers.
#include <QMainWindow>
#include <QPointer>
#include <map>

#include "app/form1.h"
#include "qt/apropos_qt.h"

class QAction;

namespace zor::qt {

class FrmAboutQt;

class Form1Qt : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1Qt(app::Form1& modele, QWidget* parent = nullptr);
  ~Form1Qt() override;

  app::Form1& modele() { return modele_; }
  // The widget of a control of the model.
  QWidget* widget(const Controle& controle) const;
  QWidget* client() const { return client_; }
  QAction* menuAPropos() const { return zorfrmabout_; }
  FrmAboutQt* boiteAPropos() const { return apropos_.data(); }
  // Pixels for a length in twips at this screen's logical resolution.
  int px(int twips) const { return pixels(twips, logicalDpiX()); }

  // Answers the desktop and paints what asks for it, without taking any click or key.
  void veiller();
  // Paints what changed at once, then veiller().
  void peindre();
  // Before the message that ends a transfer: a close request waiting in the queue is held.
  void avantMessageDeFin();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void construire(Controle& controle);
  void refleter(const Controle& controle, Propriete propriete);
  void montrerAPropos(apropos::frmAbout& boite);
  bool focusSurUnControle() const;

  app::Form1& modele_;
  QWidget* client_ = nullptr;
  QAction* zorfrmabout_ = nullptr;
  std::map<const Controle*, QWidget*> widgets_;
  QPointer<FrmAboutQt> apropos_;
};

}  // namespace zor::qt
