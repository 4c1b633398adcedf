#include "win32/form1_win32.h"

#include "core/echec_action.h"
#include "win32/fichiers_donnes.h"
#include "win32/messages.h"
#include "win32/resolution.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr int kIdPremierMenu = 50;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

Form1Win32::Form1Win32(app::Form1& modele, std::function<void()> fermee)
    : modele_(modele), fermee_(std::move(fermee)), ppp_(resolutionSysteme()) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  static const ATOM classe = [instance] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    // CS_DBLCLKS: the double click on the background is the window's own event.
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = kClasseForm1;
    return RegisterClassExW(&c);
  }();
  (void)classe;

  HMENU menu = CreateMenu();
  int idMenu = kIdPremierMenu;
  for (const Controle* entree : modele_.menus()) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(idMenu), large(entree->Caption()).c_str());
    menus_.emplace_back(idMenu++, entree);
  }

  // The client area in twips at the system's resolution; Windows chooses the place, and the
  // window is laid out again if the screen it lands on has another resolution.
  RECT r{0, 0, px(app::kLargeurClient), px(app::kHauteurClient)};
  ajouterCadre(r, kStyle, true, 0, ppp_);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClasseForm1, large(app::kTitreForm1).c_str(), kStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, menu, instance, this);
  poserIcones(hwnd_, icones_, Image::Fenetre, ppp_);
  proprietaireAPropos_ =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);

  rendu_.emplace(hwnd_, polices_, icones_, ppp_, app::kFondFenetre, [this](const Evenement& e) { return envoyer(e); });
  rendu_->construire(modele_.controles());
  // Files dropped anywhere on the window: the shell sends WM_DROPFILES to it for its controls too.
  DragAcceptFiles(hwnd_, TRUE);
  modele_.definirVue({[this](const Controle& c, Propriete p) { rendu_->refleter(c, p); },
                      [this](apropos::frmAbout& boite) { montrerAPropos(boite); }});
  if (const int ppp = resolutionFenetre(hwnd_); ppp != ppp_) changerResolution(ppp);
}

void Form1Win32::changerResolution(int ppp, const RECT* place) {
  // Before its controls are made, nothing to do: they are made at the window's resolution.
  if (!rendu_) return;
  ppp_ = ppp;
  passerAResolution(hwnd_, place, app::kLargeurClient, app::kHauteurClient, icones_, Image::Fenetre, *rendu_, ppp_);
}

Form1Win32::~Form1Win32() {
  modele_.definirVue({});
  apropos_.reset();
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (proprietaireAPropos_ != nullptr) DestroyWindow(proprietaireAPropos_);
}

void Form1Win32::montrer(int commande) {
  ShowWindow(hwnd_, commande);
  UpdateWindow(hwnd_);
}

void Form1Win32::montrerAPropos(apropos::frmAbout& boite) {
  if (!apropos_ || &apropos_->modele() != &boite || apropos_->hwnd() == nullptr) {
    apropos_.reset();
    apropos_ = std::make_unique<FrmAboutWin32>(boite, proprietaireAPropos_, polices_, icones_, [this] {
      // The program ends with its last window.
      if (hwnd_ == nullptr && fermee_) fermee_();
    });
  }
  apropos_->afficher();
}

LRESULT CALLBACK Form1Win32::procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* fenetre = reinterpret_cast<Form1Win32*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (fenetre == nullptr) return DefWindowProcW(w, message, wp, lp);
  // A handler's failure that nothing below reported ends in one message; the window goes on.
  try {
    return fenetre->traiter(w, message, wp, lp);
  } catch (...) {
    afficherMessage({decrireEchecEnCours(), std::string(kTitreApplication), Boutons::Ok, Icone::Avertissement}, w);
    return 0;
  }
}

LRESULT Form1Win32::traiter(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_COMMAND && lp == 0)
    for (const auto& [id, entree] : menus_)
      if (LOWORD(wp) == id) {
        envoyer(Evenement::clic(*entree));
        return 0;
      }
  if (rendu_)
    if (const std::optional<LRESULT> r = rendu_->traiter(message, wp, lp)) return *r;
  switch (message) {
    case WM_ERASEBKGND: {
      if (!rendu_) break;
      RECT r;
      GetClientRect(w, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, rendu_->pinceau(app::kFondFenetre));
      return 1;
    }
    case WM_LBUTTONDBLCLK:
      // Only the background gets it: every control takes its own clicks.
      envoyer(Evenement::doubleClic());
      return 0;
    case WM_DROPFILES: {
      // One file at a time: a drop of several converts none.
      const std::vector<std::string> fichiers = fichiersDeposes(reinterpret_cast<HDROP>(wp));
      if (fichiers.size() == 1) envoyer(Evenement::fichierDonne(fichiers.front()));
      return 0;
    }
    case WM_CHAR:
      // A key reaches the window itself only when no control has the focus.
      envoyer(Evenement::frappe(static_cast<int>(wp), false));
      return 0;
    case WM_ACTIVATE:
      if (rendu_) rendu_->activation(wp);
      return 0;
    case WM_DPICHANGED:
      // Moved to a screen of another resolution (or the resolution changed): the same twips.
      changerResolution(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_CLOSE:
      // The close box or the system menu; during a transfer the close waits for its end.
      if (envoyer(Evenement::demandeFermeture())) DestroyWindow(w);
      return 0;
    case WM_DESTROY: {
      SetWindowLongPtrW(w, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      // The program ends with its last window: an about box left open keeps it running.
      if (!apropos_ || apropos_->hwnd() == nullptr) {
        const std::function<void()> fermee = fermee_;
        if (fermee) fermee();
      }
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(w, message, wp, lp);
}

}  // namespace zor::win32
