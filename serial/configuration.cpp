#include "serial/configuration.h"

#include <cerrno>

#include "platform/peripherique_serie.h"

namespace zor::serie {
namespace {

std::string_view rogner(std::string_view s) {
  const auto debut = s.find_first_not_of(" \t");
  if (debut == std::string_view::npos) return {};
  const auto fin = s.find_last_not_of(" \t");
  return s.substr(debut, fin - debut + 1);
}

}  // namespace

std::optional<std::optional<std::string>> valeurIni(std::string_view texte, std::string_view section,
                                                    std::string_view cle) {
  std::optional<std::string> trouvee;
  std::string_view courante;
  while (!texte.empty()) {
    const auto fin = texte.find_first_of("\r\n");
    std::string_view ligne = rogner(texte.substr(0, fin));
    texte = fin == std::string_view::npos ? std::string_view{} : texte.substr(fin + 1);
    if (ligne.empty() || ligne.front() == ';' || ligne.front() == '#') continue;
    if (ligne.front() == '[') {
      if (ligne.back() != ']') return std::nullopt;
      courante = rogner(ligne.substr(1, ligne.size() - 2));
      continue;
    }
    const auto egal = ligne.find('=');
    if (egal == std::string_view::npos) return std::nullopt;
    if (courante != section || rogner(ligne.substr(0, egal)) != cle) continue;
    std::string_view valeur = rogner(ligne.substr(egal + 1));
    if (valeur.size() >= 2 && valeur.front() == '"' && valeur.back() == '"') valeur = valeur.substr(1, valeur.size() - 2);
    // The last one counts, as in any ini reader; an empty one leaves the port to the next source.
    if (valeur.empty()) trouvee.reset();
    else trouvee = std::string(valeur);
  }
  return trouvee;
}

ValeurConfiguration lireConfiguration(const std::filesystem::path& chemin, int numero) {
  ValeurConfiguration v;
  const platform::PetitFichier f = platform::lirePetitFichier(chemin, kTailleConfigurationMax);
  using E = platform::PetitFichier::Etat;
  if (f.etat == E::Absent) return v;
  v.fichierPresent = true;
  const std::string nom = chemin.string();
  switch (f.etat) {
    case E::Lu: break;
    case E::PasOrdinaire:
      v.erreur = erreurFichier(Erreur::Genre::FichierNonOrdinaire, nom, 0);
      return v;
    case E::TropGrand:
      v.erreur = erreurFichier(Erreur::Genre::FichierIllisible, nom, EFBIG);
      return v;
    case E::Absent:
    case E::Illisible:
      v.erreur = erreurFichier(Erreur::Genre::FichierIllisible, nom, f.numeroSysteme != 0 ? f.numeroSysteme : EIO);
      return v;
  }
  const auto valeur = valeurIni(f.contenu, "ports", "Comm" + std::to_string(numero));
  // A file that does not read as an ini file must not quietly hand the port to another device.
  if (!valeur) v.erreur = erreurFichier(Erreur::Genre::FichierIllisible, nom, 0);
  else v.valeur = *valeur;
  return v;
}

}  // namespace zor::serie
