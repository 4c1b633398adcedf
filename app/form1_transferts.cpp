// The transfers of the window: "&Ecrire dans GPS" (upload), "&Lire du GPS" (download) and the
// end-of-file event of the download's serial control.
#include <cerrno>
#include <utility>

#include "app/form1.h"
#include "platform/drive_c.h"
#include "serial/envoi.h"
#include "serial/conseils_port.h"
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
    if (std::exchange(fenetre_.fermetureDemandee_, false) && fenetre_.services_.fermer) {
      if (fenetre_.services_.plusTard)
        fenetre_.services_.plusTard(fenetre_.services_.fermer);
      else
        fenetre_.services_.fermer();
    }
  }
  Transfert(const Transfert&) = delete;
  Transfert& operator=(const Transfert&) = delete;

 private:
  Form1& fenetre_;
};

void Form1::Comm_DropDown() {
  const std::vector<serie::PortSerie> presents = services_.portsPresents ? services_.portsPresents()
                                                                          : std::vector<serie::PortSerie>{};
  std::vector<std::string> infobulles;
  for (const std::string& element : Comm.description().liste) {
    const std::optional<int> n = serie::choixPort(element);
    infobulles.push_back(n ? serie::descriptionPort(*n, presents) : std::string());
  }
  Comm.definirInfobullesListe(std::move(infobulles));
}

// The window takes no input while a transfer runs, but shows each change at once.
serie::Suivi Form1::suiviTransfert() {
  return serie::Suivi{[this](std::string_view texte) {
                            fenetre.definirOctets(std::string(texte));
                            peindre();
                          },
                          [this](int compte) {
                            result.Caption(std::to_string(compte));
                            peindre();
                          }};
}

void Form1::ecrire_Click() {
  if (MsgBox("Entrée de données, mettez le GPS sur NMEA et verifiez bien le port de communication", Boutons::OkCancel,
             Icone::Aucune) == Reponse::Cancel) {
    terminer();
    return;
  }
  Transfert transfert(*this);

  fenetre.definirOctets({});
  fenetre.Visible(true);
  result.Visible(true);
  sortie.Visible(true);
  nombre1.Visible(true);
  ouvrir.Visible(false);
  peindre();

  serie::Envoi envoi;
  envoi.port = serie::choixDeLaListe(Comm.Text());
  // A pipe, a device or a link another user planted at its place is refused, never waited on.
  envoi.fichier = {platform::cheminLocal(kFichierEchange), kFichierEchange, true};
  envoi.veille = [this] { veiller(); };
  if (services_.signalRecu) envoi.interrompu = [this] { return arretDemande(); };
  const auto bilan = serie::televerser(MSComm1, *services_.horloge, envoi, suiviTransfert());

  std::string texte = serie::resumer(bilan, envoi, [this, &envoi](const Erreur& e) {
    return serie::decrireEchec(e, services_.portsPresents, envoi.port);
  });
  if (bilan.erreur && bilan.erreur->genre == Erreur::Genre::Interruption) {
    finirSurSignal(texte);
    return;
  }
  if (bilan.erreur) {
    // The interchange file is untouched: the user can send it again, or convert another file.
    ouvrir.Visible(true);
    sortie.Visible(true);
    peindre();
    if (bilan.erreur->genre == Erreur::Genre::FichierIllisible && bilan.erreur->numeroSysteme == ENOENT)
      texte += "\nConvertissez d'abord un fichier avec « Rechercher Fichier » : la conversion écrit ce fichier.";
    else if (!serie::fichierRefuse(*bilan.erreur))
      texte += " Vous pouvez recommencer l'envoi avec « Ecrire dans GPS ».";
    MsgBox(std::move(texte), Boutons::Ok, Icone::Avertissement);
    return;
  }
  ecrire.Visible(false);
  sortie.Visible(true);
  Typef.Visible(true);
  nom.Visible(true);
  ouvrir.Visible(true);
  lire.Visible(true);
}

void Form1::lire_Click() {
  if (MsgBox("Entrée de données, mettez le GPS sur Waypoints et verifiez bien le port de communication", Boutons::OkCancel,
             Icone::Information, " Verification") == Reponse::Cancel) {
    terminer();
    return;
  }
  // An end-of-file character received during the download is handled once this handler returns.
  serie::RetenueEvenements retenue(MSComm2);
  Transfert transfert(*this);

  serie::Telechargement demande;
  // "c:\zor.txt" keeps what it held until the new text is there: a download that ends in
  // any other way, the program killed included, leaves it as it was.
  demande.fichier = {platform::cheminLocal(ecrizor.FileName), ecrizor.FileName, true};
  demande.reception.port = serie::choixDeLaListe(Comm.Text());
  if (services_.signalRecu) demande.reception.interrompu = [this] { return arretDemande(); };
  demande.avantReception = [this] {
    zor.Caption(" Reception de waypoints d'un ZOR FX312 4X4");
    prtd.Caption("port lecture");
    for (Controle* c : {&sortie, &Label1, &profil, &waypoint, &ouvrir, &Typef, &nom}) c->Visible(false);
    for (Controle* c : {&result, &fenetre, &Label2}) c->Visible(true);
    peindre();
  };
  demande.veille = [this] { veiller(); };
  const auto bilan = serie::telecharger(MSComm2, *services_.horloge, demande, suiviTransfert());
  if (bilan.fichierOuvert) sortie.Visible(true);
  peindre();

  std::string resume =
      serie::resumer(bilan, demande, [this, &demande](const Erreur& e) {
        return serie::decrireEchec(e, services_.portsPresents, demande.reception.port);
      });
  if (bilan.erreur && bilan.erreur->genre == Erreur::Genre::Interruption) {
    finirSurSignal(resume);
    return;
  }
  if (resume.empty()) return;
  if (bilan.erreurFichier) {
    if (const std::string conseil = platform::conseilLecteurC(bilan.erreurFichier->numeroSysteme); !conseil.empty())
      resume += "\n\n" + conseil;
  }
  MsgBox(resume, Boutons::Ok, Icone::Avertissement);
}

void Form1::signalRecu() {
  if (!termine_ && !enTransfert_ && arretDemande()) finirSurSignal("");
}

void Form1::finirSurSignal(const std::string& texte) {
  const int signal = services_.signalRecu ? services_.signalRecu() : 0;
  if (services_.messageSurSignal) services_.messageSurSignal(texte);
  terminer(signal != 0 ? 128 + signal : 0);
}

void Form1::MSComm2_OnComm() {
  if (MSComm2.CommEvent() != serie::MSComm::comEvEOF) return;
  // The program ends anyway, whether the character leaves or not.
  if (MSComm2.PortOpen()) MSComm2.Output("\x1a");
  terminer();
}

}  // namespace zor::app
