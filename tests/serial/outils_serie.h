#pragma once
// What the serial tests share: a journal where the port, the pauses and the window's changes
// write in turn, a scripted port, a scripted device under the real control, and a real
// pseudo-terminal pair.
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/pause.h"
#include "serial/affichage.h"
#include "serial/liaison.h"
#include "serial/port.h"

namespace zor::test {

// Control characters written as \r, \n, \x1A so a journal line shows every byte.
std::string visible(std::string_view octets);

struct Journal {
  std::vector<std::string> lignes;
  void noter(std::string ligne) { lignes.push_back(std::move(ligne)); }
  // The window's labels, as the transfers change them.
  serie::Affichage affichage();
};

// The fake clock, noting each pause in the journal; installed for its lifetime.
class HorlogeJournal : public platform::HorlogeFactice {
 public:
  explicit HorlogeJournal(Journal& journal) : journal_(journal) { platform::installerHorloge(this); }
  ~HorlogeJournal() override { platform::installerHorloge(nullptr); }
  void dormir(std::chrono::milliseconds duree) override;

 private:
  Journal& journal_;
};

// A port whose reads return what the test queued ("" once the queue is empty). Waiting moves
// the fake clock on by the time waited.
class FauxPort : public serie::Port {
 public:
  FauxPort(Journal& journal, platform::HorlogeFactice& horloge) : journal_(journal), horloge_(horloge) {}

  std::deque<std::string> lectures;
  std::optional<serie::Panne::Genre> echecOuverture;
  int echecOutputNumero = 0;  // the nth Output fails (1 = first); 0: never
  int echecInputNumero = 0;   // the nth Input fails
  bool journaliserAttentes = true;
  int attentes = 0;

  void Settings(std::string_view r) override { journal_.noter("Settings " + std::string(r)); }
  void CommPort(int n) override {
    numero_ = n;
    journal_.noter("CommPort " + std::to_string(n));
  }
  int CommPort() const override { return numero_; }
  void PortOpen(bool ouvrir) override;
  bool PortOpen() const override { return ouvert_; }
  void InputMode(int m) override { journal_.noter("InputMode " + std::to_string(m)); }
  void InputLen(int n) override { journal_.noter("InputLen " + std::to_string(n)); }
  std::string Input() override;
  void Output(std::string_view octets) override;
  void attendreReception(std::chrono::milliseconds delai) override;
  void abandonner() noexcept override;
  int numeroAffiche() const override { return numero_; }
  std::string peripherique() const override { return "/dev/ttyS" + std::to_string(numero_ - 1); }

 private:
  Journal& journal_;
  platform::HorlogeFactice& horloge_;
  int numero_ = 1;
  bool ouvert_ = false;
  int outputs_ = 0;
  int inputs_ = 0;
};

// A scripted device under the real control. Each pull takes the next arrival; an empty queue
// means silence. Waiting moves the installed fake clock on.
struct ScenarioLiaison {
  std::deque<std::string> arrivees;
  std::vector<std::string> journal;
  std::string ecrit;
  std::optional<serie::Panne> echecOuverture;
  int echecEcritureNumero = 0;  // the nth write fails
  int echecLectureNumero = 0;   // the nth pull fails
  platform::HorlogeFactice* horloge = nullptr;
  serie::Reglages reglages;
  std::string peripherique;
  bool ouvert = false;
  int ouvertures = 0;
};

// Every serial control built during its lifetime gets a device playing `scenario` (one
// scenario per control, in order of construction).
class LiaisonsScriptees {
 public:
  explicit LiaisonsScriptees(std::vector<ScenarioLiaison*> scenarios);
  ~LiaisonsScriptees();

 private:
  std::vector<ScenarioLiaison*> scenarios_;
  std::size_t suivant_ = 0;
};

// A real pseudo-terminal: the program opens `esclave`, the test plays the receiver on `maitre`.
class PairePty {
 public:
  PairePty();
  ~PairePty();
  const std::string& esclave() const { return esclave_; }
  int maitre() const { return maitre_; }
  void ecrire(std::string_view octets);
  // Everything the program sent, waiting up to `delai` for `attendus` bytes.
  std::string lire(std::size_t attendus = 0, std::chrono::milliseconds delai = std::chrono::milliseconds(200));
  // The receiver goes away: the program's device hangs up.
  void raccrocher();

 private:
  int maitre_ = -1;
  int gardien_ = -1;  // a slave end kept open, so the program closing its port is no hang-up
  std::string esclave_;
};

// Points $ZOR_COMMn at a device for its lifetime.
class PortEnvironnement {
 public:
  PortEnvironnement(int numero, const std::string& peripherique);
  ~PortEnvironnement();

 private:
  std::string variable_;
  std::optional<std::string> ancien_;
};

}  // namespace zor::test
