#include "win32/rendu.h"

#include <ole2.h>
#include <oleacc.h>

#include "ihm/focus.h"
#include "win32/accessible.h"
#include "win32/bouton_image.h"
#include "win32/etiquette_fenetre.h"
#include "win32/infobulles.h"
#include "win32/resolution.h"
#include "win32/texte.h"

namespace zor::win32 {
namespace {

constexpr int kIdPremierControle = 100;

COLORREF rgb(Couleur c) { return RGB(c.r, c.g, c.b); }

Couleur couleurSysteme(int element) {
  const COLORREF c = GetSysColor(element);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

std::string texteFenetre(HWND w) {
  const int n = GetWindowTextLengthW(w);
  std::wstring t(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(w, t.data(), n + 1);
  t.resize(static_cast<std::size_t>(n));
  return utf8(t);
}

bool estBouton(const Controle& c) { return c.genre() == Genre::BoutonImage || c.genre() == Genre::Bouton; }

// What a screen reader calls each kind of control.
long role(Genre genre) {
  switch (genre) {
    case Genre::Option: return ROLE_SYSTEM_RADIOBUTTON;
    case Genre::BoutonImage:
    case Genre::Bouton: return ROLE_SYSTEM_PUSHBUTTON;
    case Genre::Liste: return ROLE_SYSTEM_COMBOBOX;
    case Genre::Image: return ROLE_SYSTEM_GRAPHIC;
    case Genre::Menu: return ROLE_SYSTEM_MENUITEM;
    case Genre::Etiquette: break;
  }
  return ROLE_SYSTEM_STATICTEXT;
}

// An editable combo box sizes its edit field to its font: the field's height is set so that the
// whole closed box is the model's height, at any resolution.
void ajusterHauteurListe(HWND liste, int hauteur) {
  // The box is its field and its borders; the field's height is set from what the box measures
  // until the box is right (what the field says of its own height may differ from what it was
  // given: by two pixels under wine).
  LRESULT champ = SendMessageW(liste, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int essai = 0; essai < 3 && champ != CB_ERR; ++essai) {
    RECT r;
    GetWindowRect(liste, &r);
    if (r.bottom - r.top == hauteur) return;
    champ += hauteur - (r.bottom - r.top);
    if (champ <= 0) return;
    SendMessageW(liste, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), champ);
  }
}

}  // namespace

Rendu::Rendu(HWND fenetre, Polices& polices, Icones& icones, int pointsParPouce, std::optional<Couleur> fond,
             Envoi envoyer)
    : fenetre_(fenetre), polices_(polices), icones_(icones), ppp_(pointsParPouce), fond_(fond),
      envoyer_(std::move(envoyer)) {}

Rendu::~Rendu() {
  for (auto& [couleur, p] : pinceaux_) DeleteObject(p);
}

HBRUSH Rendu::pinceau(Couleur c) {
  const std::uint32_t cle = rgb(c);
  if (auto it = pinceaux_.find(cle); it != pinceaux_.end()) return it->second;
  return pinceaux_[cle] = CreateSolidBrush(rgb(c));
}

Couleur Rendu::fond() const { return fond_ ? *fond_ : couleurSysteme(COLOR_BTNFACE); }

void Rendu::construire(std::span<Controle* const> controles) {
  controles_.assign(controles.begin(), controles.end());
  int id = kIdPremierControle;
  bool apresUneOption = false;
  for (Controle* c : controles) {
    natifs_.push_back(creer(*c, id++, apresUneOption));
    apresUneOption = c->genre() == Genre::Option;
  }
  // Labels lie under the buttons and lists, and among themselves the one made later lies
  // above: where two overlap (the two count captions after a download), the one above covers
  // the other cleanly. The order of the controls that take the focus (the tab order) stays.
  for (auto it = natifs_.rbegin(); it != natifs_.rend(); ++it)
    if (it->modele->genre() == Genre::Etiquette)
      SetWindowPos(it->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Rendu::Natif Rendu::creer(Controle& c, int id, bool apresUneOption) {
  const Description& d = c.description();
  const std::wstring caption = large(c.Caption());
  const int x = px(d.position.gauche), y = px(d.position.haut), l = px(d.position.largeur), h = px(d.position.hauteur);
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  // Option buttons in a row are one group (arrows move between them, Tab goes to the chosen
  // one); every other control is a group of its own. Each control paints only its own part.
  const DWORD groupe = d.genre == Genre::Option && apresUneOption ? 0 : WS_GROUP;
  const DWORD base = WS_CHILD | WS_CLIPSIBLINGS | groupe | (c.Visible() ? WS_VISIBLE : 0);
  Natif n{&c, nullptr};
  switch (d.genre) {
    case Genre::Option:
      n.hwnd = CreateWindowExW(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | BS_AUTORADIOBUTTON, x, y, l, h,
                               fenetre_, menu, nullptr, nullptr);
      SendMessageW(n.hwnd, BM_SETCHECK, c.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Genre::Etiquette:
      if (d.tailleAuTexte) {
        n.hwnd = creerEtiquetteFenetre(fenetre_, c, polices_.police(d.police, ppp_), d.fond.value_or(fond()), x, y, id);
        if (c.Visible()) ShowWindow(n.hwnd, SW_SHOWNA);
      } else {
        // SS_NOTIFY: a label takes the mouse, so a double click on it is not one on the
        // background, and its tooltip shows. "&" in a label is a plain character.
        n.hwnd = CreateWindowExW(0, L"STATIC", caption.c_str(),
                                 base | SS_NOTIFY | SS_NOPREFIX | (d.retourLigne ? SS_LEFT : SS_LEFTNOWORDWRAP), x, y, l,
                                 h, fenetre_, menu, nullptr, nullptr);
      }
      break;
    case Genre::BoutonImage:
      // Drawn by the program (WM_DRAWITEM): its picture above its caption on its own face.
      n.hwnd = CreateWindowExW(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | BS_OWNERDRAW, x, y, l, h, fenetre_,
                               menu, nullptr, nullptr);
      break;
    case Genre::Bouton:
      n.hwnd = CreateWindowExW(0, L"BUTTON", caption.c_str(),
                               base | WS_TABSTOP | (d.parDefaut ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y, l, h, fenetre_,
                               menu, nullptr, nullptr);
      break;
    case Genre::Liste: {
      // An editable drop-down combo: the height given is the dropped list's; the closed box is
      // given the model's height once it has its font.
      n.hwnd = CreateWindowExW(0, L"COMBOBOX", L"", base | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, x, y,
                               l, h + px(1440), fenetre_, menu, nullptr, nullptr);
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
      // SS_ICON sizes the control to its picture.
      n.hwnd = CreateWindowExW(0, L"STATIC", L"", base | SS_ICON, x, y, l, h, fenetre_, menu, nullptr, nullptr);
      SendMessageW(n.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icones_.icone(d.image, d.coteImage, ppp_)), 0);
      break;
    case Genre::Menu: return n;  // the window's menu bar holds it
  }
  SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(polices_.police(d.police, ppp_)), FALSE);
  if (d.genre == Genre::Liste) {
    ajusterHauteurListe(n.hwnd, h);
    SetWindowTextW(n.hwnd, large(c.Text()).c_str());
    SendMessageW(n.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
  }
  // The edit field of a list is where the focus is read: it carries the list's name too.
  auto lire = [this, &c] {
    const Natif* lu = natif(controle(c));
    return lu != nullptr ? accessibiliteDe(*lu) : Accessibilite{};
  };
  rendreAccessible(n.hwnd, lire, role(d.genre));
  rendreAccessible(n.edition, lire, ROLE_SYSTEM_TEXT);
  if (!d.infobulle.empty()) {
    if (infobulles_ == nullptr) infobulles_ = creerInfobulles(fenetre_);
    ajouterInfobulle(infobulles_, fenetre_, n.hwnd, d.infobulle);
    if (n.edition != nullptr) ajouterInfobulle(infobulles_, fenetre_, n.edition, d.infobulle);
  }
  return n;
}

HWND Rendu::controle(const Controle& c) const {
  for (const Natif& n : natifs_)
    if (n.modele == &c) return n.hwnd;
  return nullptr;
}

const Rendu::Natif* Rendu::natif(HWND w) const {
  if (w == nullptr) return nullptr;
  for (const Natif& n : natifs_)
    if (n.hwnd == w || n.edition == w || n.liste == w) return &n;
  return nullptr;
}

Accessibilite Rendu::accessibiliteDe(const Natif& n) const {
  Accessibilite a = accessibilite(*n.modele, controles_);
  if (n.modele->description().tailleAuTexte) a.nom = utf8(texteQuiSeVoit(n.hwnd));
  return a;
}

void Rendu::cederFocus(const Natif& n) {
  auto tient = [&n](HWND f) { return f != nullptr && (f == n.hwnd || IsChild(n.hwnd, f)); };
  // The focus now, or the one the window gets back when it is activated again.
  const bool maintenant = tient(GetFocus());
  if (!maintenant && !tient(focus_)) return;
  const Controle* suivant = focusApresDisparition(controles_, *n.modele);
  HWND cible = suivant != nullptr ? controle(*suivant) : nullptr;
  if (cible == nullptr) cible = fenetre_;
  if (maintenant) SetFocus(cible);
  else focus_ = cible;
}

void Rendu::refleter(const Controle& c, Propriete p) {
  const Natif* n = natif(controle(c));
  if (n == nullptr) return;
  HWND w = n->hwnd;
  switch (p) {
    case Propriete::Visible:
      if (!c.Visible()) cederFocus(*n);
      ShowWindow(w, c.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Propriete::Caption:
      if (c.description().tailleAuTexte) captionRemplacee(w);
      else SetWindowTextW(w, large(c.Caption()).c_str());
      break;
    case Propriete::Ajout:
      if (c.description().tailleAuTexte) octetsAjoutes(w);
      break;
    case Propriete::Texte: SetWindowTextW(w, large(c.Text()).c_str()); break;
    case Propriete::Valeur: SendMessageW(w, BM_SETCHECK, c.Value() ? BST_CHECKED : BST_UNCHECKED, 0); break;
    case Propriete::Infobulles:
      // A Windows combo box has no tooltip of its own for each item, and the list's tooltip
      // says what the list is for and nothing else: the devices behind the items are not shown
      // here. (On Windows `CommN` is always `COMN`; the names Windows gives its ports are in the
      // Device Manager and in `zor-cli.exe ports`.)
      break;
  }
}

void Rendu::commande(int id, int notification) {
  if (id == IDCANCEL) {
    // Esc, from the dialog manager, wherever the focus is (an open drop-down list keeps it).
    envoyer_(Evenement::frappe(kToucheEchap, focusSurUnControle()));
    return;
  }
  if (id == IDOK) {
    // Enter clicks the button that has the focus, else the default button, if any.
    if (const Natif* n = natif(GetFocus()); n != nullptr && estBouton(*n->modele)) {
      envoyer_(Evenement::clic(*n->modele));
      return;
    }
    for (const Natif& n : natifs_)
      if (n.modele->description().parDefaut && n.modele->Visible()) {
        envoyer_(Evenement::clic(*n.modele));
        return;
      }
    return;
  }
  const std::size_t i = static_cast<std::size_t>(id - kIdPremierControle);
  if (id < kIdPremierControle || i >= natifs_.size()) return;
  Natif& n = natifs_[i];
  switch (n.modele->genre()) {
    case Genre::BoutonImage:
    case Genre::Bouton:
      if (notification == BN_CLICKED) envoyer_(Evenement::clic(*n.modele));
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
      } else if (notification == CBN_DROPDOWN) {
        envoyer_(Evenement::listeOuverte(*n.modele));
      }
      break;
    default: break;
  }
}

std::optional<LRESULT> Rendu::traiter(UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_COMMAND:
      // A menu entry's command is the window's own.
      if (HIWORD(wp) == 0 && lp == 0 && LOWORD(wp) != IDOK && LOWORD(wp) != IDCANCEL) return std::nullopt;
      commande(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_DRAWITEM: {
      const auto* dessin = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      const Natif* n = natif(dessin->hwndItem);
      if (n == nullptr) return std::nullopt;
      const Description& d = n->modele->description();
      dessinerBoutonImage(*dessin, d.fond.value_or(couleurSysteme(COLOR_BTNFACE)),
                          icones_.icone(d.image, d.coteImage, ppp_), Icones::cote(d.coteImage, ppp_));
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      const Natif* n = natif(reinterpret_cast<HWND>(lp));
      if (n == nullptr) return std::nullopt;
      const Description& d = n->modele->description();
      // Labels and option buttons lie on the window's background; a list keeps the system's
      // colours unless it has its own background; a standard button is the system's.
      const bool liste = d.genre == Genre::Liste;
      if ((liste && !d.fond) || d.genre == Genre::Bouton) return std::nullopt;
      const Couleur couleur = d.fond.value_or(fond());
      auto dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, rgb(couleur));
      SetTextColor(dc, d.texte ? rgb(*d.texte) : GetSysColor(liste ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(pinceau(couleur));
    }
    default: return std::nullopt;
  }
}

void Rendu::activation(WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    if (HWND f = GetFocus(); f != nullptr && IsChild(fenetre_, f)) focus_ = f;
  } else {
    focusInitial();
  }
}

void Rendu::focusInitial() {
  HWND f = focus_ != nullptr && IsWindowVisible(focus_) ? focus_ : GetNextDlgTabItem(fenetre_, nullptr, FALSE);
  SetFocus(f != nullptr ? f : fenetre_);
}

bool Rendu::focusSurUnControle() const {
  HWND f = GetFocus();
  return f != nullptr && f != fenetre_ && IsChild(fenetre_, f);
}

void Rendu::placer(const Natif& n) {
  const Description& d = n.modele->description();
  const Rectangle& r = d.position;
  const HFONT police = polices_.police(d.police, ppp_);
  if (d.tailleAuTexte) {
    SetWindowPos(n.hwnd, nullptr, px(r.gauche), px(r.haut), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    policeChangee(n.hwnd, police);
    return;
  }
  // A combo box's height is its dropped list's; the closed box takes the one set below.
  const int hauteur = d.genre == Genre::Liste ? px(r.hauteur) + px(1440) : px(r.hauteur);
  SetWindowPos(n.hwnd, nullptr, px(r.gauche), px(r.haut), px(r.largeur), hauteur, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(police), TRUE);
  if (d.genre == Genre::Liste) ajusterHauteurListe(n.hwnd, px(r.hauteur));
  if (d.genre == Genre::Image)
    SendMessageW(n.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icones_.icone(d.image, d.coteImage, ppp_)), 0);
}

void Rendu::changerResolution(int ppp) {
  if (ppp == ppp_) return;
  ppp_ = ppp;
  for (const Natif& n : natifs_)
    if (n.hwnd != nullptr) placer(n);
  InvalidateRect(fenetre_, nullptr, TRUE);
}

void poserIcones(HWND fenetre, Icones& icones, Image image, int ppp) {
  SendMessageW(fenetre, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icones.icone(image, 32, ppp)));
  SendMessageW(fenetre, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icones.icone(image, 16, ppp)));
}

void passerAResolution(HWND fenetre, const RECT* place, int largeur, int hauteur, Icones& icones, Image image,
                       Rendu& rendu, int ppp) {
  RECT ici;
  GetWindowRect(fenetre, &ici);
  const POINT coin = place != nullptr ? POINT{place->left, place->top} : POINT{ici.left, ici.top};
  placerFenetre(fenetre, coin, pixels(largeur, ppp), pixels(hauteur, ppp), ppp);
  poserIcones(fenetre, icones, image, ppp);
  rendu.changerResolution(ppp);
}

}  // namespace zor::win32
