// Sending: once the program has opened the port, the receiver sends its records in cycles at
// the line's pace, until the program answers with 26 or closes the port.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

#include "sim/modes.h"

namespace zor::sim {
namespace {

using Horloge = std::chrono::steady_clock;

std::string flotEmis(const OptionsEmission& o, int cycle) {
  std::string s = cycle == 0 && o.rejeu.empty() ? o.bruit : std::string();
  for (const auto& e : o.enregistrements) s += e + "\r\n";
  if (!o.rejeu.empty())
    for (const auto& a : o.rejeu) s += a.octets;
  return s;
}

// How many bytes of a recording are due `ecoule` seconds after it started.
std::size_t dusDuRejeu(const OptionsEmission& o, double ecoule) {
  std::size_t du = 0;
  for (const auto& a : o.rejeu) {
    if (a.millisecondes > ecoule * 1000) break;
    du += a.octets.size();
  }
  return du;
}

}  // namespace

int emettre(Terminal& terminal, const OptionsEmission& o) {
  const auto debut = Horloge::now();
  bool ouvert = false;
  bool enCours = false;
  std::string aEnvoyer;
  std::size_t envoye = 0;
  int cycle = 0;
  bool reglagesDits = false;
  Horloge::time_point debutEnvoi{};

  auto commencer = [&] {
    terminal.oublierEntree();
    enCours = true;
    cycle = 0;
    aEnvoyer = flotEmis(o, 0);
    envoye = 0;
    debutEnvoi = Horloge::now() + std::chrono::milliseconds(o.attenteMs);
    std::printf("[%9.3f s] envoi des enregistrements dans %d ms\n", secondesDepuis(debut), o.attenteMs);
  };
  if (o.immediat) commencer();

  for (;;) {
    int delai = -1;
    if (enCours) delai = o.bauds > 0 ? 10 : 50;
    pollfd attentes[2] = {{terminal.maitre(), POLLIN, 0}, {terminal.surveillance(), POLLIN, 0}};
    ::poll(attentes, 2, delai);
    if ((attentes[0].revents & POLLIN) != 0) {
      char tampon[256];
      const ssize_t n = ::read(terminal.maitre(), tampon, sizeof tampon);
      for (ssize_t i = 0; i < n; ++i) {
        if (tampon[i] != '\x1a') continue;
        std::printf("[%9.3f s] caractère 26 reçu du programme : fin de l'envoi\n", secondesDepuis(debut));
        enCours = false;
      }
    }
    if (attentes[1].revents != 0) {
      const bool maintenant = terminal.ouvertParLeProgramme();
      if (maintenant != ouvert) {
        ouvert = maintenant;
        // The program sets the line right after opening it: its settings are told when the
        // first bytes leave, not now.
        std::printf("[%9.3f s] port %s par le programme\n", secondesDepuis(debut), ouvert ? "ouvert" : "fermé");
        reglagesDits = false;
        if (ouvert && !o.immediat) commencer();
        if (!ouvert && enCours) {
          enCours = false;
          std::printf("[%9.3f s] envoi interrompu\n", secondesDepuis(debut));
        }
      }
    }
    if (!enCours || Horloge::now() < debutEnvoi) continue;
    if (!reglagesDits) {
      std::printf("[%9.3f s] ligne réglée par le programme : %s\n", secondesDepuis(debut), terminal.reglages().c_str());
      reglagesDits = true;
    }

    // At the line's pace: 11 bits a character (start, 8 data, 2 stop).
    std::size_t du = aEnvoyer.size();
    const double ecoule = std::chrono::duration<double>(Horloge::now() - debutEnvoi).count();
    if (!o.rejeu.empty())
      du = dusDuRejeu(o, ecoule);
    else if (o.bauds > 0)
      du = std::min(aEnvoyer.size(), static_cast<std::size_t>(ecoule * o.bauds / 11));
    while (envoye < du) {
      const ssize_t n = ::write(terminal.maitre(), aEnvoyer.data() + envoye, du - envoye);
      if (n <= 0) break;  // the program is not reading: wait
      envoye += static_cast<std::size_t>(n);
    }
    if (envoye < aEnvoyer.size()) continue;
    ++cycle;
    if (o.rejeu.empty() && (o.cycles == 0 || cycle < o.cycles)) {
      aEnvoyer = flotEmis(o, cycle);
      envoye = 0;
        debutEnvoi = Horloge::now();
      continue;
    }
    if (o.eof) {
      const char fin = '\x1a';
      while (::write(terminal.maitre(), &fin, 1) != 1 && errno == EAGAIN) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      std::printf("[%9.3f s] caractère 26 envoyé\n", secondesDepuis(debut));
    }
    if (o.rejeu.empty())
      std::printf("[%9.3f s] %d cycle(s) envoyé(s) ; le récepteur se tait\n", secondesDepuis(debut), cycle);
    else
      std::printf("[%9.3f s] enregistrement rejoué ; le récepteur se tait\n", secondesDepuis(debut));
    enCours = false;
  }
}

}  // namespace zor::sim
