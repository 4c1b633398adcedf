#pragma once
// The fonts of the controls at the screen's resolution, made once each and kept for as long as
// the windows live.
#include <map>
#include <string>

#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

class Polices {
 public:
  explicit Polices(int pointsParPouce) : ppp_(pointsParPouce) {}
  ~Polices();
  Polices(const Polices&) = delete;
  Polices& operator=(const Polices&) = delete;

  HFONT police(const Police& p);

 private:
  int ppp_;
  std::map<std::string, HFONT> faites_;
};

}  // namespace zor::win32
