// The transfers of the window: "&Ecrire dans GPS" (upload), "&Lire du GPS" (download) and the
// end-of-file event of the download's serial control.
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QRadioButton>
#include <QToolButton>
#include <utility>

#include "app/form1.h"
#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/messages.h"
#include "core/erreur.h"
#include "serial/envoi.h"
#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "serial/telechargement.h"

namespace zor::app {

namespace {

// The upload opens the interchange file by this literal, the conversion by `ecriture.FileName`.
constexpr char kFichierEchange[] = "c:\\$_t_e_m_p";

}  // namespace

// While it lives a transfer runs: a close request is held, then honoured once it is over.
class Form1::Transfert {
 public:
  explicit Transfert(Form1& fenetre) : fenetre_(fenetre) { fenetre_.enTransfert_ = true; }
  ~Transfert() {
    fenetre_.enTransfert_ = false;
    if (std::exchange(fenetre_.fermetureDemandee_, false))
      QMetaObject::invokeMethod(&fenetre_, &QWidget::close, Qt::QueuedConnection);
  }
  Transfert(const Transfert&) = delete;
  Transfert& operator=(const Transfert&) = delete;

 private:
  Form1& fenetre_;
};

void Form1::construireCommunication() {
  // Design values of both controls: port 1, 4800 baud, no parity, 8 data bits, 2 stop bits.
  auto plusTard = [this](std::function<void()> f) {
    QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
  };
  MSComm1 = std::make_unique<serie::MSComm>(serie::MSComm::Services{services_.liaisonMSComm1, services_.portsPresents, plusTard});
  MSComm2 = std::make_unique<serie::MSComm>(serie::MSComm::Services{services_.liaisonMSComm2, services_.portsPresents, plusTard});
  for (serie::MSComm* c : {MSComm1.get(), MSComm2.get()}) {
    c->CommPort(1);
    c->Settings(serie::kReglagesGps);
  }
  MSComm2->OnComm = [this] { MSComm2_OnComm(); };
}

void Form1::detruireCommunication() {
  MSComm1.reset();
  MSComm2.reset();
}

void Form1::veiller() {
  // Paint, expose and the desktop's "are you alive" pings; no click or key. A deferred delete
  // asked for by the handler itself does not run here either: the toolkit runs it only back in
  // the loop that asked for it.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

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

void Form1::avantMessageDeFin() {
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

void Form1::repeindre() {
  client()->repaint();
  veiller();
}

void Form1::decrirePorts() {
  const std::vector<serie::PortSerie> presents = services_.portsPresents ? services_.portsPresents()
                                                                          : std::vector<serie::PortSerie>{};
  for (int n = 1; n <= 4; ++n) {
    const int index = Comm->findText(QStringLiteral("Comm%1").arg(n), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) Comm->setItemData(index, QString::fromStdString(serie::descriptionPort(n, presents)), Qt::ToolTipRole);
  }
}

// The window takes no input while a transfer runs, but shows each change at once.
serie::Suivi Form1::affichageTransfert() {
  return serie::Suivi{[this](std::string_view texte) {
                            fenetre->definirOctets(std::string(texte));
                            repeindre();
                          },
                          [this](int compte) {
                            definirCaption(result, QString::number(compte));
                            repeindre();
                          }};
}

void Form1::ecrire_Click() {
  if (MsgBox(QStringLiteral("Entrée de données, mettez le GPS sur NMEA et verifiez bien le port de communication"),
                       platform::Boutons::OkCancel, platform::Icone::Aucune) == platform::Reponse::Cancel) {
    terminer();
    return;
  }
  Transfert transfert(*this);
  const std::string texteComm = Comm->currentText().toLocal8Bit().toStdString();
  const std::optional<int> numero = serie::choixPort(texteComm);
  if (const auto chemin = serie::peripheriqueTape(texteComm)) MSComm1->definirPeripherique(*chemin);

  definirCaption(fenetre, QString());
  fenetre->show();
  result->show();
  sortie->show();
  nombre1->show();
  ouvrir->hide();
  repeindre();

  serie::Envoi envoi;
  envoi.numeroPort = numero;
  envoi.fichier = {platform::cheminLocal(kFichierEchange), kFichierEchange};
  envoi.veille = [this] { veiller(); };
  const auto bilan = serie::televerser(*MSComm1, horloge(), envoi, affichageTransfert());

  if (bilan.erreur) {
    // The interchange file is untouched: the user can send it again, or convert another file.
    ouvrir->show();
    sortie->show();
    repeindre();
    QString texte = QString::fromStdString(serie::decrireEchec(*bilan.erreur, services_.portsPresents));
    if (bilan.erreur->genre != Erreur::Genre::FichierIllisible) {
      texte += QStringLiteral("\n\n%1 phrase(s) envoyée(s) (fichier %2). Vous pouvez recommencer l'envoi avec « Ecrire dans GPS ».")
                   .arg(bilan.envoyees)
                   .arg(QString::fromLatin1(kFichierEchange));
    }
    avantMessageDeFin();
    MsgBox(texte, platform::Boutons::Ok, platform::Icone::Avertissement);
    return;
  }
  ecrire->hide();
  sortie->show();
  Typef->show();
  nom->show();
  ouvrir->show();
  lire->show();
}

void Form1::lire_Click() {
  if (MsgBox(QStringLiteral("Entrée de données, mettez le GPS sur Waypoints et verifiez bien le port de communication"),
                       platform::Boutons::OkCancel, platform::Icone::Information,
                       QStringLiteral(" Verification")) == platform::Reponse::Cancel) {
    terminer();
    return;
  }
  // An end-of-file character received during the download is handled once this handler returns.
  serie::RetenueEvenements retenue(*MSComm2);
  Transfert transfert(*this);
  const std::string texteComm = Comm->currentText().toLocal8Bit().toStdString();
  if (const auto chemin = serie::peripheriqueTape(texteComm)) MSComm2->definirPeripherique(*chemin);

  serie::Telechargement demande;
  const std::string nomFichier = ecrizor.FileName.toStdString();
  demande.fichier = {platform::cheminLocal(nomFichier), nomFichier};
  demande.vidage = serie::FichierReception::Vidage::Immediat;
  demande.reception.numeroPort = serie::choixPort(texteComm);
  demande.avantReception = [this] {
    definirCaption(zor, QStringLiteral(" Reception de waypoints d'un ZOR FX312 4X4"));
    definirCaption(prtd, QStringLiteral("port lecture"));
    for (QWidget* w : std::initializer_list<QWidget*>{sortie, Label1, profil, waypoint, ouvrir, Typef, nom}) w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{result, fenetre, Label2}) w->show();
    repeindre();
  };
  demande.veille = [this] { veiller(); };
  const auto bilan = serie::telecharger(*MSComm2, horloge(), demande, affichageTransfert());
  if (bilan.fichierOuvert) sortie->show();
  repeindre();

  const std::string resume =
      serie::resumer(bilan, demande, [this](const Erreur& e) { return serie::decrireEchec(e, services_.portsPresents); });
  if (resume.empty()) return;
  avantMessageDeFin();
  MsgBox(QString::fromStdString(resume), platform::Boutons::Ok, platform::Icone::Avertissement);
}

void Form1::MSComm2_OnComm() {
  if (MSComm2->CommEvent() != serie::MSComm::comEvEOF) return;
  // The program ends anyway, whether the character leaves or not.
  if (MSComm2->PortOpen()) MSComm2->Output("\x1a");
  terminer();
}



}  // namespace zor::app
