// The transfers of the window: "&Ecrire dans GPS" (upload), "&Lire du GPS" (download) and the
// end-of-file event of the download's serial control.
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

#include "app/form1.h"
#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/fin_programme.h"
#include "platform/messages.h"
#include "serial/envoi.h"
#include "serial/fichier_reception.h"
#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "serial/reception.h"

namespace zor::app {

namespace {

// The upload opens the interchange file by this literal, the conversion by `ecriture.FileName`.
constexpr char kFichierEchange[] = "c:\\$_t_e_m_p";

void avertir(const QString& texte) {
  platform::MsgBox(texte, platform::Boutons::Ok, platform::Icone::Avertissement);
}

}  // namespace

struct Form1::Fichier20 {
  serie::FichierReception fichier;
  // Ending the program at once closes it too.
  platform::FermetureEnregistree fermeture{[this] { fichier.fermer(); }};
};

void Form1::construireCommunication() {
  // Design values of both controls: port 1, 4800 baud, no parity, 8 data bits, 2 stop bits.
  MSComm1 = std::make_unique<serie::MSComm>();
  MSComm2 = std::make_unique<serie::MSComm>();
  for (serie::MSComm* c : {MSComm1.get(), MSComm2.get()}) {
    c->CommPort(1);
    c->Settings("4800,N,8,2");
  }
  connect(MSComm2.get(), &serie::MSComm::OnComm, this, &Form1::MSComm2_OnComm);
}

void Form1::detruireCommunication() {
  fermerFichier20();
  MSComm1.reset();
  MSComm2.reset();
}

void Form1::repeindre() { client()->repaint(); }

// The window is blocked while a transfer runs, but shows each change at once.
serie::Affichage Form1::affichageTransfert() {
  return serie::Affichage{[this](std::string_view texte) {
                            definirCaption(fenetre, platform::depuisWindows1252(texte));
                            repeindre();
                          },
                          [this](int compte) {
                            definirCaption(result, QString::number(compte));
                            repeindre();
                          }};
}

void Form1::ecrire_Click() {
  if (platform::MsgBox(QStringLiteral("Entrée de données, mettez le GPS sur NMEA et verifiez bien le port de communication"),
                       platform::Boutons::OkCancel, platform::Icone::Aucune) == platform::Reponse::Cancel) {
    platform::terminerProgramme();
    return;
  }
  if (const auto numero = serie::choixPort(Comm->currentText())) MSComm1->CommPort(*numero);

  definirCaption(fenetre, QString());
  fenetre->show();
  result->show();
  sortie->show();
  nombre1->show();
  ouvrir->hide();
  repeindre();

  const auto bilan = serie::envoyer(*MSComm1, {platform::cheminLocal(kFichierEchange), kFichierEchange}, affichageTransfert());

  if (bilan.panne) {
    // The interchange file is untouched: the user can send it again, or convert another file.
    ouvrir->show();
    sortie->show();
    repeindre();
    QString texte = serie::decrire(*bilan.panne);
    if (bilan.panne->genre != serie::Panne::Genre::FichierIllisible) {
      texte += QStringLiteral("\n\n%1 phrase(s) envoyée(s) (fichier %2). Vous pouvez recommencer l'envoi avec « Ecrire dans GPS ».")
                   .arg(bilan.envoyees)
                   .arg(QString::fromLatin1(kFichierEchange));
    }
    avertir(texte);
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
  if (platform::MsgBox(QStringLiteral("Entrée de données, mettez le GPS sur Waypoints et verifiez bien le port de communication"),
                       platform::Boutons::OkCancel, platform::Icone::Information,
                       QStringLiteral(" Verification")) == platform::Reponse::Cancel) {
    platform::terminerProgramme();
    return;
  }
  // An end-of-file character received during the download is handled once this handler returns.
  serie::RetenueEvenements retenue(*MSComm2);

  const std::string nomFichier = ecrizor.FileName.toStdString();
  fichier20_ = std::make_shared<Fichier20>();
  if (const auto panne = fichier20_->fichier.ouvrir(platform::cheminLocal(nomFichier), nomFichier)) {
    fichier20_.reset();
    avertir(serie::decrire(*panne));
    return;
  }

  definirCaption(zor, QStringLiteral(" Reception de waypoints d'un ZOR FX312 4X4"));
  definirCaption(prtd, QStringLiteral("port lecture"));
  for (QWidget* w : std::initializer_list<QWidget*>{sortie, Label1, profil, waypoint, ouvrir, Typef, nom}) w->hide();
  for (QWidget* w : std::initializer_list<QWidget*>{result, fenetre, Label2}) w->show();
  repeindre();

  auto bilan = serie::recevoir(*MSComm2, serie::choixPort(Comm->currentText()), affichageTransfert());

  // A failed download that collected nothing leaves the file as it was before the click.
  serie::FichierReception& fichier = fichier20_->fichier;
  const bool garder = !bilan.panne || !bilan.collecte.empty();
  auto panneFichier = garder ? fichier.ecrire(bilan.collecte + "\r\n") : fichier.remettreAncienContenu();
  if (MSComm2->PortOpen()) {
    try {
      MSComm2->PortOpen(false);
    } catch (const serie::ErreurPort& e) {
      if (!bilan.panne) bilan.panne = e.panne();
    }
  }
  sortie->show();
  if (auto p = fichier.fermer(); p && !panneFichier) panneFichier = p;
  fichier20_.reset();
  repeindre();

  if (!bilan.panne && !panneFichier) return;
  QStringList textes;
  if (bilan.panne) {
    textes << serie::decrire(*bilan.panne);
    if (!panneFichier) {
      textes << (garder ? QStringLiteral("%1 enregistrement(s) reçu(s) ont été écrits dans %2.")
                              .arg(bilan.stockes)
                              .arg(ecrizor.FileName)
                        : QStringLiteral("Rien n'a été reçu : %1 n'a pas été modifié.").arg(ecrizor.FileName));
    }
  }
  if (panneFichier) textes << serie::decrire(*panneFichier);
  avertir(textes.join(QStringLiteral("\n\n")));
}

void Form1::MSComm2_OnComm() {
  if (MSComm2->CommEvent() != serie::MSComm::comEvEOF) return;
  if (MSComm2->PortOpen()) {
    try {
      MSComm2->Output("\x1a");
    } catch (const serie::ErreurPort&) {
      // The program ends anyway.
    }
  }
  platform::terminerProgramme();
}

void Form1::fermerFichier20() {
  if (!fichier20_) return;
  fichier20_->fichier.fermer();
  fichier20_.reset();
}

}  // namespace zor::app
