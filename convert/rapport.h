#pragma once
// What a conversion did, in French, for zor-cli's standard error and for the window: the line
// taken and how it was fitted, the other lines of the file, the time the upload will take.
#include <chrono>
#include <optional>
#include <span>
#include <string>

#include "convert/redaction.h"

namespace zor::conversion {

// Each sentence is followed by a 600 ms pause on the way to the receiver.
inline constexpr std::chrono::milliseconds kDureeParPhrase{600};

// "3 182": thousands apart, as French writes them.
std::string entierEnFrancais(long long n);
// "25,4 km"
std::string kilometres(double metres);
// "trace « Galibier »", or "route 2" for a line without a name.
std::string designerLigne(const LigneGpx& ligne);

// « trace « Galibier » : 3 182 points → 255 (écart max 7 m), 25,4 km ; envoi ≈ 2 min 33 s »; a
// line sent whole: « route « Étape 1 » : 12 points, 3,1 km ; envoi ≈ 7 s ». Empty when no line
// was written.
std::string resumerLigne(const Rapport& rapport);

// The lines as a table, one a row after a heading: number, kind, points, length, name (the
// line `sauf` left out).
std::string tableauLignes(std::span<const LigneGpx> lignes, std::optional<std::size_t> sauf = std::nullopt);

// Beyond 999 profile points the names pass eight characters (PDC10000A): a warning, or empty.
std::string avertissementProfil(const Rapport& rapport, Mode mode);

}  // namespace zor::conversion
