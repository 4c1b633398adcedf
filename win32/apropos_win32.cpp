#include "win32/apropos_win32.h"

#include "core/echec_action.h"
#include "win32/messages.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr int kIdSysInfo = 3;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kStyleEtendu = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

int pointsParPouce() {
  HDC dc = GetDC(nullptr);
  const int ppp = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return ppp;
}

}  // namespace

int FrmAboutWin32::px(int twips) const { return pixels(twips, pointsParPouce()); }

FrmAboutWin32::FrmAboutWin32(apropos::frmAbout& modele, HWND proprietaire, Polices& polices, Icones& icones,
                             std::function<void()> ferme)
    : modele_(modele), polices_(polices), icones_(icones), ferme_(std::move(ferme)) {
  static const ATOM classe = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = kClasseAPropos;
    return RegisterClassExW(&c);
  }();
  (void)classe;

  // The client area's top-left corner at its fixed place on the screen.
  const Rectangle& place = apropos::kPlaceAPropos;
  RECT r{px(place.gauche), px(place.haut), px(place.gauche) + px(place.largeur), px(place.haut) + px(place.hauteur)};
  AdjustWindowRectEx(&r, kStyle, FALSE, kStyleEtendu);
  hwnd_ = CreateWindowExW(kStyleEtendu, kClasseAPropos, large(modele_.Caption).c_str(), kStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, proprietaire, nullptr, GetModuleHandleW(nullptr), this);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icones_.icone(Image::APropos, 32)));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icones_.icone(Image::APropos, 16)));

  // Made in tab order: the dialog manager's Tab follows the order the children were made in.
  for (Controle* c : modele_.controles()) {
    const Description& d = c->description();
    const std::wstring caption = large(c->Caption());
    HWND w = nullptr;
    const int x = px(d.position.gauche), y = px(d.position.haut), l = px(d.position.largeur), h = px(d.position.hauteur);
    if (d.genre == Genre::Bouton) {
      const bool ok = c == &modele_.cmdOK;
      w = CreateWindowExW(0, L"BUTTON", caption.c_str(),
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | (ok ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y, l, h, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ok ? IDOK : kIdSysInfo)), nullptr, nullptr);
    } else if (d.genre == Genre::Image) {
      // SS_ICON sizes the control to its picture.
      w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON, x, y, l, h, hwnd_, nullptr, nullptr, nullptr);
      SendMessageW(w, STM_SETICON, reinterpret_cast<WPARAM>(icones_.icone(d.image, d.coteImage)), 0);
    } else {
      w = CreateWindowExW(0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, y, l, h, hwnd_,
                          nullptr, nullptr, nullptr);
    }
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(polices_.police(d.police)), FALSE);
    controles_.emplace_back(c, w);
  }
  focus_ = controle(modele_.cmdOK);

  modele_.surDechargement = [this] {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  };
}

FrmAboutWin32::~FrmAboutWin32() {
  modele_.surDechargement = nullptr;
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

HWND FrmAboutWin32::controle(const Controle& c) const {
  for (const auto& [modele, w] : controles_)
    if (modele == &c) return w;
  return nullptr;
}

void FrmAboutWin32::afficher() {
  if (hwnd_ == nullptr) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(focus_);
}

LRESULT CALLBACK FrmAboutWin32::procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* boite = reinterpret_cast<FrmAboutWin32*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (boite == nullptr) return DefWindowProcW(w, message, wp, lp);
  try {
    return boite->traiter(w, message, wp, lp);
  } catch (...) {
    afficherMessage({decrireEchecEnCours(), std::string(kTitreApplication), Boutons::Ok, Icone::Avertissement}, w);
    return 0;
  }
}

LRESULT FrmAboutWin32::traiter(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_COMMAND:
      // "OK", Enter and Esc (IDOK, IDCANCEL from the dialog manager) unload the box.
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) modele_.cmdOK_Click();
      else if (LOWORD(wp) == kIdSysInfo) modele_.cmdSysInfo_Click();
      return 0;
    case WM_CTLCOLORSTATIC: {
      const auto etiquette = reinterpret_cast<HWND>(lp);
      auto dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      for (const auto& [c, fenetre] : controles_)
        if (fenetre == etiquette && c->description().texte) {
          const Couleur t = *c->description().texte;
          SetTextColor(dc, RGB(t.r, t.g, t.b));
        }
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus comes back where it was.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (HWND f = GetFocus(); f != nullptr && IsChild(w, f)) focus_ = f;
      } else if (focus_ != nullptr) {
        SetFocus(focus_);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT p;
      HDC dc = BeginPaint(w, &p);
      peindreSeparateur(dc);
      EndPaint(w, &p);
      return 0;
    }
    case WM_CLOSE:
      // The close box unloads the box like "OK".
      modele_.fermer();
      return 0;
    case WM_DESTROY: {
      // Nothing of this object is used after `ferme`, which may delete it.
      SetWindowLongPtrW(w, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      controles_.clear();
      const std::function<void()> ferme = ferme_;
      if (ferme) ferme();
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(w, message, wp, lp);
}

void FrmAboutWin32::peindreSeparateur(HDC dc) {
  // The white line first, the grey one a pixel above it: an etched groove.
  for (const apropos::Ligne& l : modele_.Line1) {
    RECT r{px(l.x1), px(l.y1), px(l.x2), px(l.y1) + l.epaisseur};
    const HBRUSH b = CreateSolidBrush(RGB(l.couleur.r, l.couleur.g, l.couleur.b));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
}

}  // namespace zor::win32
