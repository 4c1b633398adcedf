#include "win32/form1_win32.h"

#include "core/echec_action.h"
#include "win32/boucle.h"
#include "win32/bouton_image.h"
#include "win32/etiquette_fenetre.h"
#include "win32/infobulles.h"
#include "win32/messages.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr int kIdPremierControle = 100;
constexpr int kIdAPropos = 50;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

int pointsParPouce() {
  HDC dc = GetDC(nullptr);
  const int ppp = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return ppp;
}

COLORREF rgb(Couleur c) { return RGB(c.r, c.g, c.b); }

std::string texteFenetre(HWND w) {
  const int n = GetWindowTextLengthW(w);
  std::wstring t(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(w, t.data(), n + 1);
  t.resize(static_cast<std::size_t>(n));
  return utf8(t);
}

}  // namespace

Form1Win32::Form1Win32(app::Form1& modele, std::function<void()> fermee)
    : modele_(modele), fermee_(std::move(fermee)), ppp_(pointsParPouce()), polices_(ppp_), icones_(ppp_) {
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
  AppendMenuW(menu, MF_STRING, kIdAPropos, large(app::kMenuAPropos).c_str());

  // The client area in twips at this screen's resolution; Windows chooses the place.
  RECT r{0, 0, px(app::kLargeurClient), px(app::kHauteurClient)};
  AdjustWindowRectEx(&r, kStyle, TRUE, 0);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClasseForm1, large(app::kTitreForm1).c_str(), kStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, menu, instance, this);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icones_.icone(Image::Fenetre, 32)));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icones_.icone(Image::Fenetre, 16)));
  infobulles_ = creerInfobulles(hwnd_);
  proprietaireAPropos_ =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);

  // Made in tab order: the dialog manager's Tab follows the order the children were made in.
  int id = kIdPremierControle;
  for (Controle* c : modele_.controles()) construire(*c, id++);
  empiler();
  modele_.definirVue({[this](const Controle& c, Propriete p) { refleter(c, p); },
                      [this](apropos::frmAbout& boite) { montrerAPropos(boite); }});
}

Form1Win32::~Form1Win32() {
  modele_.definirVue({});
  apropos_.reset();
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (proprietaireAPropos_ != nullptr) DestroyWindow(proprietaireAPropos_);
  for (auto& [c, p] : pinceaux_) DeleteObject(p);
}

HBRUSH Form1Win32::pinceau(Couleur c) {
  const std::uint32_t cle = rgb(c);
  if (auto it = pinceaux_.find(cle); it != pinceaux_.end()) return it->second;
  return pinceaux_[cle] = CreateSolidBrush(rgb(c));
}

void Form1Win32::montrer(int commande) {
  ShowWindow(hwnd_, commande);
  UpdateWindow(hwnd_);
}

HWND Form1Win32::controle(const Controle& c) const {
  for (const Natif& n : natifs_)
    if (n.modele == &c) return n.hwnd;
  return nullptr;
}

const Form1Win32::Natif* Form1Win32::natif(HWND w) const {
  if (w == nullptr) return nullptr;
  for (const Natif& n : natifs_)
    if (n.hwnd == w || n.edition == w || n.liste == w) return &n;
  return nullptr;
}

