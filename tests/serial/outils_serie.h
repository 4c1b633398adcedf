#pragma once
// What the serial tests share: a journal where the port, the pauses and the window's changes
// write in turn, bytes that arrive at set times of the fake clock, a scripted port, a scripted
// device under the real control, and a real pseudo-terminal pair.
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/erreur.h"
#include "serial/affichage.h"
#include "serial/liaison.h"
#include "serial/port.h"
#include "tests/support/seams.h"

namespace zor::test {

using Microsecondes = std::chrono::microseconds;

// Control characters written as \r, \n, \x1A so a journal line shows every byte.
std::string visible(std::string_view octets);

struct Journal {
  std::vector<std::string> lignes;
  void noter(std::string ligne) { lignes.push_back(std::move(ligne)); }
  // The window's labels, as the transfers change them.
  serie::Affichage affichage();
};

// The fake clock, noting each pause in the journal.
class HorlogeJournal : public HorlogeFactice {
 public:
  explicit HorlogeJournal(Journal& journal) : journal_(journal) {}
  void dormir(std::chrono::milliseconds duree) override;

 private:
  Journal& journal_;
};

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

 private:
  std::deque<std::pair<Instant, std::string>> pieces_;  // in order of arrival
};

// A port over a timeline of arrivals: enAttente() takes in what has arrived by now, Input()
// gives up to InputLen of it, attendreReception() moves the clock on to the next arrival or by
// the time waited. Operations go to the journal.
class FauxPort : public serie::Port {
 public:
  FauxPort(Journal& journal, HorlogeFactice& horloge) : journal_(journal), horloge_(horloge) {}

  Arrivees arrivees;
  std::optional<Erreur::Genre> echecOuverture;
  int numeroEchecOuverture = 0;  // the system's error number of that failure
  int echecOutputNumero = 0;  // the nth Output fails (1 = first); 0: never
  int echecInputNumero = 0;   // the nth Input fails
  bool journaliserAttentes = true;
  bool journaliserSorties = true;
  int attentes = 0;
  int inputs = 0;
  std::string ecrit;              // every byte given to Output
  std::size_t plusLongueSortie = 0;

  void Settings(std::string_view r) override { journal_.noter("Settings " + std::string(r)); }
  void CommPort(int n) override {
    numero_ = n;
    journal_.noter("CommPort " + std::to_string(n));
  }
  int CommPort() const override { return numero_; }
  void PortOpen(bool ouvrir) override;
  bool PortOpen() const override { return ouvert_; }
  void InputMode(int m) override { journal_.noter("InputMode " + std::to_string(m)); }
  void InputLen(int n) override;
  std::string Input() override;
  void Output(std::string_view octets) override;
  std::size_t enAttente() override;
  void attendreReception(std::chrono::milliseconds delai) override;
  void abandonner() noexcept override;
  int numeroAffiche() const override { return numero_; }
  std::string peripherique() const override { return "/dev/ttyS" + std::to_string(numero_ - 1); }

 private:
  void tourneAVide();

  Journal& journal_;
  HorlogeFactice& horloge_;
  int numero_ = 1;
  bool ouvert_ = false;
  int inputLen_ = 0;
  std::string recu_;
  int outputs_ = 0;
  int appelsSansAttente_ = 0;
  Instant instantVu_{};
};

// A scripted device under the real control: lire() gives what has arrived by the clock's time,
// attendre() moves the clock on as FauxPort does.
struct ScenarioLiaison {
  Arrivees arrivees;
  std::vector<std::string> journal;
  std::string ecrit;
  std::optional<Erreur> echecOuverture;
  std::function<void()> aLOuverture;                   // runs once the device is open
  int echecEcritureNumero = 0;                         // the nth write fails
  std::optional<std::chrono::milliseconds> coupure;    // the device vanishes at this time
  HorlogeFactice* horloge = nullptr;
  serie::Reglages reglages;
  std::string peripherique;
  bool ouvert = false;
  int ouvertures = 0;
};

// The factory a serial control is handed: every device it builds plays `scenario`.
serie::FabriqueLiaison liaisonScriptee(ScenarioLiaison& scenario);

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
  PortEnvironnement(int numero, const std::string& peripherique)
      : variable_("ZOR_COMM" + std::to_string(numero), peripherique) {}

 private:
  VariableEnvironnement variable_;
};

}  // namespace zor::test
