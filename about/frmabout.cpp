#include "about/frmabout.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "about/infos_systeme.h"
#include "platform/messages.h"
#include "platform/polices.h"

namespace zor::apropos {
namespace {

void texteNoir(QWidget* w) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  w->setPalette(pal);
}

}  // namespace

QPixmap imageAPropos() {
  QPixmap image(32, 32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // A hand-held receiver: antenna, body, screen with a route leading to a waypoint flag.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  p.drawRoundedRect(QRectF(20, 1, 3.5, 7), 1, 1);
  p.setPen(QPen(QColor(30, 30, 30), 1));
  p.setBrush(QColor(55, 85, 120));
  p.drawRoundedRect(QRectF(7.5, 5.5, 17, 25), 3, 3);
  p.setBrush(QColor(185, 230, 185));
  p.drawRect(QRectF(10.5, 8.5, 11, 11));
  p.setPen(QPen(QColor(0, 90, 200), 1.2, Qt::DotLine));
  p.drawPolyline(QPolygonF({QPointF(12, 18), QPointF(15, 14.5), QPointF(17.5, 15.5), QPointF(19.5, 11.5)}));
  p.setPen(QPen(QColor(60, 30, 0), 1));
  p.drawLine(QPointF(19.5, 11.5), QPointF(19.5, 9.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 0, 0));
  p.drawPolygon(QPolygonF({QPointF(19.5, 9.5), QPointF(21.5, 10.3), QPointF(19.5, 11.1)}));
  p.setBrush(QColor(230, 230, 230));
  for (double x : {11.5, 15.0, 18.5}) p.drawEllipse(QRectF(x, 22.5, 2.5, 2.5));
  p.drawRoundedRect(QRectF(12, 26.5, 8, 2), 1, 1);
  p.end();
  return image;
}

frmAbout::frmAbout(platform::Repondeur messages, platform::Lanceur lanceur)
    : QDialog(nullptr), messages_(std::move(messages)), lanceur_(std::move(lanceur)) {
  setObjectName(QStringLiteral("frmAbout"));
  // A tool window stays out of the task bar; fixed border, no minimise or maximise button.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // Tool windows do not keep the program alive by default; this one must, when the main
  // window was closed while it stayed open.
  setAttribute(Qt::WA_QuitOnClose, true);
  setAttribute(Qt::WA_DeleteOnClose, true);
  setModal(false);
  setWindowIcon(QIcon(imageAPropos()));
  setFont(platform::policeMsSansSerif());

  auto placer = [this](QWidget* w, const char* nom, int gauche, int haut, int largeur, int hauteur) {
    w->setObjectName(QLatin1String(nom));
    w->setGeometry(px(gauche), px(haut), px(largeur), px(hauteur));
  };
  auto etiquette = [&](const char* nom, const QString& texte, int g, int h, int l, int ht) {
    auto* e = new QLabel(texte, this);
    e->setTextFormat(Qt::PlainText);
    e->setWordWrap(true);
    e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placer(e, nom, g, h, l, ht);
    return e;
  };

  // Created in tab order, so the focus chain follows it.
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  placer(cmdOK, "cmdOK", 4245, 2625, 1260, 345);
  cmdOK->setDefault(true);

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(imageAPropos());
  picIcon->move(px(240), px(240));
  picIcon->resize(picIcon->pixmap().deviceIndependentSize().toSize());

  cmdSysInfo = new QPushButton(QStringLiteral("&Infos système..."), this);
  placer(cmdSysInfo, "cmdSysInfo", 4260, 3075, 1245, 345);

  lblDescription = etiquette(
      "lblDescription",
      QStringLiteral("Cette application permet d'injecter un profil de carte ou des waypoints dans un ZOR FX312 4X4 "
                     "à partir d'un fichier format ZOR (*.txt), ou G7towin (*txt) ou directement issu d'Autoroute "
                     "Express (*axe). Il permet également de recupérer les waypoint du GPS ( en *.txt) pour "
                     "sauvegarde."),
      1050, 1125, 3885, 1170);
  texteNoir(lblDescription);
  lblDisclaimer = etiquette("lblDisclaimer",
                            QStringLiteral("Avertissement: Toutes découvertes de bugs ou demande de modifications "
                                           "doivent être remontées à ") +
                                kAdresseBugs + u'.',
                            255, 2640, 3870, 825);
  texteNoir(lblDisclaimer);
  lblTitle = etiquette("lblTitle", QString(), 1050, 240, 3885, 480);
  texteNoir(lblTitle);
  lblVersion = etiquette("lblVersion", QString(), 1050, 780, 3885, 225);

  Line1[0] = Ligne{QColor(255, 255, 255), 2, 105, 2460, 5654, 2460};
  Line1[1] = Ligne{QColor(128, 128, 128), 1, 90, 2445, 5654, 2445};

  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

  // The client area sits at a fixed place on the screen, whatever the main window's.
  setGeometry(px(2340), px(1935), px(5730), px(3555));
  setFixedSize(px(5730), px(3555));
  cmdOK->setFocus();

  Form_Load();
}

frmAbout::~frmAbout() = default;

int frmAbout::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

void frmAbout::Form_Load() {
  const QString& titre = platform::kTitreApplication;
  setWindowTitle(QStringLiteral("À propos de ") + titre);
  lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(ZOR_VERSION_MAJEURE).arg(ZOR_VERSION_MINEURE).arg(ZOR_VERSION_REVISION));
  lblTitle->setText(titre);
}

void frmAbout::afficher() {
  show();
  raise();
  activateWindow();
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(messages_, lanceur_); }

void frmAbout::reject() {
  if (!decharge_) cmdOK->click();
}

void frmAbout::closeEvent(QCloseEvent* evenement) {
  // Unloading: the window and its controls go away (WA_DeleteOnClose).
  decharge_ = true;
  evenement->accept();
}

void frmAbout::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (const Ligne& l : Line1) {
    const int x1 = px(l.x1);
    const int x2 = px(l.x2);
    p.fillRect(QRect(x1, px(l.y1), x2 - x1, l.epaisseur), l.couleur);
  }
}

}  // namespace zor::apropos
