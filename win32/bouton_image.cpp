#include "win32/bouton_image.h"

#include <string>

#include "ihm/disposition_bouton.h"

namespace zor::win32 {
namespace {

// Two pixels of 3D border, then the focus rectangle's line; the caption keeps clear of that
// line at the bottom even when the pressed button shifts it down by one pixel.
constexpr int kBord = 2;
constexpr int kInterieur = kBord + 1;
constexpr int kInterieurBas = kBord + 2;

}  // namespace

void dessinerBoutonImage(const DRAWITEMSTRUCT& dessin, Couleur face, HICON icone, int cote) {
  HDC dc = dessin.hDC;
  RECT r = dessin.rcItem;
  const bool enfonce = (dessin.itemState & ODS_SELECTED) != 0;
  const bool inactif = (dessin.itemState & ODS_DISABLED) != 0;

  const HBRUSH fond = CreateSolidBrush(RGB(face.r, face.g, face.b));
  FillRect(dc, &r, fond);
  DeleteObject(fond);
  // EDGE_RAISED: light and highlight at the top and left, shadow and dark shadow at the
  // bottom and right; EDGE_SUNKEN the other way round while pressed.
  RECT bord = r;
  DrawEdge(dc, &bord, enfonce ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  const int longueur = GetWindowTextLengthW(dessin.hwndItem);
  std::wstring caption(static_cast<std::size_t>(longueur) + 1, L'\0');
  GetWindowTextW(dessin.hwndItem, caption.data(), longueur + 1);
  caption.resize(static_cast<std::size_t>(longueur));

  const HGDIOBJ avant = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dessin.hwndItem, WM_GETFONT, 0, 0)));
  // The access key is underlined only when the keyboard is in use (as the system's buttons do).
  const UINT prefixe = (dessin.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  TEXTMETRICW mesures{};
  GetTextMetricsW(dc, &mesures);
  RECT calcul{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), -1, &calcul, DT_CALCRECT | DT_SINGLELINE);
  const Zone interieur{static_cast<int>(r.left) + kInterieur, static_cast<int>(r.top) + kInterieur,
                       static_cast<int>(r.right - r.left) - kInterieur * 2,
                       static_cast<int>(r.bottom - r.top) - kInterieur - kInterieurBas};
  const DispositionBouton d =
      disposerBouton(interieur, mesures.tmHeight, static_cast<int>(calcul.right - calcul.left), cote, enfonce);

  if (icone != nullptr) {
    // A picture taller than the room above the caption is cut there, never drawn on the caption.
    const int sauve = SaveDC(dc);
    if (d.coupee) IntersectClipRect(dc, r.left, r.top + kBord, r.right, d.texte.y);
    DrawIconEx(dc, d.image.x, d.image.y, icone, d.image.largeur, d.image.hauteur, 0, nullptr, DI_NORMAL);
    RestoreDC(dc, sauve);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(inactif ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT texte{d.texte.x, d.texte.y, d.texte.x + d.texte.largeur, d.texte.y + d.texte.hauteur};
  DrawTextW(dc, caption.c_str(), -1, &texte, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefixe);

  if ((dessin.itemState & ODS_FOCUS) && !(dessin.itemState & ODS_NOFOCUSRECT)) {
    RECT focus{r.left + kBord + 1, r.top + kBord + 1, r.right - kBord - 1, r.bottom - kBord - 1};
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, avant);
}

}  // namespace zor::win32
