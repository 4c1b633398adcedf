#pragma once
// The about box: the program's title and version, what it does, where to report bugs, and a
// button that starts the system's information program for support calls.
#include <QColor>
#include <QDialog>
#include <QPixmap>
#include <array>

#include "platform/lancement.h"
#include "platform/messages.h"

class QLabel;
class QPushButton;

namespace zor::apropos {

// Where users send bug reports; the disclaimer ends with it.
inline const QString kAdresseBugs = QStringLiteral("bugs@zor.example");

// One line of the etched separator: positions in twips, thickness in pixels.
struct Ligne {
  QColor couleur;
  int epaisseur;
  int x1, y1, x2, y2;
};

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  // Creating the box loads it: Form_Load runs. It has no owner, and goes away by itself once
  // unloaded.
  // `messages` shows its one message box (the real boxes unless a test hands in its own).
  explicit frmAbout(platform::Repondeur messages = {}, platform::Lanceur lanceur = {});
  ~frmAbout() override;

  // Controls, in tab order.
  QPushButton* cmdOK = nullptr;
  QLabel* picIcon = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  // The etched separator: [0] the white line, [1] the grey one above it.
  std::array<Ligne, 2> Line1;

  // Shows the box modeless, or brings it to the front when it is already shown.
  void afficher();
  // True once the box was unloaded ("OK", Enter, Esc or its close box): it is on its way out,
  // and the next opening must load a new one.
  bool decharge() const { return decharge_; }

  // Pixels for a length in twips at this screen's logical resolution.
  int px(int twips) const;

  void Form_Load();

 public slots:
  void cmdOK_Click();
  void cmdSysInfo_Click();

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  // Esc: the cancel button is "OK".
  void reject() override;

 private:
  bool decharge_ = false;
  platform::Repondeur messages_;
  platform::Lanceur lanceur_;
};

// The box's 32 × 32 icon, drawn by the program.
QPixmap imageAPropos();

}  // namespace zor::apropos
