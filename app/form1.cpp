#include "app/form1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>

#include "app/apparence.h"
#include "app/bouton_image.h"
#include "convert/formats.h"
#include "app/listes.h"
#include "platform/fin_programme.h"
#include "platform/messages.h"
#include "serial/mscomm.h"

namespace zor::app {

namespace {

void peindreFond(QWidget* w, QPalette::ColorRole role, const QColor& couleur) {
  QPalette pal = w->palette();
  pal.setColor(role, couleur);
  w->setPalette(pal);
}

void peindreTexte(QWidget* w, const QColor& couleur) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, couleur);
  pal.setColor(QPalette::ButtonText, couleur);
  pal.setColor(QPalette::Text, couleur);
  w->setPalette(pal);
}

}  // namespace

Form1::Form1(Services services, QWidget* parent) : QMainWindow(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4"));
  setWindowIcon(iconeFenetre());
  setFont(policeMsSansSerif(8.25));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setAutoFillBackground(true);
  peindreFond(client_, QPalette::Window, kFondFenetre);
  setCentralWidget(client_);

  zorfrmabout = menuBar()->addAction(QStringLiteral("A propos"));
  zorfrmabout->setObjectName(QStringLiteral("zorfrmabout"));
  connect(zorfrmabout, &QAction::triggered, this, &Form1::zorfrmabout_Click);

  construireControles();
  construireCommunication();

  ouverture.dialogue = services_.ouverture;
  ouverture.DialogTitle = QStringLiteral("Fichier en entrée");
  ouverture.DefaultExt = QStringLiteral("txt");
  ouverture.Filter = QString::fromStdString(conversion::filtreOuverture());
  ecriture.FileName = QStringLiteral("c:\\$_t_e_m_p");
  ecrizor.FileName = QStringLiteral("c:\\zor.txt");

  resize(px(9465), px(4515) + menuBar()->sizeHint().height());
  platform::definirParentMessages(this);
}

Form1::~Form1() { detruireCommunication(); }

int Form1::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

