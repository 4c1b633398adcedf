#include "qt/apropos_qt.h"

#include <QCloseEvent>
#include <QPainter>

#include "qt/apparence.h"
#include "qt/cp1252.h"
#include "qt/polices.h"

namespace zor::qt {

FrmAboutQt::FrmAboutQt(apropos::frmAbout& modele) : QDialog(nullptr), modele_(modele) {
  setObjectName(QStringLiteral("frmAbout"));
  // A tool window stays out of the task bar; fixed border, no minimise or maximise button.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // Tool windows do not keep the program alive by default; this one must, when the main
  // window was closed while it stayed open.
  setAttribute(Qt::WA_QuitOnClose, true);
  setAttribute(Qt::WA_DeleteOnClose, true);
  setModal(false);
  setWindowIcon(icone(Image::APropos));
  setFont(police({}));
  setWindowTitle(depuisUtf8(modele_.Caption));

  widgets_.construire(modele_.controles(), this, [this](const Evenement& e) { return envoyer(e); });
  modele_.definirVue({[this](const Controle& c, Propriete p) { widgets_.refleter(c, p); },
                      [this] {
                        ferme_ = true;
                        close();
                      }});

  // The client area sits at a fixed place on the screen, whatever the main window's.
  const Rectangle& place = apropos::kPlaceAPropos;
  setGeometry(px(place.gauche), px(place.haut), px(place.largeur), px(place.hauteur));
  setFixedSize(px(place.largeur), px(place.hauteur));
  if (QWidget* premier = widgets_.premierFocus()) premier->setFocus();
}

FrmAboutQt::~FrmAboutQt() {
  // An unloaded model calls nothing any more, and the window may be deleted after the main
  // window made a new box in its place.
  if (!ferme_) modele_.definirVue({});
}

void FrmAboutQt::afficher() {
  show();
  raise();
  activateWindow();
}

void FrmAboutQt::reject() { envoyer(Evenement::frappe(kToucheEchap, true)); }

void FrmAboutQt::closeEvent(QCloseEvent* evenement) {
  // The close box unloads the box; unloading closes the window and its controls go
  // (WA_DeleteOnClose).
  if (!ferme_) {
    ferme_ = true;
    envoyer(Evenement::demandeFermeture());
  }
  evenement->accept();
}

void FrmAboutQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (const apropos::Ligne& l : modele_.Line1) {
    const int x1 = px(l.x1);
    const int x2 = px(l.x2);
    p.fillRect(QRect(x1, px(l.y1), x2 - x1, l.epaisseur), couleur(l.couleur));
  }
}

}  // namespace zor::qt
