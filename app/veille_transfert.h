#pragma once
// What keeps the window alive while a transfer runs inside a click handler: a clock whose
// pauses and a port whose waits call `veille`, which lets the window paint itself and answer
// the desktop. Clicks and keys are not part of it: they wait until the transfer is over.
#include <functional>

#include "core/horloge.h"
#include "serial/port.h"

namespace zor::app {

// The pauses of `base`, with `veille` called all along them.
class HorlogeVeillante : public Horloge {
 public:
  HorlogeVeillante(Horloge& base, std::function<void()> veille) : base_(base), veille_(std::move(veille)) {}
  void dormir(std::chrono::milliseconds duree) override { base_.dormirEnVeillant(duree, veille_); }
  Instant maintenant() override { return base_.maintenant(); }

 private:
  Horloge& base_;
  std::function<void()> veille_;
};

// `base` itself, with `veille` called after each wait for the receiver (a tenth of a second
// at most each: a silent receiver is waited for up to its silence bound).
class PortVeillant : public serie::Port {
 public:
  PortVeillant(serie::Port& base, std::function<void()> veille) : base_(base), veille_(std::move(veille)) {}

  void Settings(std::string_view reglages) override { base_.Settings(reglages); }
  void CommPort(int numero) override { base_.CommPort(numero); }
  int CommPort() const override { return base_.CommPort(); }
  void PortOpen(bool ouvrir) override { base_.PortOpen(ouvrir); }
  bool PortOpen() const override { return base_.PortOpen(); }
  void InputMode(int mode) override { base_.InputMode(mode); }
  void InputLen(int longueur) override { base_.InputLen(longueur); }
  std::string Input() override { return base_.Input(); }
  void Output(std::string_view octets) override { base_.Output(octets); }
  std::size_t enAttente() override { return base_.enAttente(); }
  void attendreReception(std::chrono::milliseconds delaiMax) override {
    base_.attendreReception(delaiMax);
    veille_();
  }
  void abandonner() noexcept override { base_.abandonner(); }
  int numeroAffiche() const override { return base_.numeroAffiche(); }
  std::string peripherique() const override { return base_.peripherique(); }

 private:
  serie::Port& base_;
  std::function<void()> veille_;
};

}  // namespace zor::app
