#include "win32/etiquette_fenetre.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ihm/lignes_caption.h"
#include "core/windows1252.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr wchar_t kClasse[] = L"ZorEtiquetteFenetre";

struct Etat {
  const Controle& modele;
  HFONT police;
  HBRUSH fond;
  LignesCaption lignes;
  std::array<double, 256> largeurs{};
  int hauteurLigne = 0;
};

Etat* etat(HWND w) { return reinterpret_cast<Etat*>(GetWindowLongPtrW(w, GWLP_USERDATA)); }

void mesurerCaracteres(HWND w, Etat& e) {
  HDC dc = GetDC(w);
  const HGDIOBJ avant = SelectObject(dc, e.police);
  TEXTMETRICW mesures{};
  GetTextMetricsW(dc, &mesures);
  e.hauteurLigne = mesures.tmHeight + mesures.tmExternalLeading;
  for (int o = 0; o < 256; ++o) {
    const wchar_t c = static_cast<wchar_t>(unicodeDeWindows1252(static_cast<unsigned char>(o)));
    SIZE taille{};
    GetTextExtentPoint32W(dc, &c, 1, &taille);
    e.largeurs[static_cast<std::size_t>(o)] = taille.cx;
  }
  SelectObject(dc, avant);
  ReleaseDC(w, dc);
}

void dimensionner(HWND w, Etat& e, std::size_t premiereLigneNouvelle) {
  const double largeur = e.lignes.mesurer(e.modele.octets(), premiereLigneNouvelle, e.largeurs);
  // Past the client area nothing shows; window sizes stay within what every window function
  // takes.
  const long long hauteur =
      std::min<long long>(static_cast<long long>(e.lignes.nombre()) * e.hauteurLigne, 0x7FFF);
  SetWindowPos(w, nullptr, 0, 0, std::max(static_cast<int>(std::ceil(largeur)) + 2, 1),
               std::max(static_cast<int>(hauteur), 1), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(w, nullptr, TRUE);
}

void peindre(HWND w, Etat& e) {
  PAINTSTRUCT p;
  HDC dc = BeginPaint(w, &p);
  // Only what lies inside the parent's client area can show.
  RECT visible;
  GetClientRect(GetParent(w), &visible);
  MapWindowPoints(GetParent(w), w, reinterpret_cast<POINT*>(&visible), 2);
  RECT zone;
  if (IntersectRect(&zone, &p.rcPaint, &visible) && e.lignes.nombre() > 0 && e.hauteurLigne > 0) {
    const HGDIOBJ avant = SelectObject(dc, e.police);
    SetBkMode(dc, TRANSPARENT);
    const auto texte = e.modele.description().texte;
    SetTextColor(dc, texte ? RGB(texte->r, texte->g, texte->b) : GetSysColor(COLOR_BTNTEXT));
    const std::size_t premiere = static_cast<std::size_t>(std::max(0L, zone.top / e.hauteurLigne));
    const std::size_t derniere =
        std::min(e.lignes.nombre() - 1, static_cast<std::size_t>(std::max(0L, zone.bottom / e.hauteurLigne)));
    for (std::size_t i = premiere; i <= derniere; ++i) {
      const std::wstring ligne = depuisWindows1252(e.lignes.ligne(e.modele.octets(), i));
      TextOutW(dc, 0, static_cast<int>(i) * e.hauteurLigne, ligne.c_str(), static_cast<int>(ligne.size()));
    }
    SelectObject(dc, avant);
  }
  EndPaint(w, &p);
}

LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  Etat* e = etat(w);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(w, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
      break;
    case WM_NCDESTROY:
      if (e != nullptr) {
        DeleteObject(e->fond);
        delete e;
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
      }
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClipBox(reinterpret_cast<HDC>(wp), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, e->fond);
      return 1;
    }
    case WM_PAINT:
      peindre(w, *e);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(e->police);
    default: break;
  }
  return DefWindowProcW(w, message, wp, lp);
}

}  // namespace

HWND creerEtiquetteFenetre(HWND parent, const Controle& modele, HFONT police, Couleur fond, int x, int y, int id) {
  static const ATOM classe = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = kClasse;
    return RegisterClassExW(&c);
  }();
  (void)classe;
  auto* e = new Etat{modele, police, CreateSolidBrush(RGB(fond.r, fond.g, fond.b)), {}, {}, 0};
  HWND w = CreateWindowExW(0, kClasse, L"", WS_CHILD | WS_CLIPSIBLINGS, x, y, 1, 1, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), e);
  if (w == nullptr) {
    DeleteObject(e->fond);
    delete e;
    return nullptr;
  }
  mesurerCaracteres(w, *e);
  captionRemplacee(w);
  return w;
}

void captionRemplacee(HWND w) {
  Etat* e = etat(w);
  if (e == nullptr) return;
  e->lignes.remplacer(e->modele.octets());
  dimensionner(w, *e, 0);
}

void octetsAjoutes(HWND w) {
  Etat* e = etat(w);
  if (e == nullptr) return;
  dimensionner(w, *e, e->lignes.ajouter(e->modele.octets()));
}

}  // namespace zor::win32

namespace zor::win32 {

void policeChangee(HWND w, HFONT police) {
  Etat* e = etat(w);
  if (e == nullptr) return;
  e->police = police;
  mesurerCaracteres(w, *e);
  e->lignes.oublierMesures();
  dimensionner(w, *e, 0);
}

std::wstring texteQuiSeVoit(HWND w) {
  Etat* e = etat(w);
  if (e == nullptr || e->hauteurLigne <= 0) return {};
  RECT client, place;
  GetClientRect(GetParent(w), &client);
  GetWindowRect(w, &place);
  MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&place), 2);
  const long hauteur = client.bottom - place.top;
  if (hauteur <= 0) return {};
  const std::size_t lignes = static_cast<std::size_t>((hauteur + e->hauteurLigne - 1) / e->hauteurLigne);
  std::wstring texte = depuisWindows1252(e->lignes.premieresLignes(e->modele.octets(), lignes));
  std::erase(texte, L'\r');
  return texte;
}

}  // namespace zor::win32
