#pragma once
// The window's serial control: the operations the transfers use, with their meanings, over a
// serial device (liaison.h). A plain object of the program: the front end hands in how to run
// something later from its event loop, and OnComm is delivered that way only, never from
// inside the call that received the end-of-file character. While a click handler runs, OnComm
// is held (RetenueEvenements) and delivered once it returns.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"
#include "serial/choix_port.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"

namespace zor::serie {

// What the control is handed by whoever builds it.
struct ServicesMSComm {
  // The defaults are the machine's own devices and ports; a test hands in a scripted device
  // and the ports it wants.
  OuvrirLiaison ouvrir = ouvertureReelle();
  DetectionPorts detection = portsPresents;
  std::function<void(std::function<void()>)> plusTard;  // runs f from the event loop, later
};

class MSComm {
 public:
  static constexpr int comEvEOF = 7;  // CommEvent: an end-of-file character (code 26) arrived

  using Services = ServicesMSComm;

  explicit MSComm(Services services = {});
  ~MSComm();
  MSComm(const MSComm&) = delete;
  MSComm& operator=(const MSComm&) = delete;

  void Settings(const Reglages& reglages) { reglages_ = reglages; }
  const Reglages& Settings() const { return reglages_; }
  // Only while closed; a port number forgets a device named directly.
  void CommPort(int numero);
  int CommPort() const { return numero_; }
  // zor-cli may name the device itself ("--port /dev/ttyUSB0"); the window's port list the same.
  void definirPeripherique(std::string peripherique);
  // The user's choice, applied once before a transfer: a port number, a device, or nothing
  // (the control keeps its port).
  void choisir(const ChoixPort& choix);

  // Resolves the port (its device and where it came from, kept for every error) and opens it.
  std::optional<Erreur> ouvrir();
  // Waits until everything written has left, then closes.
  std::optional<Erreur> fermer();
  bool PortOpen() const { return liaison_ != nullptr; }
  // Closes at once, without raising: the way out of a failure.
  void abandonner() noexcept;

  void InputLen(int longueur) { inputLen_ = longueur < 0 ? 0 : longueur; }
  // Removes and gives (in `lu`) up to InputLen characters of what has arrived (0: all); never waits.
  // When the device fails, `lu` still holds what had arrived before, beside the error.
  std::optional<Erreur> Input(std::string& lu);
  // Returns once the device has the bytes.
  std::optional<Erreur> Output(std::string_view octets);
  // Takes in what has arrived; enAttente() then tells how many bytes wait to be read.
  std::optional<Erreur> prendre();
  std::size_t enAttente() const { return recu_.size(); }
  // Blocks until new bytes arrive or `max` has passed, then takes them in (after a failure too).
  std::optional<Erreur> attendreReception(std::chrono::milliseconds max);

  int CommEvent() const { return commEvent_; }
  std::function<void()> OnComm;  // set by the window; called through plusTard

  // The port as last resolved (before the first opening: as it would be now, without zor.conf).
  const PortDesigne& designe() const { return designe_; }
  Erreur erreur(Erreur::Genre genre, int numeroSysteme = 0) const { return erreurDuPort(designe_, genre, numeroSysteme); }

  // Every byte received, as it is taken from the device (a recording of the session).
  void observerReception(std::function<void(std::string_view)> observateur) { observateur_ = std::move(observateur); }

  void retenirEvenements() { ++retenues_; }
  void libererEvenements();

 private:
  void recevoir(std::string_view octets);
  void annoncer();
  std::optional<Erreur> nommer(std::optional<Erreur> e) const;

  Services services_;
  std::unique_ptr<Liaison> liaison_;
  Reglages reglages_ = kReglagesGps;
  int numero_ = 1;
  std::optional<std::string> peripheriqueImpose_;
  PortDesigne designe_;
  int inputLen_ = 0;
  std::string recu_;
  std::function<void(std::string_view)> observateur_;
  int commEvent_ = 0;
  int retenues_ = 0;
  bool evenementRetenu_ = false;
  std::shared_ptr<bool> vivant_ = std::make_shared<bool>(true);
};

class RetenueEvenements {
 public:
  explicit RetenueEvenements(MSComm& port) : port_(port) { port_.retenirEvenements(); }
  ~RetenueEvenements() { port_.libererEvenements(); }
  RetenueEvenements(const RetenueEvenements&) = delete;
  RetenueEvenements& operator=(const RetenueEvenements&) = delete;

 private:
  MSComm& port_;
};

}  // namespace zor::serie
