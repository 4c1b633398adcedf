#include "cli/progression.h"

#include <cstdio>

#include "commande/sortie_texte.h"
#include "platform/terminal.h"

namespace zor::cli {

Progression::Progression(bool silencieux)
    : mode_(silencieux ? Mode::Silence : platform::estUnTerminal(stderr) ? Mode::EnPlace : Mode::Lignes) {}

void Progression::etape(const std::string& ligne, const std::string& enPlace) {
  if (mode_ == Mode::Lignes) commande::dire(ligne);
  if (mode_ != Mode::EnPlace || enPlace.empty()) return;
  // Back to the start of the line, the new text, the rest of the old one cleared.
  if (!platform::ecrireConsole(stderr, "\r" + enPlace + "\x1b[K")) {
    const std::string texte = "\r" + platform::pourTerminal(enPlace) + "\x1b[K";
    std::fwrite(texte.data(), 1, texte.size(), stderr);
    std::fflush(stderr);
  }
  enCours_ = true;
}

void Progression::finir() {
  if (!enCours_) return;
  std::fputc('\n', stderr);
  std::fflush(stderr);
  enCours_ = false;
}

void Progression::dire(const std::string& texte) {
  finir();
  commande::dire(texte);
}

void Progression::resumer(const std::string& texte) {
  if (mode_ == Mode::Silence) return;
  dire(texte);
}

}  // namespace zor::cli
