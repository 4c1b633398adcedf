#pragma once
// Sentences of the interchange file: "$" + body + "*" + checksum + CR LF, where the checksum is
// the exclusive-or of the body's bytes (Windows-1252, as written), in two upper-case hex digits.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zor::conversion {

// The checksum of a body: the exclusive-or of its bytes, eight at a time, folded (the
// exclusive-or of every byte either way). The sentence builder and every check of a sentence
// use this one function.
inline std::uint8_t sommeControle(std::string_view corps) {
  std::uint64_t mots = 0;
  std::size_t i = 0;
  for (; i + 8 <= corps.size(); i += 8) {
    std::uint64_t mot;
    std::memcpy(&mot, corps.data() + i, 8);
    mots ^= mot;
  }
  mots ^= mots >> 32;
  mots ^= mots >> 16;
  mots ^= mots >> 8;
  auto somme = static_cast<std::uint8_t>(mots);
  for (; i < corps.size(); ++i) somme ^= static_cast<std::uint8_t>(corps[i]);
  return somme;
}

// Writes "*", the checksum in two upper-case hex digits and CR LF at `fin` (5 bytes).
inline void poserFinPhrase(char* fin, std::uint8_t somme) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  fin[0] = '*';
  fin[1] = kHex[somme >> 4];
  fin[2] = kHex[somme & 0x0F];
  fin[3] = '\r';
  fin[4] = '\n';
}

// Writes the finished sentence, CR LF included, at `destination`, which has room for
// corps.size() + 6 bytes; returns its length.
inline std::size_t poserPhrase(char* destination, std::string_view corps) {
  destination[0] = '$';
  if (!corps.empty()) std::memcpy(destination + 1, corps.data(), corps.size());
  poserFinPhrase(destination + 1 + corps.size(), sommeControle(corps));
  return corps.size() + 6;
}

// Appends the finished sentence, CR LF included, to `destination`.
void ajouterPhrase(std::string& destination, std::string_view corps);
std::string construirePhrase(std::string_view corps);

// Map profile point name of the record numbered `numero` (1 for the run's first record):
// "PDC", the number with at least three digits, then "0C" for the first record, "0A" after.
void ajouterNomProfil(std::string& destination, long long numero);
std::string nomProfil(long long numero);

// Writes the profile point name at `destination` (room for 25 bytes); returns its end.
char* poserNomProfil(char* destination, long long numero);

// Appends `valeur` in decimal with at least `chiffres` digits (leading zeros), never a locale.
void ajouterEntier(std::string& destination, long long valeur, int chiffres = 1);

}  // namespace zor::conversion
