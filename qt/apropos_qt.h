#pragma once
// The about box on Qt: a fixed dialog at its place on the screen, out of the task bar, with the
// widgets of its controls (qt/rendu.h) and its etched separator; what the user does goes to the
// model's one entry.
#include <QDialog>

#include "about/frmabout.h"
#include "qt/rendu.h"

namespace zor::qt {

class FrmAboutQt : public QDialog {
  Q_OBJECT

 public:
  // No owner: the box outlives the main window until the user closes it too. It goes away by
  // itself once its model unloads.
  explicit FrmAboutQt(apropos::frmAbout& modele);
  ~FrmAboutQt() override;

  apropos::frmAbout& modele() { return modele_; }
  QWidget* widget(const Controle& controle) { return widgets_.widget(controle); }
  // Shows the box modeless, or brings it to the front when it is already shown.
  void afficher();
  int px(int twips) const { return pixels(twips, logicalDpiX()); }

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  // Esc.
  void reject() override;

 private:
  bool envoyer(const Evenement& evenement) { return modele_.recevoir(evenement); }

  apropos::frmAbout& modele_;
  Widgets widgets_;
  bool ferme_ = false;
};

}  // namespace zor::qt
