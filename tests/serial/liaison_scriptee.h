#pragma once
// The one fake of the serial tests: a scripted device under the real serial control. What the
// receiver sends arrives at set times of the fake clock; what the program writes is kept with
// the time it left. No toolkit, no real device.
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/erreur.h"
#include "serial/liaison.h"
#include "serial/mscomm.h"
#include "tests/support/outils.h"

namespace zor::test {

using Microsecondes = std::chrono::microseconds;

// Control characters written as \r, \n, \x1A so a failing comparison shows every byte.
std::string visible(std::string_view octets);

// What the receiver sends, each piece at its time on the fake clock (counted from its start).
class Arrivees {
 public:
  void ajouter(std::string octets, Microsecondes a = Microsecondes{0});
  // `flux` as a receiver sends it on the line (8N2: 11 bits a character), from `debut`, in
  // pieces of `morceau` bytes, each there once its last byte has come.
  void enTempsReel(std::string_view flux, std::size_t morceau, Microsecondes debut, int bauds = 4800);
  // Everything that has arrived by `maintenant`.
  std::string prendre(Instant maintenant);
  // A wait of at most `delai` from `maintenant`: until the next arrival, if it comes sooner.
  Instant finAttente(Instant maintenant, std::chrono::milliseconds delai) const;
  bool restantes() const { return !pieces_.empty(); }
  // How many bytes have not been taken yet.
  std::size_t octetsRestants() const;

 private:
  std::deque<std::pair<Instant, std::string>> pieces_;  // in order of arrival
};

struct ScenarioLiaison {
  explicit ScenarioLiaison(HorlogeFactice* h = nullptr) : horloge(h) {}
  HorlogeFactice* horloge;  // waits move it on; none: everything has already arrived
  Arrivees arrivees;
  std::string ecrit;                               // every byte written
  std::vector<std::chrono::milliseconds> quand;    // when each write was made
  std::vector<serie::PortDesigne> ouverts;         // each opening, with the port it was given
  serie::Reglages reglages;
  std::function<std::optional<Erreur>(const serie::PortDesigne&)> refus;  // the device does not open
  int echecEcriture = 0;                           // the nth write fails (a lost link)
  // The device vanishes at this time, handing over with its error what had come before.
  std::optional<std::chrono::milliseconds> coupure;
  std::function<void()> surEcriture, surLecture;
  bool ouvert = false;
  int fermetures = 0;  // closed with the output drained
  int abandons = 0;    // closed at once
  int attentes = 0;
};

serie::OuvrirLiaison liaisonScriptee(ScenarioLiaison& scenario);

// A control over `scenario`, finding `presents` on the machine; `plusTard` collects what the
// control asks the event loop to run.
serie::MSComm::Services servicesScriptes(ScenarioLiaison& scenario, std::vector<serie::PortSerie> presents = {},
                                         std::vector<std::function<void()>>* plusTard = nullptr);

}  // namespace zor::test
