#include "qt/apropos_qt.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

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

  // Made in tab order, so the focus chain follows it.
  for (Controle* c : modele_.controles()) {
    const Description& d = c->description();
    QWidget* w = nullptr;
    if (d.genre == Genre::Bouton) {
      auto* b = new QPushButton(depuisUtf8(c->Caption()), this);
      if (c == &modele_.cmdOK) {
        b->setDefault(true);
        connect(b, &QPushButton::clicked, this, [this] { modele_.cmdOK_Click(); });
      } else {
        connect(b, &QPushButton::clicked, this, [this] { modele_.cmdSysInfo_Click(); });
      }
      w = b;
    } else if (d.genre == Genre::Image) {
      auto* image = new QLabel(this);
      image->setPixmap(imageAPropos());
      w = image;
    } else {
      auto* e = new QLabel(depuisUtf8(c->Caption()), this);
      e->setTextFormat(Qt::PlainText);
      e->setWordWrap(true);
      e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      if (d.texte) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::WindowText, couleur(*d.texte));
        e->setPalette(pal);
      }
      w = e;
    }
    w->setObjectName(depuisUtf8(d.nom));
    if (d.genre == Genre::Image) {
      // It sizes itself to its picture.
      w->move(px(d.position.gauche), px(d.position.haut));
      w->resize(imageAPropos().deviceIndependentSize().toSize());
    } else {
      w->setGeometry(px(d.position.gauche), px(d.position.haut), px(d.position.largeur), px(d.position.hauteur));
    }
    widgets_.emplace_back(c, w);
  }

  modele_.surDechargement = [this] {
    ferme_ = true;
    close();
  };

  // The client area sits at a fixed place on the screen, whatever the main window's.
  const Rectangle& place = apropos::kPlaceAPropos;
  setGeometry(px(place.gauche), px(place.haut), px(place.largeur), px(place.hauteur));
  setFixedSize(px(place.largeur), px(place.hauteur));
  widget(modele_.cmdOK)->setFocus();
}

FrmAboutQt::~FrmAboutQt() { modele_.surDechargement = nullptr; }

QWidget* FrmAboutQt::widget(const Controle& controle) const {
  for (const auto& [c, w] : widgets_)
    if (c == &controle) return w;
  return nullptr;
}

void FrmAboutQt::afficher() {
  show();
  raise();
  activateWindow();
}

void FrmAboutQt::reject() { modele_.cmdOK_Click(); }

void FrmAboutQt::closeEvent(QCloseEvent* evenement) {
  // The close box unloads the box like "OK"; unloading closes the window and its controls go
  // (WA_DeleteOnClose).
  if (!ferme_) {
    ferme_ = true;
    modele_.fermer();
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
