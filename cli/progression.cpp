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

std::string dureeEnFrancais(std::chrono::seconds duree) {
  const long long s = duree.count() < 0 ? 0 : duree.count();
  auto deux = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  if (s >= 3600) return std::to_string(s / 3600) + " h " + deux(s % 3600 / 60) + " min";
  if (s >= 60) return std::to_string(s / 60) + " min " + deux(s % 60) + " s";
  return std::to_string(s) + " s";
}

}  // namespace zor::cli
