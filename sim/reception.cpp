// Receiving: each sentence is printed with its arrival time, the gap since the previous one,
// its line end, the line settings and whether its checksum is right.
#include <poll.h>
#include <unistd.h>

#include <cstdio>

#include "convert/phrase.h"
#include "core/windows1252.h"
#include "platform/terminal.h"
#include "sim/modes.h"

namespace zor::sim {

std::string verdictPhrase(const std::string& phrase) {
  const auto etoile = phrase.rfind('*');
  if (phrase.empty() || phrase[0] != '$' || etoile == std::string::npos || etoile + 3 != phrase.size())
    return "sans somme";
  const std::string corps = phrase.substr(1, etoile - 1);
  char attendue[3];
  std::snprintf(attendue, sizeof attendue, "%02X", conversion::sommeControle(corps));
  if (phrase.compare(etoile + 1, 2, attendue) == 0) return "somme juste";
  return std::string("somme fausse (attendue ") + attendue + ")";
}

int recevoir(Terminal& terminal, const OptionsReception& options) {
  const auto debut = std::chrono::steady_clock::now();
  std::string ligne;
  double tLigne = -1, tPrecedente = -1;
  bool ouvert = false;
  for (;;) {
    pollfd attentes[2] = {{terminal.maitre(), POLLIN, 0}, {terminal.surveillance(), POLLIN, 0}};
    if (::poll(attentes, 2, -1) < 0) continue;
    if (attentes[1].revents != 0) {
      const bool maintenant = terminal.ouvertParLeProgramme();
      if (maintenant != ouvert) {
        ouvert = maintenant;
        const double t = secondesDepuis(debut);
        if (options.tsv)
          std::printf("%s\t%.1f\n", ouvert ? "ouvert" : "ferme", t * 1000);
        else
          std::printf("[%9.3f s] port %s par le programme%s%s\n", t, ouvert ? "ouvert" : "fermé",
                      ouvert ? ", ligne " : "", ouvert ? terminal.reglages().c_str() : "");
      }
    }
    if ((attentes[0].revents & POLLIN) == 0) continue;
    char tampon[512];
    const ssize_t n = ::read(terminal.maitre(), tampon, sizeof tampon);
    const double t = secondesDepuis(debut);
    for (ssize_t i = 0; i < n; ++i) {
      const char c = tampon[i];
      if (c == '\x1a') {
        if (options.tsv) std::printf("eof\t%.1f\n", t * 1000);
        else std::printf("[%9.3f s] caractère 26 (fin de fichier) reçu\n", t);
        continue;
      }
      if (ligne.empty()) tLigne = t;
      ligne += c;
      if (c != '\n') continue;
      const bool avecCr = ligne.size() >= 2 && ligne[ligne.size() - 2] == '\r';
      const std::string phrase = ligne.substr(0, ligne.size() - (avecCr ? 2 : 1));
      const double ecart = tPrecedente < 0 ? 0 : (tLigne - tPrecedente) * 1000;
      const std::string verdict = verdictPhrase(phrase);
      const std::string reglages = terminal.reglages();
      // The sentence's bytes are Windows-1252: shown in the terminal's encoding (scripts reading
      // --tsv get them as they came).
      const std::string montree = platform::pourTerminal(utf8DepuisWindows1252(phrase));
      if (options.tsv)
        std::printf("phrase\t%.3f\t%.3f\t%s\t%s\t%s\t%s\n", tLigne * 1000, ecart, verdict.c_str(),
                    avecCr ? "CRLF" : "LF", reglages.c_str(), phrase.c_str());
      else
        std::printf("[%9.3f s] +%7.1f ms  %-13s %-6s %s  %s\n", tLigne, ecart, verdict.c_str(),
                    avecCr ? "CR LF" : "LF seul", reglages.c_str(), montree.c_str());
      tPrecedente = tLigne;
      ligne.clear();
    }
  }
}

}  // namespace zor::sim
