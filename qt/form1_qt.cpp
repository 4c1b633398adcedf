#include "qt/form1_qt.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

#include "qt/apparence.h"
#include "qt/apropos_qt.h"
#include "qt/bouton_image.h"
#include "qt/cp1252.h"
#include "qt/etiquette_fenetre.h"
#include "qt/listes.h"
#include "qt/polices.h"

namespace zor::qt {
namespace {

void peindreFond(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(role, c);
  w->setPalette(pal);
}

void peindreTexte(QWidget* w, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, c);
  pal.setColor(QPalette::ButtonText, c);
  pal.setColor(QPalette::Text, c);
  w->setPalette(pal);
}

// Swallows clicks and keys for as long as it is installed.
class SaisieAvalee : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* evenement) override {
    switch (evenement->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

Form1Qt::Form1Qt(app::Form1& modele, QWidget* parent) : QMainWindow(parent), modele_(modele) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(depuisUtf8(app::kTitreForm1));
  setWindowIcon(iconeFenetre());
  setFont(police({}));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setAutoFillBackground(true);
  peindreFond(client_, QPalette::Window, couleur(app::kFondFenetre));
  setCentralWidget(client_);

  zorfrmabout_ = menuBar()->addAction(depuisUtf8(app::kMenuAPropos));
  zorfrmabout_->setObjectName(QStringLiteral("zorfrmabout"));
  connect(zorfrmabout_, &QAction::triggered, this, [this] { modele_.zorfrmabout_Click(); });

  // Made in tab order, so the focus chain follows it.
  for (Controle* c : modele_.controles()) construire(*c);
  modele_.definirVue({[this](const Controle& c, Propriete p) { refleter(c, p); },
                      [this](apropos::frmAbout& boite) { montrerAPropos(boite); }});

  // `sortie` is the cancel button: Esc anywhere in the window clicks it while it is shown.
  // An open drop-down list takes Esc for itself first (fermerListeParEchap).
  auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  echap->setContext(Qt::WindowShortcut);
  connect(echap, &QShortcut::activated, this, [this] { modele_.Echap(focusSurUnControle()); });

  // SIGINT, SIGTERM and SIGHUP only leave a mark (platform/interruption.h): the loop looks at it
  // ten times a second, a transfer along its waits.
  auto* signaux = new QTimer(this);
  connect(signaux, &QTimer::timeout, this, [this] { modele_.signalRecu(); });
  signaux->start(100);

  client_->installEventFilter(this);
  resize(px(app::kLargeurClient), px(app::kHauteurClient) + menuBar()->sizeHint().height());
}

Form1Qt::~Form1Qt() { modele_.definirVue({}); }

QWidget* Form1Qt::widget(const Controle& controle) const {
  const auto it = widgets_.find(&controle);
  return it == widgets_.end() ? nullptr : it->second;
}

void Form1Qt::construire(Controle& c) {
  const Description& d = c.description();
  const QString caption = depuisUtf8(d.caption);
  QWidget* w = nullptr;
  switch (d.genre) {
    case Genre::Option: {
      auto* o = new QRadioButton(caption, client_);
      o->setChecked(c.Value());
      o->setBackgroundRole(QPalette::Window);
      connect(o, &QRadioButton::toggled, this, [&c](bool coche) { c.definirValeurChoisie(coche); });
      w = o;
      break;
    }
    case Genre::Etiquette: {
      if (d.tailleAuTexte) {
        w = new EtiquetteFenetre(c, client_);
      } else {
        auto* e = new QLabel(caption, client_);
        e->setTextFormat(Qt::PlainText);
        e->setWordWrap(d.retourLigne);
        e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = e;
      }
      break;
    }
    case Genre::BoutonImage:
    case Genre::Bouton: {
      auto* b = new BoutonImage(client_);
      b->setText(caption);
      b->setIcon(icone(d.image));
      b->setIconSize(QSize(d.coteImage, d.coteImage));
      b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
      b->setFocusPolicy(Qt::StrongFocus);
      connect(b, &QToolButton::clicked, this, [this, &c] { modele_.Click(c); });
      w = b;
      break;
    }
    case Genre::Liste: {
      auto* l = new QComboBox(client_);
      l->setEditable(true);
      l->setInsertPolicy(QComboBox::NoInsert);
      // What the user types is compared as exact text (case included) by the port choice and
      // the type dispatch: no completion may change it, neither while typing nor when the list
      // loses the focus (a case-sensitive completer with nothing to offer keeps it as typed).
      auto* completeur = new QCompleter(QStringList(), l);
      completeur->setCaseSensitivity(Qt::CaseSensitive);
      l->setCompleter(completeur);
      for (const std::string& element : d.liste) l->addItem(depuisUtf8(element));
      l->setCurrentIndex(0);
      connect(l, &QComboBox::editTextChanged, this, [&c](const QString& texte) { c.definirTexteSaisi(versUtf8(texte)); });
      fermerListeParEchap(*l);
      if (&c == &modele_.Comm) l->view()->installEventFilter(this);  // the list opens: Comm_DropDown
      else montrerTextesEntiers(*l);
      w = l;
      break;
    }
    case Genre::Image:
      w = new QLabel(client_);
      break;
  }
  w->setObjectName(depuisUtf8(d.nom));
  w->setFont(police(d.police));
  // Labels and buttons paint their own background: where two labels overlap (the two count
  // captions after a download), the one made later covers the other cleanly.
  if (d.genre != Genre::Liste) w->setAutoFillBackground(true);
  if (d.fond) {
    const QColor fond = couleur(*d.fond);
    if (d.genre == Genre::Liste) {
      peindreFond(w, QPalette::Base, fond);
      if (auto* l = qobject_cast<QComboBox*>(w); l && l->lineEdit()) peindreFond(l->lineEdit(), QPalette::Base, fond);
    } else {
      peindreFond(w, QPalette::Window, fond);
      peindreFond(w, QPalette::Button, fond);
    }
  }
  if (d.texte) peindreTexte(w, couleur(*d.texte));
  if (!d.infobulle.empty()) w->setToolTip(depuisUtf8(d.infobulle));
  w->setGeometry(px(d.position.gauche), px(d.position.haut), px(d.position.largeur), px(d.position.hauteur));
  if (d.tailleAuTexte) static_cast<EtiquetteFenetre*>(w)->captionRemplacee();
  // A double click on a control belongs to the control, never to the window's background.
  w->setAttribute(Qt::WA_NoMousePropagation);
  w->setVisible(c.Visible());
  widgets_[&c] = w;
}

void Form1Qt::refleter(const Controle& c, Propriete p) {
  QWidget* w = widget(c);
  if (w == nullptr) return;
  switch (p) {
    case Propriete::Visible: w->setVisible(c.Visible()); break;
    case Propriete::Caption:
      if (auto* f = qobject_cast<EtiquetteFenetre*>(w)) f->captionRemplacee();
      else if (auto* e = qobject_cast<QLabel*>(w)) e->setText(depuisUtf8(c.Caption()));
      else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(depuisUtf8(c.Caption()));
      break;
    case Propriete::Ajout:
      if (auto* f = qobject_cast<EtiquetteFenetre*>(w)) f->octetsAjoutes();
      break;
    case Propriete::Texte:
      if (auto* l = qobject_cast<QComboBox*>(w)) l->setEditText(depuisUtf8(c.Text()));
      break;
    case Propriete::Valeur:
      if (auto* o = qobject_cast<QRadioButton*>(w)) o->setChecked(c.Value());
      break;
    case Propriete::Infobulles:
      if (auto* l = qobject_cast<QComboBox*>(w)) {
        const auto& infobulles = c.infobullesListe();
        for (int i = 0; i < l->count() && i < static_cast<int>(infobulles.size()); ++i)
          l->setItemData(i, depuisUtf8(infobulles[static_cast<std::size_t>(i)]), Qt::ToolTipRole);
      }
      break;
  }
}

void Form1Qt::montrerAPropos(apropos::frmAbout& boite) {
  if (apropos_.isNull() || &apropos_->modele() != &boite) apropos_ = new FrmAboutQt(boite);
  apropos_->afficher();
}

bool Form1Qt::focusSurUnControle() const {
  QWidget* focus = focusWidget();
  return focus != nullptr && focus != this && focus != client_;
}

void Form1Qt::peindre() {
  client_->repaint();
  veiller();
}

void Form1Qt::veiller() {
  // Paint, expose and the desktop's "are you alive" pings; no click or key. A deferred delete
  // asked for by the handler itself does not run here either: the toolkit runs it only back in
  // the loop that asked for it.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Form1Qt::avantMessageDeFin() {
  // On X11 the desktop's close request counts as user input, so it waits with the clicks; once
  // the message box that ends the transfer is up, the window is blocked and the toolkit drops
  // close requests to a blocked window. So what waits is taken now, while the transfer still
  // holds a close: the clicks and keys are swallowed (the modal box would keep them from the
  // window anyway), the close request is held and honoured once the handler is over.
  SaisieAvalee filtre;
  QCoreApplication::instance()->installEventFilter(&filtre);
  QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(&filtre);
}

void Form1Qt::keyPressEvent(QKeyEvent* evenement) {
  // The window gets a key only when no control holds the focus.
  if (focusSurUnControle()) {
    evenement->ignore();
    return;
  }
  const QString texte = evenement->text();
  if (texte.size() != 1) {
    QMainWindow::keyPressEvent(evenement);
    return;
  }
  int touche = texte.at(0).unicode();
  modele_.Form_KeyPress(touche);
}

void Form1Qt::closeEvent(QCloseEvent* evenement) {
  if (modele_.demandeFermeture())
    evenement->accept();
  else
    evenement->ignore();
}

bool Form1Qt::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == client_ && evenement->type() == QEvent::MouseButtonDblClick) {
    modele_.Form_DblClick();
    return true;
  }
  if (auto* l = qobject_cast<QComboBox*>(widget(modele_.Comm));
      l != nullptr && objet == l->view() && evenement->type() == QEvent::Show)
    modele_.Comm_DropDown();
  return QMainWindow::eventFilter(objet, evenement);
}

}  // namespace zor::qt
