#pragma once
// What the serial tests on real devices share: a pseudo-terminal pair, and $ZOR_COMMn pointed
// at a device. Linux only (openpty).
#include <chrono>
#include <string>
#include <string_view>

#include "tests/serial/liaison_scriptee.h"
#include "tests/support/outils.h"

namespace zor::test {

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
  // The receiver goes away: the program's device hangs up and its node vanishes.
  void raccrocher();
  // The line hangs up (a cable cut, the modem lines dropped) while the device stays; false where
  // this user may not do it (root only).
  bool couperLaLigne();

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
