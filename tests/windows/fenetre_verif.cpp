// The real Win32 window, in the process itself (verifications-fenetre.exe, run by fenetre.sh on
// the virtual screen): laid out again from its twips when its screen's resolution changes
// (WM_DPICHANGED, which wine never sends by itself), the lists at the model's height, a
// TrueType face where the bitmap one would be stretched; the port list's tooltip unchanged by
// its drop-down; during an upload, clicks and keys dropped and a close request honoured at its
// end; after it, the focus where Enter does nothing.
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/drive_c.h"
#include "tests/windows/verification.h"
#include "win32/boucle.h"
#include "win32/form1_win32.h"
#include "win32/resolution.h"
#include "win32/services_win32.h"
#include "win32/texte.h"

#include <commctrl.h>

namespace zor::verif {
namespace {

// A clock that does not wait: an upload of a few sentences takes no time.
class HorlogeImmediate : public Horloge {
 public:
  void dormir(std::chrono::milliseconds d) override { t_ += d; }
  Instant maintenant() override { return t_; }

 private:
  Instant t_{};
};

// A device that takes every byte; `surEcriture` runs at each write, in the middle of the upload.
class Appareil : public serie::Liaison {
 public:
  explicit Appareil(std::function<void()>& surEcriture) : surEcriture_(surEcriture) {}
  std::optional<Erreur> lire(std::string&) override { return std::nullopt; }
  std::optional<Erreur> attendre(std::chrono::milliseconds) override { return std::nullopt; }
  std::optional<Erreur> ecrire(std::string_view) override {
    if (surEcriture_) surEcriture_();
    return std::nullopt;
  }
  std::optional<Erreur> fermer() override { return std::nullopt; }
  void abandonner() noexcept override {}

