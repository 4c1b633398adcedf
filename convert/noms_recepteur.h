#pragma once
// Names for the receiver from any text (GPX): at most six bytes of Windows-1252, without ","
// "*" "$" "!" (they would break the sentence) or control characters, and unique in the file.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace zor::conversion {

inline constexpr std::size_t kLongueurNom = 6;

// UTF-8 text as a receiver name: characters Windows-1252 has are kept, the letters it lacks
// become plain Latin letters (« Ελλάδα » gives "Ellada", « Łódź » gives "Lódz"), anything else
// is dropped; blanks are gathered into single spaces, trimmed, and the result cut to six bytes.
// May be empty.
std::string nomPourRecepteur(std::string_view utf8);

// Names made unique within one file: a name already given gets a number in its last bytes
// ("Maison", "Maiso2", "Maiso3"...); an empty one becomes "WPT001", "WPT002"...
class NomsUniques {
 public:
  std::string attribuer(const std::string& nom);

 private:
  std::unordered_set<std::uint64_t> pris_;
  std::unordered_map<std::uint64_t, long long> suivant_;  // for a name given: the next number to try
};

}  // namespace zor::conversion
