#include "qt/form1_qt.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

#include "qt/apparence.h"
#include "qt/apropos_qt.h"
#include "qt/cp1252.h"
#include "qt/depot_fichier.h"
#include "qt/polices.h"

namespace zor::qt {
namespace {

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
  setWindowIcon(icone(Image::Fenetre));
  setFont(police({}));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setAutoFillBackground(true);
  QPalette pal = client_->palette();
  pal.setColor(QPalette::Window, couleur(app::kFondFenetre));
  client_->setPalette(pal);
  setCentralWidget(client_);

  const Envoi envoi = [this](const Evenement& e) { return envoyer(e); };
  // The menu bar stays in the window, where the client area's twips start below it, even on a
  // desktop that gathers the programs' menus in its own bar (which the toolkit would otherwise
  // ask the desktop's message bus about first).
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  for (Controle* entree : modele_.menus()) {
    QAction* action = menuBar()->addAction(depuisUtf8(entree->Caption()));
    action->setObjectName(depuisUtf8(entree->nom()));
    connect(action, &QAction::triggered, this, [this, entree] { envoyer(Evenement::clic(*entree)); });
    actions_.emplace_back(entree, action);
  }
  widgets_.construire(modele_.controles(), client_, envoi);
  new DepotFichier(*this, envoi);
  modele_.definirVue({[this](const Controle& c, Propriete p) { widgets_.refleter(c, p); },
                      [this](apropos::frmAbout& boite) { montrerAPropos(boite); }});

  // The cancel button is clicked by Esc anywhere in the window while it is shown. An open
  // drop-down list takes Esc for itself first (qt/listes.cpp).
  auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  echap->setContext(Qt::WindowShortcut);
  connect(echap, &QShortcut::activated, this,
          [this] { envoyer(Evenement::frappe(kToucheEchap, focusSurUnControle())); });

  // SIGINT, SIGTERM and SIGHUP only leave a mark (platform/interruption.h): the loop looks at it
  // ten times a second, a transfer along its waits.
  auto* signaux = new QTimer(this);
  connect(signaux, &QTimer::timeout, this, [this] { modele_.signalRecu(); });
  signaux->start(100);

  client_->installEventFilter(this);
  resize(px(app::kLargeurClient), px(app::kHauteurClient) + menuBar()->sizeHint().height());
}

Form1Qt::~Form1Qt() {
  modele_.definirVue({});
  delete apropos_.data();
}

QAction* Form1Qt::action(const Controle& entree) const {
  for (const auto& [c, a] : actions_)
    if (c == &entree) return a;
  return nullptr;
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
  // Paint, expose, the desktop's "are you alive" pings and its close requests, which the model
  // holds until the transfer is over; the clicks and keys that came meanwhile are swallowed, as
  // the model would drop them (app/form1.h). Left in the queue, they would reach the window at
  // the end of the transfer, on buttons that have changed since, or on the box that ends it.
  // (On X11 the desktop's close request counts as user input for the toolkit: leaving user
  // input in the queue would hold it too.) A deferred delete asked for by the handler itself
  // does not run here: the toolkit runs it only back in the loop that asked for it.
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
  envoyer(Evenement::frappe(texte.at(0).unicode(), false));
}

void Form1Qt::closeEvent(QCloseEvent* evenement) {
  if (envoyer(Evenement::demandeFermeture()))
    evenement->accept();
  else
    evenement->ignore();
}

bool Form1Qt::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == client_ && evenement->type() == QEvent::MouseButtonDblClick) {
    envoyer(Evenement::doubleClic());
    return true;
  }
  return QMainWindow::eventFilter(objet, evenement);
}

}  // namespace zor::qt
