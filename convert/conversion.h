#pragma once
// One conversion run, the same for the window and for zor-cli: the reader chosen by the exact
// text of the input type, the record counter, the interchange file.
#include <filesystem>
#include <string>
#include <string_view>

#include "convert/formats.h"
#include "convert/redaction.h"
#include "convert/sortie.h"
#include "convert/source.h"

namespace zor::conversion {

// The type named by the exact text of the window's list; Aucun for any other text.
TypeEntree typeSelonTexte(std::string_view texte);

// The only message of a conversion, when a run takes no record (UTF-8).
inline constexpr std::string_view kMessageSansEnregistrement =
    "Le fichier d'entrée n'est pas valable.Etes-vous sûr d avoir choisi le bon type ?";
inline constexpr std::string_view kTitreSansEnregistrement = "Une petite question...";

// Reads `entree` with the reader of `type` (nothing is opened for Aucun) and hands its lines to
// `interchange`, flushed. Returns the number of records taken. Throws Echec (or
// std::bad_alloc) when the run cannot go on; the complete lines written before stay in
// `interchange` and in `echo`.
long long convertir(TypeEntree type, const std::filesystem::path& entree, Sortie& interchange, Mode mode,
                    std::string* echo = nullptr);

// What one run did: the records taken, those the writer had to leave out (GPX output: a
// receiver line that is no sound $GPWPL sentence, a point without valid coordinates), the
// track points of a GPX input, which are no waypoints.
struct Bilan {
  long long enregistrements = 0;
  long long ignores = 0;
  long long pointsDeTrace = 0;
};

// Any input to any writer: the records of `source` read with the reader of `type`, written by
// `ecrivain`, which is ended (terminer) or, on a failure, given up (abandonner) before the
// exception goes on.
Bilan convertirVers(TypeEntree type, Source& source, Ecrivain& ecrivain, Mode mode);

// The same from any source (tests, fuzzers): the run's counter, reader and failure handling.
long long convertirDepuis(TypeEntree type, Source& source, Sortie& interchange, Mode mode, std::string* echo = nullptr);

// The same into a file created or emptied first, closed at the end in every case.
long long convertirVersFichier(TypeEntree type, const std::filesystem::path& entree,
                               const std::filesystem::path& interchange, Mode mode, std::string* echo = nullptr);

}  // namespace zor::conversion
