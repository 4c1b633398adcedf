#pragma once
// A serial device through Qt SerialPort, driven without an event loop: every write is pushed to
// the device at once and every read polls it, because a transfer runs inside a click handler
// (the window only paints meanwhile).
#include <QSerialPort>

#include "serial/liaison.h"

namespace zor::serie {

class LiaisonQt : public Liaison {
 public:
  LiaisonQt();
  ~LiaisonQt() override;
  void ouvrir(const std::string& peripherique, const Reglages& reglages) override;
  void ecrire(std::string_view octets) override;
  std::string lire() override;
  void attendre(std::chrono::milliseconds delaiMax) override;
  void fermer(bool vider) override;
  void surArrivee(std::function<void()> rappel) override;

 private:
  [[noreturn]] void liaisonCoupee(int numeroSysteme);
  // A wait that ended because its time ran out is no error; anything else is a lost link.
  void verifierApresAttente();

  QSerialPort port_;
  std::string peripherique_;
  int bauds_ = 4800;
  std::function<void()> rappel_;
  bool dansAppel_ = false;
};

}  // namespace zor::serie
