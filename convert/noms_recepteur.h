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
// is dropped; blanks are gathered into single spaces and trimmed. A name that is then longer
// than six bytes loses its small words (de, du, des, la, le, les, l', d', et, à, au, aux, in
// any case) and its blanks before it is cut to six bytes, so that the words that tell places
// apart come first: « Col de la Bûche » gives "ColBûc", « Col de la Bâche » "ColBâc",
// « Mont Blanc » "MontBl". A name made of small words only keeps them. May be empty.
std::string nomPourRecepteur(std::string_view utf8);

// Names made unique within one file: a name already given gets a number in its last bytes
// ("Maison", "Maiso2", "Maiso3"...); an empty one becomes "WPT001", "WPT002"... Each name costs
// a few hash look-ups whatever came before: names that share their first bytes share their
// numbering, which never goes back over numbers already tried.
class NomsUniques {
 public:
  std::string attribuer(const std::string& nom);

 private:
  struct Melange {
    std::size_t operator()(std::uint64_t v) const noexcept;
  };
  std::unordered_set<std::uint64_t, Melange> pris_;
  // For each set of names a number may make (the first bytes kept, the number of digits): the
  // next number to try.
  std::unordered_map<std::uint64_t, long long, Melange> suivant_;
};

}  // namespace zor::conversion
