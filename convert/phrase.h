#pragma once
// Sentences of the interchange file: "$" + body + "*" + checksum + CR LF, where the checksum is
// the exclusive-or of the body's bytes (Windows-1252, as written), in two upper-case hex digits.
#include <cstdint>
#include <string>
#include <string_view>

namespace zor::conversion {

std::uint8_t sommeControle(std::string_view corps);

// Appends the finished sentence, CR LF included, to `destination`.
void ajouterPhrase(std::string& destination, std::string_view corps);
std::string construirePhrase(std::string_view corps);

// Map profile point name of the record numbered `numero` (1 for the run's first record):
// "PDC", the number with at least three digits, then "0C" for the first record, "0A" after.
void ajouterNomProfil(std::string& destination, long long numero);
std::string nomProfil(long long numero);

// Appends `valeur` in decimal with at least `chiffres` digits (leading zeros), never a locale.
void ajouterEntier(std::string& destination, long long valeur, int chiffres = 1);

}  // namespace zor::conversion
