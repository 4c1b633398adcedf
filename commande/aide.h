#pragma once
// Help texts laid out for an 80-column terminal (a Windows console wraps a line in the middle
// of a word): paragraphs wrapped between words, continuation lines indented, options with
// their description in a column of their own. French spacing is kept together: no line starts
// with « » », « : » or « ; », none ends with « « ».
#include <cstddef>
#include <string>
#include <string_view>

namespace zor::commande {

// No line of a help text is wider than this.
inline constexpr std::size_t kColonnesAide = 79;

class Aide {
 public:
  // A paragraph: its text wrapped, the lines after the first indented by `retrait` columns. A
  // "\n" inside starts a new line at the same indentation.
  Aide& texte(std::string_view paragraphe, std::size_t retrait = 0);
  // An option ("-p, --port N") and what it does, its description from column `colonne` on (on
  // the next line when the name reaches it).
  Aide& option(std::string_view nom, std::string_view description, std::size_t colonne);
  // An empty line.
  Aide& blanc();
  const std::string& str() const { return texte_; }
  operator const std::string&() const { return texte_; }

 private:
  std::string texte_;
};

// The columns a text takes on a terminal: its characters, not its bytes.
std::size_t colonnes(std::string_view utf8);

}  // namespace zor::commande
