#include "win32/polices.h"

#include <cmath>

#include "win32/texte.h"

namespace zor::win32 {

Polices::~Polices() {
  for (auto& [cle, police] : faites_) DeleteObject(police);
}

HFONT Polices::police(const Police& p) {
  const std::string cle = std::string(p.famille) + "/" + std::to_string(p.points) + "/" + (p.gras ? "g" : "") +
                          (p.italique ? "i" : "") + (p.souligne ? "s" : "");
  if (auto it = faites_.find(cle); it != faites_.end()) return it->second;
  // The character height in pixels, without the internal leading: 8.25 pt is 11 pixels at 96
  // points per inch, the size MS Sans Serif was drawn for.
  const int hauteur = -static_cast<int>(std::lround(p.points * ppp_ / 72.0));
  const HFONT police = CreateFontW(hauteur, 0, 0, 0, p.gras ? FW_BOLD : FW_NORMAL, p.italique, p.souligne, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, large(p.famille).c_str());
  faites_[cle] = police;
  return police;
}

}  // namespace zor::win32
