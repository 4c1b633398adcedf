#pragma once
// One conversion, the same for the window, for a file given to the window and for zor-cli:
// the reader chosen by the input type or by the file's content, the record counter, the
// writer, and the report of what was done.
#include <filesystem>
#include <string>
#include <string_view>

#include "convert/formats.h"
#include "convert/redaction.h"
#include "convert/sortie.h"
#include "convert/source.h"

namespace zor::conversion {

// The only message of a conversion, when a run takes no record (UTF-8).
inline constexpr std::string_view kMessageSansEnregistrement =
    "Le fichier d'entrée n'est pas valable.Etes-vous sûr d avoir choisi le bon type ?";
inline constexpr std::string_view kTitreSansEnregistrement = "Une petite question...";

// Reads `source` as `demande` says and hands its records to `ecrivain`, which is ended
// (terminer) once the run went through, or given up (abandonner) when nothing is to be written
// (no format, the line asked for is not in the file) or on a failure, before the exception
// goes on: Echec (or std::bad_alloc) when the run cannot go on; the complete lines written
// before stay behind.
Rapport convertir(Source& source, Ecrivain& ecrivain, const Demande& demande);

// The same from a file into the interchange file, created or emptied first (even when the
// input then cannot be opened, or no format reads it), the input opened next (not at all when
// no format is chosen and none is to be recognised), both closed at the end in every case.
// `echo` receives what the window appends to `fenetre`.
Rapport convertirFichier(const std::filesystem::path& entree, const std::filesystem::path& interchange,
                         const Demande& demande, std::string* echo = nullptr);

// A file given to the window (dropped on it, named on its command line) into the interchange
// file: read as its content says (GPX, Autoroute Express), else with the format whose list
// text is `texteType` (nothing read when it names none); a GPX file's line chosen and fitted
// as zor-cli's default does, named after the file. The report says what was taken
// (convert/rapport.h words it). Unlike the window's own run, the interchange file is written
// only when records were taken: a file that cannot be read (Echec), or holds none, leaves it
// and `echo` as they were.
Rapport convertirFichierDonne(const std::filesystem::path& entree, std::string_view texteType, Mode mode,
                              const std::filesystem::path& interchange, std::string* echo = nullptr);

}  // namespace zor::conversion