void Form1::construireControles() {
  auto placer = [this](QWidget* w, const char* nomControle, int gauche, int haut, int largeur, int hauteur) {
    w->setObjectName(QLatin1String(nomControle));
    w->setGeometry(px(gauche), px(haut), px(largeur), px(hauteur));
    // A double click on a control belongs to the control, never to the window's background.
    w->setAttribute(Qt::WA_NoMousePropagation);
  };
  auto etiquette = [&](const char* nomControle, const QString& texte, int g, int h, int l, int ht,
                       QLabel* e = nullptr) {
    if (e == nullptr) e = new QLabel(texte, client_);
    // Labels paint their own background, in the window's colour: where two overlap (the two
    // count captions after a download), the one created later covers the other cleanly.
    e->setAutoFillBackground(true);
    peindreFond(e, QPalette::Window, kFondFenetre);
    e->setTextFormat(Qt::PlainText);
    e->setWordWrap(true);
    e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placer(e, nomControle, g, h, l, ht);
    return e;
  };
  auto boutonImage = [&](const char* nomControle, const QString& texte, const QIcon& icone, int cote,
                         int g, int h, int l, int ht) {
    auto* b = new BoutonImage(client_);
    b->setText(texte);
    b->setIcon(icone);
    b->setIconSize(QSize(cote, cote));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoFillBackground(true);
    peindreFond(b, QPalette::Button, kFondBouton);
    peindreFond(b, QPalette::Window, kFondBouton);
    placer(b, nomControle, g, h, l, ht);
    return b;
  };
  auto option = [&](const char* nomControle, const QString& texte, int g, int h, int l, int ht) {
    auto* o = new QRadioButton(texte, client_);
    o->setBackgroundRole(QPalette::Window);
    o->setAutoFillBackground(true);
    peindreFond(o, QPalette::Window, kFondFenetre);
    peindreTexte(o, kRouge);
    placer(o, nomControle, g, h, l, ht);
    return o;
  };
  auto liste = [&](const char* nomControle, const QStringList& elements, int g, int h, int l, int ht) {
    auto* c = new QComboBox(client_);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is compared as exact text (case included) by the port choice and
    // the type dispatch: no completion may change it, neither while typing nor when the list
    // loses the focus (a case-sensitive completer with nothing to offer keeps it as typed).
    auto* completeur = new QCompleter(QStringList(), c);
    completeur->setCaseSensitivity(Qt::CaseSensitive);
    c->setCompleter(completeur);
    c->addItems(elements);
    c->setCurrentIndex(0);
    fermerListeParEchap(*c);
    placer(c, nomControle, g, h, l, ht);
    return c;
  };

  // Created in tab order, so the focus chain follows it.
  profil = option("profil", QStringLiteral("profil de carte"), 1320, 480, 1335, 495);
  profil->setChecked(true);
  profil->setToolTip(QStringLiteral("Cochez ici pour injecter un profil de carte"));
  waypoint = option("waypoint", QStringLiteral("waypoints"), 1320, 960, 1335, 495);
  waypoint->setToolTip(QStringLiteral("Cochez ici pour injecter des waypoints"));

  zor = etiquette("zor", QStringLiteral("Envoyer ou recevoir des données (Waypoint ou PDC) vers un Gps ZOR"), 120, 120,
                  7215, 375);
  zor->setFont(policeTahoma(9.75, true, true, true));

  ouvrir = boutonImage("ouvrir", QStringLiteral("Rechercher Fichier"), iconeOuvrir(), 16, 7080, 1680, 1815, 615);
  ouvrir->setToolTip(QStringLiteral("pour selectionner un fichier à transmettre au GPS"));
  ecrire = boutonImage("ecrire", QStringLiteral("&Ecrire dans GPS"), iconeEcrire(), 32, 7440, 2520, 1455, 495);
  ecrire->setToolTip(QStringLiteral("Pour ecrire le fichier traité dans le GPS"));

  nombre = etiquette("nombre", QStringLiteral("Nombre d'enregistrements lus :"), 2760, 1200, 3615, 255);
  nombre->setFont(policeMsSansSerif(9.75, true));

  sortie = boutonImage("sortie", QStringLiteral("&Quitter"), iconeSortie(), 16, 7440, 3240, 1335, 615);
  peindreFond(sortie, QPalette::Button, kFondSortie);
  peindreFond(sortie, QPalette::Window, kFondSortie);
  sortie->setToolTip(QStringLiteral("Pour sortir du programme"));

  nombre1 = etiquette("nombre1", QStringLiteral("nombre d'enregistrements écrits dans le GPS  FX312 4x4:"), 120, 3360,
                      6015, 495);
  nombre1->setFont(policeMsSansSerif(9.75, true));

  Comm = liste("Comm", {QStringLiteral("Comm1"), QStringLiteral("Comm2"), QStringLiteral("Comm3"), QStringLiteral("Comm4")},
               4800, 600, 1095, 315);
  peindreFond(Comm, QPalette::Base, kFondComm);
  peindreFond(Comm->lineEdit(), QPalette::Base, kFondComm);
  Comm->setToolTip(QStringLiteral("Choisir le port de communication"));
  // Adapters come and go: the devices are looked up again each time the list opens.
  Comm->view()->installEventFilter(this);

  prtd = etiquette("prtd", QStringLiteral("Port de comm:"), 3480, 720, 1335, 375);
  prtd->setFont(policeMsSansSerif(8.25, true));

  result = etiquette("result", QString(), 6480, 3360, 735, 495);
  result->setFont(policeMsSansSerif(9.75, true));
  peindreTexte(result, kBleu);
  quant1 = etiquette("quant1", QString(), 6480, 1200, 735, 375);
  quant1->setFont(policeMsSansSerif(9.75, true));
  peindreTexte(quant1, kBleu);

  fenetre = new EtiquetteFenetre(client_);
  etiquette("fenetre", QString(), 360, 1800, 45, 195, fenetre);
  fenetre->setWordWrap(false);
  fenetre->setToolTip(QStringLiteral("enregidtrements générés allant être écrits dans le GPS"));

  Label1 = etiquette("Label1", QString(), 720, 720, 495, 375);
  Label1->setFont(policeMsSansSerif(9.75, true));
  {
    QFont f = Label1->font();
    f.setItalic(true);
    f.setUnderline(true);
    Label1->setFont(f);
  }

  lire = boutonImage("lire", QStringLiteral("&Lire du GPS"), iconeLire(), 32, 7440, 600, 1455, 495);
  lire->setToolTip(QStringLiteral("Pour recevoir un fichier du gps (Waypoint )"));

  QStringList types;
  for (const conversion::FormatEntree& f : conversion::formatsEntree()) types << QString::fromStdString(std::string(f.texteListe));
  nom = liste("nom", types, 4440, 1920, 1815, 315);
  montrerTextesEntiers(*nom);

  Typef = etiquette("Typef", QStringLiteral("Format de fichier :"), 2280, 1920, 1935, 375);
  Typef->setFont(policeMsSansSerif(9.75, true));
  peindreTexte(Typef, kBleu);
  Typef->setToolTip(QStringLiteral("Choisissez le type de fichier"));

  Label2 = etiquette("Label2",
                     QStringLiteral("nombre d'enregistrements lus du GPS  FX312 4x4:  et ecrits dans le fichier c:\\zor.txt"),
                     720, 3360, 5295, 615);
  Label2->setFont(policeMsSansSerif(9.75, true));

  ok = boutonImage("ok", QStringLiteral("Ok"), iconeOk(), 16, 1320, 1440, 1095, 375);
  ok1 = boutonImage("ok1", QStringLiteral("Ok"), iconeOk(), 16, 4800, 1440, 1095, 375);

  for (QWidget* cache : std::initializer_list<QWidget*>{ouvrir, ecrire, nombre, nombre1, Comm, prtd, fenetre, lire, nom,
                                                        Typef, Label2, ok1})
    cache->hide();

  connect(ok, &QToolButton::clicked, this, &Form1::ok_Click);
  connect(ok1, &QToolButton::clicked, this, &Form1::ok1_Click);
  connect(sortie, &QToolButton::clicked, this, &Form1::sortie_Click);
  connect(ouvrir, &QToolButton::clicked, this, &Form1::ouvrir_Click);
  connect(ecrire, &QToolButton::clicked, this, &Form1::ecrire_Click);
  connect(lire, &QToolButton::clicked, this, &Form1::lire_Click);

  // `sortie` is the cancel button: Esc anywhere in the window clicks it while it is shown.
  // An open drop-down list takes Esc for itself first (fermerListeParEchap).
  auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  echap->setContext(Qt::WindowShortcut);
  connect(echap, &QShortcut::activated, this, [this] {
    if (sortie->isVisible() && sortie->isEnabled()) {
      sortie->click();
      return;
    }
    QWidget* focus = focusWidget();
    if (focus == nullptr || focus == this || focus == client_) {
      int touche = 27;
      Form_KeyPress(touche);
    }
  });

  client_->installEventFilter(this);
}

