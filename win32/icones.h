#pragma once
// The pictures of the buttons and windows, from the program's resources, at the size a screen's
// resolution asks for; made once each and kept for as long as the windows live.
#include <map>
#include <utility>

#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

class Icones {
 public:
  Icones() = default;
  ~Icones();
  Icones(const Icones&) = delete;
  Icones& operator=(const Icones&) = delete;

  // `cote`: the side in pixels at 96 points per inch (16 or 32).
  HICON icone(Image image, int cote, int pointsParPouce);
  // The side it is drawn at on a screen of that resolution.
  static int cote(int cote96, int pointsParPouce) { return MulDiv(cote96, pointsParPouce, 96); }

 private:
  std::map<std::pair<Image, int>, HICON> faites_;
};

}  // namespace zor::win32
