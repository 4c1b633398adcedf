#pragma once
// The conversion as the tests drive it: a format by its zor-cli name, and one run from any
// source into sentences (with the window's echo), into any writer, or from file to file.
#include <filesystem>
#include <string>

#include "convert/conversion.h"
#include "convert/ecrivain_phrases.h"

namespace zor::conversion {

namespace format {
inline const FormatEntree* const Zor = formatSelonNom("zor");
inline const FormatEntree* const G7towin = formatSelonNom("g7towin");
inline const FormatEntree* const AutorouteExpress = formatSelonNom("axe");
inline const FormatEntree* const Gpx = formatSelonNom("gpx");
}  // namespace format

inline Demande demandeDe(const FormatEntree* type, Mode mode) {
  Demande demande;
  demande.format = type;
  demande.mode = mode;
  return demande;
}

inline Rapport convertirVers(const FormatEntree* type, Source& source, Ecrivain& ecrivain, Mode mode) {
  return convertir(source, ecrivain, demandeDe(type, mode));
}

inline long long convertirDepuis(const FormatEntree* type, Source& source, Sortie& sortie, Mode mode,
                                 std::string* echo = nullptr) {
  EcrivainPhrases phrases(sortie, echo);
  return convertir(source, phrases, demandeDe(type, mode)).enregistrements;
}

inline long long convertirVersFichier(const FormatEntree* type, const std::filesystem::path& entree,
                                      const std::filesystem::path& interchange, Mode mode) {
  return convertirFichier(entree, interchange, demandeDe(type, mode)).enregistrements;
}

}  // namespace zor::conversion