void Form1::definirCaption(QLabel* etiquette, const QString& texte) {
  if (etiquette == fenetre) fenetre->setText(texte);
  else etiquette->setText(texte);
}

void Form1::ok_Click() {
  Comm->show();
  prtd->show();
  ok->hide();
  ok1->show();
}

void Form1::ok1_Click() {
  Typef->show();
  nom->show();
  ok1->hide();
  ouvrir->show();
  lire->show();
}

void Form1::sortie_Click() { terminer(); }

void Form1::Form_KeyPress(int& KeyAscii) {
  if (KeyAscii == 27) terminer();
}

void Form1::Form_DblClick() {
  // Both answers end the program; the question is only asked.
  MsgBox(QStringLiteral("êtes-vous sûr de vouloir quitter le programme?"), platform::Boutons::OkCancel,
         platform::Icone::Aucune);
  terminer();
}

// File number 20, the download file, is opened and closed within "Lire du GPS": no download
// is ever left open when the window closes.
void Form1::Form_Unload() {}

platform::Reponse Form1::MsgBox(const QString& texte, platform::Boutons boutons, platform::Icone icone,
                                const QString& titre) {
  return platform::MsgBox(services_.messages, texte, boutons, icone, titre);
}

void Form1::keyPressEvent(QKeyEvent* evenement) {
  // The window gets a key only when no control holds the focus.
  QWidget* focus = focusWidget();
  if (focus != nullptr && focus != this && focus != client_) {
    evenement->ignore();
    return;
  }
  const QString texte = evenement->text();
  if (texte.size() != 1) {
    QMainWindow::keyPressEvent(evenement);
    return;
  }
  int touche = texte.at(0).unicode();
  Form_KeyPress(touche);
}

void Form1::closeEvent(QCloseEvent* evenement) {
  if (enTransfert_) {
    // Closing now would pull the window from under the transfer: it closes once it is over.
    fermetureDemandee_ = true;
    evenement->ignore();
    return;
  }
  Form_Unload();
  evenement->accept();
}

bool Form1::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == client_ && evenement->type() == QEvent::MouseButtonDblClick) {
    Form_DblClick();
    return true;
  }
  if (objet == Comm->view() && evenement->type() == QEvent::Show) decrirePorts();
  return QMainWindow::eventFilter(objet, evenement);
}

}  // namespace zor::app
