#pragma once
// The window's serial control: the operations the transfers use, with their meanings, over a
// serial device. Nothing here needs the event loop; only the OnComm event is delivered through
// it. The window lets the loop paint during a transfer: what arrives then is only taken in, and
// OnComm is held for as long as the click handler runs (RetenueEvenements).
#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "serial/liaison.h"
#include "serial/peripherique.h"
#include "serial/port.h"

namespace zor::serie {

class MSComm : public QObject, public Port {
  Q_OBJECT

 public:
  static constexpr int comEvEOF = 7;  // CommEvent: an end-of-file character (code 26) arrived

  // `fabrique` gives the device under the control: the real serial devices unless a test
  // hands in its own.
  explicit MSComm(FabriqueLiaison fabrique = liaisonReelle, QObject* parent = nullptr);
  ~MSComm() override;

  void Settings(std::string_view reglages) override;
  const std::string& Settings() const { return texteReglages_; }
  void CommPort(int numero) override;
  int CommPort() const override { return numero_; }
  void PortOpen(bool ouvrir) override;
  bool PortOpen() const override { return ouvert_; }
  void InputMode(int mode) override;
  void InputLen(int longueur) override;
  std::string Input() override;
  void Output(std::string_view octets) override;
  int CommEvent() const { return commEvent_; }

  std::size_t enAttente() override;
  void attendreReception(std::chrono::milliseconds delaiMax) override;
  void abandonner() noexcept override;
  int numeroAffiche() const override;
  std::string peripherique() const override;

  // zor-cli may name the device itself ("--port /dev/ttyUSB0") rather than a port number.
  // The window types a device path into its port list the same way.
  void definirPeripherique(std::string peripherique);
  // Where CommN finds the serial ports that exist; the machine's own unless a test says.
  void definirDetection(DetectionPorts detection) { detection_ = std::move(detection); }

  // Every byte received, as it is taken from the device (a recording of the session).
  void observerReception(std::function<void(std::string_view)> observateur) { observateur_ = std::move(observateur); }

  // While held, an event found in what arrives waits; releasing delivers it through the event
  // loop. A click handler holds events for its whole run, so OnComm comes after it returns.
  void retenirEvenements();
  void libererEvenements();

 signals:
  void OnComm();

 private:
  // Takes in what the device has; returns whether anything came.
  bool tirer();
  void recevoir(std::string octets);
  void annoncer();
  [[noreturn]] void relancer(const Echec& e) const;

  std::unique_ptr<Liaison> liaison_;
  Reglages reglages_{9600, 'N', 8, 1};
  std::string texteReglages_ = "9600,N,8,1";
  int numero_ = 1;
  std::optional<std::string> peripheriqueImpose_;
  DetectionPorts detection_ = portsPresents;
  // The device behind the port number, as found when the port was last opened: failures name
  // the device that was tried, even if the machine's ports change meanwhile.
  std::optional<std::string> peripheriqueTrouve_;
  bool ouvert_ = false;
  int inputLen_ = 0;
  std::string recu_;
  std::function<void(std::string_view)> observateur_;
  int commEvent_ = 0;
  int retenues_ = 0;
  bool evenementRetenu_ = false;
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

// "4800,N,8,2" → settings; raises std::invalid_argument for anything else.
Reglages lireReglages(std::string_view texte);

}  // namespace zor::serie
