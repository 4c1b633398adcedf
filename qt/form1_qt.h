#pragma once
// The main window on Qt: the window itself (title, icon, green client area, menu bar) with the
// widgets of its controls (qt/rendu.h), each change the model makes mirrored at once, and what
// the user does handed to the model's one entry.
#include <QMainWindow>
#include <QPointer>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "qt/apropos_qt.h"
#include "qt/rendu.h"

class QAction;

namespace zor::qt {

class Form1Qt : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1Qt(app::Form1& modele, QWidget* parent = nullptr);
  // The about box goes with the window, should it still be open.
  ~Form1Qt() override;

  app::Form1& modele() { return modele_; }
  // The widget of a control of the model; the menu bar's action of a menu entry.
  QWidget* widget(const Controle& controle) { return widgets_.widget(controle); }
  QAction* action(const Controle& entree) const;
  QWidget* client() const { return client_; }
  FrmAboutQt* boiteAPropos() const { return apropos_.data(); }
  // Pixels for a length in twips at this screen's logical resolution.
  int px(int twips) const { return pixels(twips, logicalDpiX()); }

  // During a transfer: answers the desktop, paints what asks for it and takes the close
  // requests (the model holds them); clicks and keys are dropped before they reach a widget.
  void veiller();
  // Paints what changed at once, then veiller().
  void peindre();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  bool envoyer(const Evenement& evenement) { return modele_.recevoir(evenement); }
  void montrerAPropos(apropos::frmAbout& boite);
  bool focusSurUnControle() const;

  app::Form1& modele_;
  QWidget* client_ = nullptr;
  Widgets widgets_;
  std::vector<std::pair<const Controle*, QAction*>> actions_;
  QPointer<FrmAboutQt> apropos_;
};

}  // namespace zor::qt
