// The transfers of the window: "&Ecrire dans GPS" (upload), "&Lire du GPS" (download) and the
// end-of-file event of the download's serial control.
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

#include "app/form1.h"
#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/messages.h"
#include "platform/erreur.h"
#include "serial/envoi.h"
#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "serial/telechargement.h"

namespace zor::app {

namespace {

// The upload opens the interchange file by this literal, the conversion by `ecriture.FileName`.
constexpr char kFichierEchange[] = "c:\\$_t_e_m_p";

}  // namespace

void Form1::construireCommunication() {
  // Design values of both controls: port 1, 4800 baud, no parity, 8 data bits, 2 stop bits.
  MSComm1 = std::make_unique<serie::MSComm>(services_.liaisonMSComm1);
  MSComm2 = std::make_unique<serie::MSComm>(services_.liaisonMSComm2);
  for (serie::MSComm* c : {MSComm1.get(), MSComm2.get()}) {
    c->CommPort(1);
    c->Settings("4800,N,8,2");
  }
  connect(MSComm2.get(), &serie::MSComm::OnComm, this, &Form1::MSComm2_OnComm);
}

void Form1::detruireCommunication() {
  MSComm1.reset();
  MSComm2.reset();
}

void Form1::repeindre() { client()->repaint(); }

// The window is blocked while a transfer runs, but shows each change at once.
serie::Affichage Form1::affichageTransfert() {
  return serie::Affichage{[this](std::string_view texte) {
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
  const std::optional<int> numero = serie::choixPort(Comm->currentText());

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
  const auto bilan = serie::televerser(*MSComm1, horloge(), envoi, affichageTransfert());

  if (bilan.erreur) {
    // The interchange file is untouched: the user can send it again, or convert another file.
    ouvrir->show();
    sortie->show();
    repeindre();
    QString texte = QString::fromStdString(decrire(*bilan.erreur));
    if (bilan.erreur->genre != Erreur::Genre::FichierIllisible) {
      texte += QStringLiteral("\n\n%1 phrase(s) envoyée(s) (fichier %2). Vous pouvez recommencer l'envoi avec « Ecrire dans GPS ».")
                   .arg(bilan.envoyees)
                   .arg(QString::fromLatin1(kFichierEchange));
    }
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

  serie::Telechargement demande;
  const std::string nomFichier = ecrizor.FileName.toStdString();
  demande.fichier = {platform::cheminLocal(nomFichier), nomFichier};
  demande.vidage = serie::FichierReception::Vidage::Immediat;
  demande.reception.numeroPort = serie::choixPort(Comm->currentText());
  demande.avantReception = [this] {
    enTelechargement_ = true;
    definirCaption(zor, QStringLiteral(" Reception de waypoints d'un ZOR FX312 4X4"));
    definirCaption(prtd, QStringLiteral("port lecture"));
    for (QWidget* w : std::initializer_list<QWidget*>{sortie, Label1, profil, waypoint, ouvrir, Typef, nom}) w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{result, fenetre, Label2}) w->show();
    repeindre();
  };
  const auto bilan = serie::telecharger(*MSComm2, horloge(), demande, affichageTransfert());
  if (bilan.fichierOuvert) sortie->show();
  enTelechargement_ = false;
  repeindre();

  const std::string resume = serie::resumer(bilan, demande);
  if (!resume.empty()) MsgBox(QString::fromStdString(resume), platform::Boutons::Ok, platform::Icone::Avertissement);
}

void Form1::MSComm2_OnComm() {
  if (MSComm2->CommEvent() != serie::MSComm::comEvEOF) return;
  if (MSComm2->PortOpen()) {
    try {
      MSComm2->Output("\x1a");
    } catch (const Echec&) {
      // The program ends anyway.
    }
  }
  terminer();
}



}  // namespace zor::app