 private:
  std::function<void()>& surEcriture_;
};

// The window and its model with the program's own services, but boxes answered OK, a device
// of the test's, a clock that does not wait and the end of the program recorded.
struct Fenetre {
  Fenetre() {
    app::Services s;
    s.messages = [this](const DemandeMessage& d) {
      boites.push_back(d.texte);
      return Reponse::Ok;
    };
    s.horloge = &horloge;
    s.liaisonMSComm1 = s.liaisonMSComm2 = [this](const serie::PortDesigne&, const serie::Reglages&) {
      return serie::Ouverture{std::make_unique<Appareil>(surEcriture), std::nullopt};
    };
    s.portsPresents = [] { return std::vector<serie::PortSerie>{{"COM1", "\\Device\\Serial0"}}; };
    s.fin = [this](int) { ++fins; };
    modele = std::make_unique<app::Form1>(win32::servicesWin32(std::move(s), boucle, pointeur));
    vue = std::make_unique<win32::Form1Win32>(*modele, [this] { fermee = true; });
    pointeur = vue.get();
    vue->montrer(SW_SHOWNORMAL);
  }
  ~Fenetre() {
    pointeur = nullptr;
    vue.reset();
  }
  HWND h(const Controle& c) const { return vue->controle(c); }
  // What the event loop does, until nothing is left.
  static void pomper() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      HWND racine = m.hwnd != nullptr ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
      if (racine != nullptr && IsDialogMessageW(racine, &m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }

  win32::Boucle boucle;
  HorlogeImmediate horloge;
  std::function<void()> surEcriture;
  std::vector<std::string> boites;
  int fins = 0;
  bool fermee = false;
  win32::Form1Win32* pointeur = nullptr;
  std::unique_ptr<app::Form1> modele;
  std::unique_ptr<win32::Form1Win32> vue;
};

RECT dansLaFenetre(HWND controle) {
  RECT r;
  GetWindowRect(controle, &r);
  MapWindowPoints(nullptr, GetParent(controle), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string faceDe(HWND controle) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(controle, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return win32::utf8(lf.lfFaceName);
}

// The bytes of a file as they were, put back at the end of the check.
struct FichierGarde {
  explicit FichierGarde(std::filesystem::path p) : chemin(std::move(p)), existait(std::filesystem::exists(chemin)) {
    if (existait) avant = lireFichier(chemin);
  }
  ~FichierGarde() {
    if (existait) ecrireFichier(chemin, avant);
    else std::filesystem::remove(chemin);
  }
  std::filesystem::path chemin;
  bool existait;
  std::string avant;
};

VERIF(chaque_controle_se_replace_a_la_resolution_de_son_ecran) {
  Fenetre f;
  f.modele->ok_Click();
  f.modele->ok1_Click();
  const int depart = win32::resolutionFenetre(f.vue->hwnd());
  // As made, then moved to screens of 150 %, 125 % and 100 %.
  for (int ppp : {0, 144, 120, 96}) {
    if (ppp == 0) {
      ppp = depart;
    } else {
      RECT propose{40, 30, 40 + 800, 30 + 500};
      SendMessageW(f.vue->hwnd(), WM_DPICHANGED, MAKEWPARAM(ppp, ppp), reinterpret_cast<LPARAM>(&propose));
      RECT cadre;
      GetWindowRect(f.vue->hwnd(), &cadre);
      EXIGER(cadre.left == 40 && cadre.top == 30);
    }
    const std::string a = " à " + std::to_string(ppp) + " ppp";
    auto px = [ppp](int twips) { return pixels(twips, ppp); };
    RECT client;
    GetClientRect(f.vue->hwnd(), &client);
    EXIGER_EGAL(std::to_string(client.right) + "x" + std::to_string(client.bottom) + a,
                std::to_string(px(app::kLargeurClient)) + "x" + std::to_string(px(app::kHauteurClient)) + a);
    for (const Controle* c : f.modele->controles()) {
      const Description& d = c->description();
      const RECT r = dansLaFenetre(f.h(*c));
      const std::string nom = std::string(c->nom()) + a;
      EXIGER_EGAL(std::to_string(r.left) + "," + std::to_string(r.top) + " " + nom,
                  std::to_string(px(d.position.gauche)) + "," + std::to_string(px(d.position.haut)) + " " + nom);
      if (!d.tailleAuTexte)
        EXIGER_EGAL(std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " " + nom,
                    std::to_string(px(d.position.largeur)) + "x" + std::to_string(px(d.position.hauteur)) + " " + nom);
      LOGFONTW lf{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(f.h(*c), WM_GETFONT, 0, 0)), sizeof lf, &lf);
      EXIGER_EGAL(-lf.lfHeight, static_cast<long>(std::lround(d.police.points * ppp / 72.0)));
      // The bitmap face where it was drawn for the screen, a TrueType one anywhere else.
      const std::string face = faceDe(f.h(*c));
      if (d.police.famille == "MS Sans Serif" && ppp != 96)
        EXIGER(face == "Microsoft Sans Serif" || face == "Tahoma");
      else
        EXIGER_EGAL(face + a, std::string(d.police.famille) + a);
    }
  }
}

VERIF(l_infobulle_de_la_liste_des_ports_reste_la_sienne_apres_son_ouverture) {
  Fenetre f;
  f.modele->ok_Click();
  const HWND comm = f.h(f.modele->Comm);
  SendMessageW(comm, CB_SHOWDROPDOWN, TRUE, 0);
  Fenetre::pomper();
  SendMessageW(comm, CB_SHOWDROPDOWN, FALSE, 0);
  EXIGER(!f.modele->Comm.infobullesListe().empty());
  // The window's tooltip control and the text of the list's tool.
  HWND infobulles = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM trouve) -> BOOL {
        wchar_t classe[64] = L"";
        GetClassNameW(w, classe, 64);
        if (std::wstring(classe) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(trouve) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&infobulles));
  if (!EXIGER(infobulles != nullptr)) return;
  for (HWND outil : {comm, FindWindowExW(comm, nullptr, L"Edit", nullptr)}) {
    wchar_t texte[512] = L"";
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = f.vue->hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(outil);
    info.lpszText = texte;
    SendMessageW(infobulles, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    EXIGER_EGAL(win32::utf8(texte), std::string("Choisir le port de communication"));
  }
}

// A window at the step after a conversion, c:\$_t_e_m_p holding two sentences (put back as it
// was afterwards), the focus on the upload's button.
struct AvantEnvoi {
  AvantEnvoi() {
    ecrireFichier(echange.chemin, "$GPWPL,1*00\r\n$GPWPL,2*00\r\n");
    f.modele->ok_Click();
    f.modele->ok1_Click();
    f.modele->ecrire.Visible(true);
    SetForegroundWindow(f.vue->hwnd());
    SetFocus(f.h(f.modele->ecrire));
  }
  FichierGarde echange{platform::cheminLocal("c:\\$_t_e_m_p")};
  Fenetre f;
};

VERIF(pendant_un_envoi_seule_la_fermeture_est_prise_et_elle_attend_sa_fin) {
  AvantEnvoi e;
  Fenetre& f = e.f;
  HWND sortie = f.h(f.modele->sortie);
  HWND edition = FindWindowExW(f.h(f.modele->Comm), nullptr, L"Edit", nullptr);
  int ecritures = 0;
  f.surEcriture = [&] {
    if (++ecritures != 1) return;
    // What the user does while the first sentence leaves: « Quitter » clicked, Esc, a letter
    // typed into the port list, then the close box; all of it waits in the queue.
    PostMessageW(sortie, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(sortie, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageW(f.vue->hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(edition, WM_CHAR, L'x', 1);
    PostMessageW(f.vue->hwnd(), WM_NCLBUTTONUP, HTCLOSE, 0);
  };
  f.modele->ecrire_Click();
  EXIGER_EGAL(ecritures, 2);
  EXIGER_EGAL(f.fins, 0);
  EXIGER_EGAL(f.modele->Comm.Text(), std::string("Comm1"));
  EXIGER(IsWindow(f.vue->hwnd()) && !f.fermee);
  // The close request held during the upload is honoured once the loop runs again.
  Fenetre::pomper();
  EXIGER_EGAL(f.fins, 0);
  EXIGER(f.fermee);
}

VERIF(apres_un_envoi_le_focus_est_sur_l_option_ou_entree_ne_fait_rien) {
  AvantEnvoi e;
  Fenetre& f = e.f;
  f.modele->ecrire_Click();
  // The button that had the focus hid at the end: the focus is on the chosen option, not on
  // « Quitter », which Enter would click.
  EXIGER(GetFocus() == f.h(f.modele->profil));
  const std::size_t boites = f.boites.size();
  for (const UINT message : {WM_KEYDOWN, WM_CHAR, WM_KEYUP}) PostMessageW(GetFocus(), message, VK_RETURN, 1);
  Fenetre::pomper();
  EXIGER_EGAL(f.boites.size(), boites);
  EXIGER_EGAL(f.fins, 0);
  EXIGER(!f.fermee && f.modele->profil.Value());
}

}  // namespace
}  // namespace zor::verif
