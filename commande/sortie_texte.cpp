#include "commande/sortie_texte.h"

#include <cstdio>

#include "core/windows1252.h"
#include "platform/terminal.h"

namespace zor::commande {

void dire(std::string_view utf8) {
  if (platform::ecrireConsole(stderr, std::string(utf8) + "\n")) return;
  const std::string texte = platform::pourTerminal(utf8) + "\n";
  std::fwrite(texte.data(), 1, texte.size(), stderr);
  std::fflush(stderr);
}

void ecrireSortie(std::string_view utf8) {
  if (platform::ecrireConsole(stdout, utf8)) return;
  const std::string texte = platform::pourTerminal(utf8);
  std::fwrite(texte.data(), 1, texte.size(), stdout);
  std::fflush(stdout);
}

std::string lisible(std::string_view octets) {
  std::string s;
  for (const unsigned char c : octets) {
    if (c == '\r') s += "\\r";
    else if (c == '\n') s += "\\n";
    else if (c < 32 || c == 127) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      s += code;
    } else {
      s += utf8DepuisWindows1252(std::string_view(reinterpret_cast<const char*>(&c), 1));
    }
  }
  return s;
}

}  // namespace zor::commande