void Form1Win32::construire(Controle& c, int id) {
  const Description& d = c.description();
  const std::wstring caption = large(d.caption);
  const int x = px(d.position.gauche), y = px(d.position.haut), l = px(d.position.largeur), h = px(d.position.hauteur);
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  // Overlapping controls (the two count captions after a download) each paint only their
  // part: the one above covers the other cleanly.
  // The option buttons are the window's one group (arrows move between them, Tab goes to the
  // chosen one); every other control is a group of its own.
  const DWORD groupe = d.genre != Genre::Option || &c == &modele_.profil ? WS_GROUP : 0;
  const DWORD base = WS_CHILD | WS_CLIPSIBLINGS | groupe | (c.Visible() ? WS_VISIBLE : 0);
  Natif n{&c, nullptr};
  switch (d.genre) {
    case Genre::Option:
      n.hwnd = CreateWindowExW(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | BS_AUTORADIOBUTTON, x, y, l, h, hwnd_,
                               menu, nullptr, nullptr);
      SendMessageW(n.hwnd, BM_SETCHECK, c.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Genre::Etiquette:
      if (d.tailleAuTexte) {
        n.hwnd = creerEtiquetteFenetre(hwnd_, c, polices_.police(d.police), d.fond.value_or(app::kFondFenetre), x, y, id);
        if (c.Visible()) ShowWindow(n.hwnd, SW_SHOWNA);
      } else {
        // SS_NOTIFY: a label takes the mouse, so a double click on it is not one on the
        // background, and its tooltip shows. "&" in a label is a plain character.
        n.hwnd = CreateWindowExW(0, L"STATIC", caption.c_str(),
                                 base | SS_NOTIFY | SS_NOPREFIX | (d.retourLigne ? SS_LEFT : SS_LEFTNOWORDWRAP), x, y, l,
                                 h, hwnd_, menu, nullptr, nullptr);
      }
      break;
    case Genre::BoutonImage:
    case Genre::Bouton:
      n.hwnd = CreateWindowExW(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | BS_OWNERDRAW, x, y, l, h, hwnd_, menu,
                               nullptr, nullptr);
      break;
    case Genre::Liste: {
      // An editable drop-down combo: the height given is the dropped list's; the edit field
      // takes the font's.
      n.hwnd = CreateWindowExW(0, L"COMBOBOX", L"", base | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, x, y,
                               l, h + px(1440), hwnd_, menu, nullptr, nullptr);
      for (const std::string& element : d.liste)
        SendMessageW(n.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(large(element).c_str()));
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (GetComboBoxInfo(n.hwnd, &info)) {
        n.edition = info.hwndItem;
        n.liste = info.hwndList;
      }
      break;
    }
    case Genre::Image:
      n.hwnd = CreateWindowExW(0, L"STATIC", L"", base | SS_ICON, x, y, l, h, hwnd_, menu, nullptr, nullptr);
      break;
  }
  SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(polices_.police(d.police)), FALSE);
  if (d.genre == Genre::Liste) {
    // The combo sizes its edit field to the font: the control's height is the model's as
    // nearly as the font allows.
    SetWindowTextW(n.hwnd, caption.c_str());
    SendMessageW(n.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
  }
  ajouterInfobulle(infobulles_, hwnd_, n.hwnd, d.infobulle);
  if (n.edition != nullptr) ajouterInfobulle(infobulles_, hwnd_, n.edition, d.infobulle);
  natifs_.push_back(n);
}

void Form1Win32::empiler() {
  // Labels lie under the buttons and lists, and among themselves the one made later lies
  // above; the order of the controls that take the focus (the tab order) stays as made.
  for (auto it = natifs_.rbegin(); it != natifs_.rend(); ++it)
    if (it->modele->genre() == Genre::Etiquette)
      SetWindowPos(it->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form1Win32::refleter(const Controle& c, Propriete p) {
  HWND w = controle(c);
  if (w == nullptr) return;
  switch (p) {
    case Propriete::Visible:
      if (!c.Visible() && GetFocus() == w) {
        // As the focus leaves a control that hides, it goes to the next one in tab order.
        HWND suivant = GetNextDlgTabItem(hwnd_, w, FALSE);
        SetFocus(suivant != nullptr && suivant != w ? suivant : hwnd_);
      }
      ShowWindow(w, c.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Propriete::Caption:
      if (c.description().tailleAuTexte) captionRemplacee(w);
      else SetWindowTextW(w, large(c.Caption()).c_str());
      break;
    case Propriete::Ajout:
      if (c.description().tailleAuTexte) octetsAjoutes(w);
      break;
    case Propriete::Texte:
      SetWindowTextW(w, large(c.Text()).c_str());
      break;
    case Propriete::Valeur:
      SendMessageW(w, BM_SETCHECK, c.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Propriete::Infobulles: {
      // The list's items tell the device behind each port: the list's tooltip names them all.
      std::string texte = c.description().infobulle;
      const auto& infobulles = c.infobullesListe();
      for (std::size_t i = 0; i < infobulles.size() && i < c.description().liste.size(); ++i)
        if (!infobulles[i].empty()) texte += "\n" + c.description().liste[i] + " : " + infobulles[i];
      for (const Natif& n : natifs_)
        if (n.modele == &c)
          for (HWND outil : {n.hwnd, n.edition}) changerInfobulle(infobulles_, hwnd_, outil, texte);
      break;
    }
  }
}

void Form1Win32::cliquer(const Controle& c) { modele_.Click(c); }

void Form1Win32::commande(int id, int notification) {
  if (id == kIdAPropos) {
    modele_.zorfrmabout_Click();
    return;
  }
  if (id == IDCANCEL) {
    // Esc, from the dialog manager, wherever the focus is (an open drop-down list keeps it).
    modele_.Echap(focusSurUnControle());
    return;
  }
  if (id == IDOK) {
    // Enter clicks the button that has the focus, and nothing else: no button is the default.
    if (const Natif* n = natif(GetFocus());
        n != nullptr && (n->modele->genre() == Genre::BoutonImage || n->modele->genre() == Genre::Bouton))
      cliquer(*n->modele);
    return;
  }
  const std::size_t i = static_cast<std::size_t>(id - kIdPremierControle);
  if (id < kIdPremierControle || i >= natifs_.size()) return;
  Natif& n = natifs_[i];
  switch (n.modele->genre()) {
    case Genre::BoutonImage:
    case Genre::Bouton:
      if (notification == BN_CLICKED) cliquer(*n.modele);
      break;
    case Genre::Option:
      if (notification == BN_CLICKED)
        for (Natif& o : natifs_)
          if (o.modele->genre() == Genre::Option)
            o.modele->definirValeurChoisie(SendMessageW(o.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
      break;
    case Genre::Liste:
      if (notification == CBN_EDITCHANGE) {
        n.modele->definirTexteSaisi(texteFenetre(n.hwnd));
      } else if (notification == CBN_SELCHANGE) {
        // The edit field takes the picked item only after this notification.
        const LRESULT choix = SendMessageW(n.hwnd, CB_GETCURSEL, 0, 0);
        if (choix != CB_ERR) {
          const LRESULT longueur = SendMessageW(n.hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(choix), 0);
          std::wstring t(static_cast<std::size_t>(longueur) + 1, L'\0');
          SendMessageW(n.hwnd, CB_GETLBTEXT, static_cast<WPARAM>(choix), reinterpret_cast<LPARAM>(t.data()));
          t.resize(static_cast<std::size_t>(longueur));
          n.modele->definirTexteSaisi(utf8(t));
        }
      } else if (notification == CBN_DROPDOWN && n.modele == &modele_.Comm) {
        modele_.Comm_DropDown();
      }
      break;
    default: break;
  }
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

bool Form1Win32::focusSurUnControle() const {
  HWND f = GetFocus();
  return f != nullptr && f != hwnd_ && IsChild(hwnd_, f);
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
  switch (message) {
    case WM_COMMAND:
      commande(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_DRAWITEM: {
      const auto* dessin = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (const Natif* n = natif(dessin->hwndItem)) {
        const Description& d = n->modele->description();
        dessinerBoutonImage(*dessin, d.fond.value_or(app::kFondBouton), icones_.icone(d.image, d.coteImage),
                            icones_.cote(d.coteImage));
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      const Natif* n = natif(reinterpret_cast<HWND>(lp));
      if (n == nullptr) break;
      const Description& d = n->modele->description();
      auto dc = reinterpret_cast<HDC>(wp);
      // Labels and option buttons lie on the window's green; a list keeps the system's
      // colours unless it has its own background.
      const bool liste = d.genre == Genre::Liste;
      if (liste && !d.fond) break;
      const Couleur fond = d.fond.value_or(app::kFondFenetre);
      SetBkColor(dc, rgb(fond));
      SetTextColor(dc, d.texte ? rgb(*d.texte) : GetSysColor(liste ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(pinceau(fond));
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(w, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, pinceau(app::kFondFenetre));
      return 1;
    }
    case WM_LBUTTONDBLCLK:
      // Only the background gets it: every control takes its own clicks.
      modele_.Form_DblClick();
      return 0;
    case WM_CHAR: {
      // A key reaches the window itself only when no control has the focus.
      int touche = static_cast<int>(wp);
      modele_.Form_KeyPress(touche);
      return 0;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus comes back where it was, or to the first control.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (HWND f = GetFocus(); f != nullptr && IsChild(w, f)) focus_ = f;
      } else {
        HWND f = focus_ != nullptr && IsWindowVisible(focus_) ? focus_ : GetNextDlgTabItem(w, nullptr, FALSE);
        SetFocus(f != nullptr ? f : w);
      }
      return 0;
    case WM_CLOSE:
      // The close box or the system menu; during a transfer the close waits for its end.
      if (modele_.demandeFermeture()) DestroyWindow(w);
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
