#pragma once
// The about box on Qt: a dialog with one widget for each control of the box's model.
#include <QDialog>

#include "about/frmabout.h"

class QLabel;
class QPushButton;

namespace zor::qt {

class FrmAboutQt : public QDialog {
  Q_OBJECT

 public:
  // No owner: the box outlives the main window until the user closes it too. It goes away by
  // itself once its model unloads.
  explicit FrmAboutQt(apropos::frmAbout& modele);
  ~FrmAboutQt() override;

  apropos::frmAbout& modele() { return modele_; }
  QWidget* widget(const Controle& controle) const;
  // Shows the box modeless, or brings it to the front when it is already shown.
  void afficher();
  int px(int twips) const { return pixels(twips, logicalDpiX()); }

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  // Esc: the cancel button is "OK".
  void reject() override;

 private:
  apropos::frmAbout& modele_;
  std::vector<std::pair<const Controle*, QWidget*>> widgets_;
  bool ferme_ = false;
};

}  // namespace zor::qt
