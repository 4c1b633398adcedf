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
                                                    std::string_view cle, int* ligneFautive) {
  constexpr std::string_view kMarqueUtf8 = "\xEF\xBB\xBF";
  if (texte.substr(0, kMarqueUtf8.size()) == kMarqueUtf8) texte.remove_prefix(kMarqueUtf8.size());
  std::optional<std::string> trouvee;
  std::string_view courante;
  int numero = 0;
  auto fautive = [&]() -> std::optional<std::optional<std::string>> {
    if (ligneFautive != nullptr) *ligneFautive = numero;
    return std::nullopt;
  };
  while (!texte.empty()) {
    const auto fin = texte.find_first_of("\r\n");
    std::string_view ligne = rogner(texte.substr(0, fin));
    // CR LF ends one line, as a lone CR or LF does.
    const bool crlf = fin != std::string_view::npos && texte[fin] == '\r' && fin + 1 < texte.size() && texte[fin + 1] == '\n';
    texte = fin == std::string_view::npos ? std::string_view{} : texte.substr(fin + (crlf ? 2 : 1));
    ++numero;
    if (ligne.empty() || ligne.front() == ';' || ligne.front() == '#') continue;
    if (ligne.front() == '[') {
      if (ligne.back() != ']') return fautive();
      courante = rogner(ligne.substr(1, ligne.size() - 2));
      continue;
    }
    const auto egal = ligne.find('=');
    if (egal == std::string_view::npos) return fautive();
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
  int ligne = 0;
  const auto valeur = valeurIni(f.contenu, "ports", "Comm" + std::to_string(numero), &ligne);
  // A file that does not read as an ini file must not quietly hand the port to another device.
  if (!valeur) {
    v.erreur = erreurFichier(Erreur::Genre::FichierIllisible, nom, 0);
    v.erreur->ligne = ligne;
    v.erreur->detail = "ni commentaire (; ou #), ni section [nom], ni clé=valeur";
  } else {
    v.valeur = *valeur;
  }
  return v;
}

}  // namespace zor::serie
