#include "convert/conversion.h"

#include "convert/ecrivain_phrases.h"


namespace zor::conversion {

TypeEntree typeSelonTexte(std::string_view texte) {
  const FormatEntree* format = formatSelonTexte(texte);
  return format != nullptr ? format->type : TypeEntree::Aucun;
}

Bilan convertirVers(TypeEntree type, Source& source, Ecrivain& ecrivain, Mode mode) {
  Redaction redaction(ecrivain, mode);
  try {
    if (const FormatEntree* format = formatDe(type)) format->lire(source, redaction);
    ecrivain.terminer();
  } catch (...) {
    ecrivain.abandonner();
    throw;
  }
  return {redaction.compteur(), ecrivain.ignores(), redaction.pointsDeTrace()};
}

long long convertirDepuis(TypeEntree type, Source& source, Sortie& interchange, Mode mode, std::string* echo) {
  EcrivainPhrases phrases(interchange, echo);
  return convertirVers(type, source, phrases, mode).enregistrements;
}

long long convertir(TypeEntree type, const std::filesystem::path& entree, Sortie& interchange, Mode mode,
                    std::string* echo) {
  // A type that names no reader opens nothing.
  if (type == TypeEntree::Aucun) {
    interchange.vider();
    return 0;
  }
  SourceFichier source(entree);
  return convertirDepuis(type, source, interchange, mode, echo);
}
long long convertirVersFichier(TypeEntree type, const std::filesystem::path& entree,
                               const std::filesystem::path& interchange, Mode mode, std::string* echo) {
  SortieFichier fichier(interchange);
  const long long nombre = convertir(type, entree, fichier, mode, echo);
  fichier.fermer();
  return nombre;
}

}  // namespace zor::conversion
