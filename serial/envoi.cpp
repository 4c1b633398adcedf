#include "serial/envoi.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "convert/lignes.h"
#include "convert/source.h"

namespace zor::serie {
namespace {

// A line of a wanted sentence longer than this (nothing the converter writes) goes out in
// pieces, so that memory stays bounded whatever the file holds.
constexpr std::size_t kMorceau = 1 << 16;

// The interchange file read as the converter's readers read it (convert/lignes.h): a line ends
// at CR LF or at a lone CR. Every line read, empty ones included, clears `fenetre` and shows
// the count; a line whose first character is "$" is sent with CR LF, then the pause.
class Televersement {
 public:
  Televersement(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi, BilanEnvoi& bilan)
      : port_(port), horloge_(horloge), envoi_(envoi), suivi_(suivi), bilan_(bilan) {}

  void entiere(std::string_view ligne) {
    commencer(ligne.front());
    ligne_.clear();
    if (phrase_) suite(ligne);
    terminer();
  }
  bool debut(char premier) {
    commencer(premier);
    ligne_.clear();
    if (!phrase_) terminer();
    return phrase_;
  }
  void suite(std::string_view morceau) {
    while (!morceau.empty() && !bilan_.erreur) {
      if (ligne_.size() == kMorceau) {
        envoyer(ligne_);
        ligne_.clear();
      }
      const std::size_t n = std::min(kMorceau - ligne_.size(), morceau.size());
      ligne_.append(morceau.substr(0, n));
      morceau.remove_prefix(n);
    }
  }
  void fin() { terminer(); }
  void vide() {
    commencer('\0');
    terminer();
  }
  bool arrete() {
    if (bilan_.erreur) return true;
    if (envoi_.interrompu && envoi_.interrompu()) bilan_.erreur = port_.erreur(Erreur::Genre::Interruption);
    return bilan_.erreur.has_value();
  }

 private:
  void commencer(char premier) {
    suivi_.element("");
    phrase_ = premier == '$';
    if (phrase_) ++compteur_;
  }
  void terminer() {
    if (phrase_ && !bilan_.erreur) {
      ligne_ += "\r\n";
      if (envoyer(ligne_)) {
        bilan_.envoyees = compteur_;
        suivi_.element(ligne_);
        if (envoi_.veille) horloge_.dormirEnVeillant(kPauseApresPhrase, envoi_.veille);
        else horloge_.dormir(kPauseApresPhrase);
      }
    }
    suivi_.compte(compteur_);
  }
  bool envoyer(std::string_view octets) {
    if (bilan_.erreur) return false;
    bilan_.erreur = port_.Output(octets);
    return !bilan_.erreur;
  }

  MSComm& port_;
  Horloge& horloge_;
  const Envoi& envoi_;
  const Suivi& suivi_;
  BilanEnvoi& bilan_;
  std::string ligne_;
  bool phrase_ = false;
  int compteur_ = 0;
};

}  // namespace

BilanEnvoi televerser(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi) {
  BilanEnvoi bilan;
  const bool entreeStandard = envoi.fichier.chemin == "-";
  port.Settings(kReglagesGps);
  if (envoi.numeroPort) port.CommPort(*envoi.numeroPort);
  if ((bilan.erreur = port.ouvrir())) return bilan;
  try {
    std::unique_ptr<conversion::SourceFichier> source =
        entreeStandard ? std::make_unique<conversion::SourceFichier>(stdin, envoi.fichier.nom)
                       : std::make_unique<conversion::SourceFichier>(envoi.fichier.chemin);
    Televersement televersement(port, horloge, envoi, suivi, bilan);
    conversion::parcourirLignes(*source, televersement);
  } catch (const Echec& e) {
    // The reader names the file by its path; the user knows it by the program's name.
    bilan.erreur = erreurFichier(e.erreur().genre, envoi.fichier.nom, e.erreur().numeroSysteme,
                                 entreeStandard ? std::string() : envoi.fichier.chemin.string());
  } catch (const std::bad_alloc&) {
    bilan.erreur = erreurFichier(Erreur::Genre::MemoireInsuffisante, envoi.fichier.nom, 0, envoi.fichier.chemin.string());
  }
  if (bilan.erreur) port.abandonner();
  else bilan.erreur = port.fermer();
  return bilan;
}

}  // namespace zor::serie
