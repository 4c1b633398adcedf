#include "win32/polices.h"

#include <cmath>

#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr std::string_view kMsSansSerif = "MS Sans Serif";
// The resolution the bitmap face was drawn for.
constexpr int kResolutionMsSansSerif = 96;

bool trueTypeInstallee(const wchar_t* nom) {
  LOGFONTW cherchee{};
  cherchee.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(cherchee.lfFaceName, nom, LF_FACESIZE - 1);
  bool trouvee = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(
      dc, &cherchee,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD genre, LPARAM trouve) -> int {
        if (genre & TRUETYPE_FONTTYPE) *reinterpret_cast<bool*>(trouve) = true;
        return 1;
      },
      reinterpret_cast<LPARAM>(&trouvee), 0);
  ReleaseDC(nullptr, dc);
  return trouvee;
}

}  // namespace

Polices::~Polices() {
  for (auto& [cle, police] : faites_) DeleteObject(police);
}

std::wstring Polices::famille(const Police& p, int ppp) {
  if (p.famille != kMsSansSerif || ppp == kResolutionMsSansSerif) return large(p.famille);
  if (trueType_.empty()) trueType_ = trueTypeInstallee(L"Microsoft Sans Serif") ? L"Microsoft Sans Serif" : L"Tahoma";
  return trueType_;
}

HFONT Polices::police(const Police& p, int ppp) {
  const std::string cle = std::string(p.famille) + "/" + std::to_string(p.points) + "/" + (p.gras ? "g" : "") +
                          (p.italique ? "i" : "") + (p.souligne ? "s" : "") + "/" + std::to_string(ppp);
  if (auto it = faites_.find(cle); it != faites_.end()) return it->second;
  // The character height in pixels, without the internal leading: 8.25 pt is 11 pixels at 96
  // points per inch, the size MS Sans Serif was drawn for.
  const int hauteur = -static_cast<int>(std::lround(p.points * ppp / 72.0));
  const HFONT police = CreateFontW(hauteur, 0, 0, 0, p.gras ? FW_BOLD : FW_NORMAL, p.italique, p.souligne, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, famille(p, ppp).c_str());
  faites_[cle] = police;
  return police;
}

}  // namespace zor::win32
