#include "convert/conversion.h"

#include "convert/lecteur_axe.h"
#include "convert/lecteurs_texte.h"

namespace zor::conversion {

TypeEntree typeSelonTexte(std::string_view texte) {
  if (texte == kTexteZor) return TypeEntree::Zor;
  if (texte == kTexteG7towin) return TypeEntree::G7towin;
  if (texte == kTexteAutorouteExpress) return TypeEntree::AutorouteExpress;
  return TypeEntree::Aucun;
}

long long convertirDepuis(TypeEntree type, Source& source, Sortie& interchange, Mode mode, std::string* echo) {
  Redaction redaction(interchange, mode, echo);
  try {
    switch (type) {
      case TypeEntree::Zor: lireZor(source, redaction); break;
      case TypeEntree::G7towin: lireG7towin(source, redaction); break;
      case TypeEntree::AutorouteExpress: lireAutorouteExpress(source, redaction); break;
      case TypeEntree::Aucun: break;
    }
    interchange.vider();
  } catch (...) {
    redaction.abandonner();
    throw;
  }
  return redaction.compteur();
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
