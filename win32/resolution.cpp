#include "win32/resolution.h"

namespace zor::win32 {
namespace {

template <class F>
F fonction(const char* nom) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), nom)));
}

}  // namespace

void declarerResolutionParEcran() {
  using Contexte = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  if (const auto f = fonction<Contexte>("SetProcessDpiAwarenessContext");
      f != nullptr && f(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
    return;
  // Before Windows 10: aware of the system's resolution.
  SetProcessDPIAware();
}

int resolutionSysteme() {
  using Systeme = UINT(WINAPI*)();
  if (const auto f = fonction<Systeme>("GetDpiForSystem"))
    if (const UINT ppp = f(); ppp != 0) return static_cast<int>(ppp);
  HDC dc = GetDC(nullptr);
  const int ppp = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return ppp;
}

int resolutionFenetre(HWND fenetre) {
  using Fenetre = UINT(WINAPI*)(HWND);
  if (const auto f = fonction<Fenetre>("GetDpiForWindow"))
    if (const UINT ppp = f(fenetre); ppp != 0) return static_cast<int>(ppp);
  return resolutionSysteme();
}

void ajouterCadre(RECT& client, DWORD style, bool menu, DWORD styleEtendu, int pointsParPouce) {
  using Cadre = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  if (const auto f = fonction<Cadre>("AdjustWindowRectExForDpi");
      f != nullptr && f(&client, style, menu, styleEtendu, static_cast<UINT>(pointsParPouce)))
    return;
  AdjustWindowRectEx(&client, style, menu, styleEtendu);
}

void placerFenetre(HWND fenetre, POINT coin, int largeur, int hauteur, int ppp) {
  RECT cadre{0, 0, largeur, hauteur};
  ajouterCadre(cadre, static_cast<DWORD>(GetWindowLongPtrW(fenetre, GWL_STYLE)), GetMenu(fenetre) != nullptr,
               static_cast<DWORD>(GetWindowLongPtrW(fenetre, GWL_EXSTYLE)), ppp);
  int l = cadre.right - cadre.left, h = cadre.bottom - cadre.top;
  SetWindowPos(fenetre, nullptr, coin.x, coin.y, l, h, SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame the system really drew (its menu bar, its borders) may differ from the one
  // reckoned: the client area is what must be exact.
  RECT client;
  GetClientRect(fenetre, &client);
  if (client.right != largeur || client.bottom != hauteur) {
    l += largeur - client.right;
    h += hauteur - client.bottom;
    SetWindowPos(fenetre, nullptr, 0, 0, l, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace zor::win32
