#include "win32/apropos_win32.h"

#include "core/echec_action.h"
#include "win32/messages.h"
#include "win32/resolution.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kStyleEtendu = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

FrmAboutWin32::FrmAboutWin32(apropos::frmAbout& modele, HWND proprietaire, Polices& polices, Icones& icones,
                             std::function<void()> ferme)
    : modele_(modele), polices_(polices), icones_(icones), ferme_(std::move(ferme)), ppp_(resolutionSysteme()) {
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
  ajouterCadre(r, kStyle, false, kStyleEtendu, ppp_);
  hwnd_ = CreateWindowExW(kStyleEtendu, kClasseAPropos, large(modele_.Caption).c_str(), kStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, proprietaire, nullptr, GetModuleHandleW(nullptr), this);
  poserIcones(hwnd_, icones_, Image::APropos, ppp_);

  rendu_.emplace(hwnd_, polices_, icones_, ppp_, std::nullopt, [this](const Evenement& e) { return envoyer(e); });
  rendu_->construire(modele_.controles());
  modele_.definirVue({[this](const Controle& c, Propriete p) { rendu_->refleter(c, p); },
                      [this] {
                        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
                      }});
  if (const int ppp = resolutionFenetre(hwnd_); ppp != ppp_) changerResolution(ppp, nullptr);
}

void FrmAboutWin32::changerResolution(int ppp, const RECT* place) {
  // Before its controls are made, nothing to do: they are made at the window's resolution.
  if (!rendu_) return;
  ppp_ = ppp;
  passerAResolution(hwnd_, place, apropos::kPlaceAPropos.largeur, apropos::kPlaceAPropos.hauteur, icones_, Image::APropos,
                    *rendu_, ppp_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

FrmAboutWin32::~FrmAboutWin32() {
  // An unloaded model calls nothing any more; a loaded one forgets this window.
  if (hwnd_ != nullptr) {
    modele_.definirVue({});
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FrmAboutWin32::afficher() {
  if (hwnd_ == nullptr) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  rendu_->focusInitial();
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
  if (rendu_)
    if (const std::optional<LRESULT> r = rendu_->traiter(message, wp, lp)) return *r;
  switch (message) {
    case WM_ACTIVATE:
      if (rendu_) rendu_->activation(wp);
      return 0;
    case WM_DPICHANGED:
      changerResolution(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
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
      envoyer(Evenement::demandeFermeture());
      return 0;
    case WM_DESTROY: {
      // Nothing of this object is used after `ferme`, which may delete it.
      SetWindowLongPtrW(w, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
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
    FillRect(dc, &r, rendu_->pinceau(l.couleur));
  }
}

}  // namespace zor::win32
