#include "serial/envoi.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/pause.h"
#include "serial/lignes.h"

namespace zor::serie {

std::optional<std::string> lireFichier(const FichierNomme& fichier, Panne& panne) {
  auto echec = [&](int erreur) -> std::optional<std::string> {
    panne = Panne{};
    panne.genre = Panne::Genre::FichierIllisible;
    panne.peripherique = fichier.nom;
    panne.chemin = fichier.chemin.string();
    panne.raison = std::strerror(erreur);
    return std::nullopt;
  };
  std::error_code ec;
  if (std::filesystem::is_directory(fichier.chemin, ec)) return echec(EISDIR);
  errno = 0;
  std::ifstream f(fichier.chemin, std::ios::binary);
  if (!f.is_open()) return echec(errno != 0 ? errno : ENOENT);
  std::string octets(std::istreambuf_iterator<char>(f), {});
  if (f.bad()) return echec(errno != 0 ? errno : EIO);
  return octets;
}

BilanEnvoi envoyer(Port& port, const FichierNomme& fichier, const Affichage& affichage) {
  BilanEnvoi bilan;
  try {
    port.PortOpen(true);
    int compteur = 0;
    Panne panneFichier;
    const auto contenu = lireFichier(fichier, panneFichier);
    if (!contenu) {
      port.abandonner();
      bilan.panne = panneFichier;
      return bilan;
    }
    for (const std::string& ligne : decouperLignes(*contenu)) {
      affichage.fenetre("");
      if (!ligne.empty() && ligne.front() == '$') {
        ++compteur;
        const std::string phrase = ligne + "\r\n";
        port.Output(phrase);
        bilan.envoyees = compteur;
        affichage.fenetre(phrase);
        platform::Sleep(kPauseApresPhrase);
      }
      affichage.result(compteur);
    }
    port.PortOpen(false);
  } catch (const ErreurPort& e) {
    port.abandonner();
    bilan.panne = e.panne();
  }
  return bilan;
}

}  // namespace zor::serie
