#pragma once
// What zor-cli prints: messages (UTF-8 in the program) and the receiver's bytes (Windows-1252)
// written for the user's terminal.
#include <string>
#include <string_view>

namespace zor::commande {

// One line on the standard error.
void dire(std::string_view utf8);
// Text on the standard output (the help).
void ecrireSortie(std::string_view utf8);
// Bytes of a sentence or a record shown on one line: Windows-1252 decoded, control characters
// written \r, \n, \xHH.
std::string lisible(std::string_view octets);

}  // namespace zor::commande
