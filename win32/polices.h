#pragma once
// The fonts of the controls at a screen's resolution, made once each and kept for as long as
// the windows live. "MS Sans Serif", the windows' own face, is a bitmap font drawn for 96 points
// per inch: there it is used as it is; at any other resolution Windows would stretch its pixels,
// so a TrueType face of the same design and widths stands in for it at the same point size
// ("Microsoft Sans Serif", or Tahoma where that one is missing).
#include <map>
#include <string>

#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

class Polices {
 public:
  Polices() = default;
  ~Polices();
  Polices(const Polices&) = delete;
  Polices& operator=(const Polices&) = delete;

  HFONT police(const Police& p, int pointsParPouce);
  // The face drawn for `p` at that resolution.
  std::wstring famille(const Police& p, int pointsParPouce);

 private:
  std::wstring trueType_;  // the stand-in for MS Sans Serif, found once
  std::map<std::string, HFONT> faites_;
};

}  // namespace zor::win32
