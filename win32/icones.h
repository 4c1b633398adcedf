#pragma once
// The pictures of the buttons and windows, from the program's resources, at the size the
// screen's resolution asks for; made once each and kept for as long as the windows live.
#include <map>
#include <utility>

#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

class Icones {
 public:
  explicit Icones(int pointsParPouce) : ppp_(pointsParPouce) {}
  ~Icones();
  Icones(const Icones&) = delete;
  Icones& operator=(const Icones&) = delete;

  // `cote`: the side in pixels at 96 points per inch (16 or 32).
  HICON icone(Image image, int cote);
  // The side it is drawn at on this screen.
  int cote(int cote96) const { return MulDiv(cote96, ppp_, 96); }

 private:
  int ppp_;
  std::map<std::pair<Image, int>, HICON> faites_;
};

}  // namespace zor::win32
