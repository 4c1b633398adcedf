// The real Win32 window in the process itself (verifications-fenetre.exe, run by fenetre.sh on
// the virtual screen), moved to screens of other resolutions by WM_DPICHANGED, which wine never
// sends by itself: every control placed and sized again from its twips, the lists at the
// model's height, each font at its size in points, a TrueType face where the bitmap one would be
// stretched.
#include <cmath>
#include <string>

#include "app/form1.h"
#include "tests/windows/verification.h"
#include "win32/boucle.h"
#include "win32/form1_win32.h"
#include "win32/resolution.h"
#include "win32/services_win32.h"
#include "win32/texte.h"

namespace zor::verif {
namespace {

// A control's place and size in pixels, within its window's client area.
std::string rectangle(HWND controle) {
  RECT r;
  GetWindowRect(controle, &r);
  MapWindowPoints(nullptr, GetParent(controle), reinterpret_cast<POINT*>(&r), 2);
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

VERIF(chaque_controle_se_replace_a_la_resolution_de_son_ecran) {
  win32::Boucle boucle;
  win32::Form1Win32* pointeur = nullptr;
  app::Services services;
  services.messages = [](const DemandeMessage&) { return Reponse::Ok; };
  app::Form1 modele(win32::servicesWin32(std::move(services), boucle, pointeur));
  win32::Form1Win32 vue(modele, [] {});
  pointeur = &vue;
  modele.ok_Click();
  modele.ok1_Click();
  // As made, then moved to screens of 150 %, 125 % and 100 %.
  for (int ppp : {0, 144, 120, 96}) {
    if (ppp == 0) {
      ppp = win32::resolutionFenetre(vue.hwnd());
    } else {
      RECT propose{40, 30, 40 + 800, 30 + 500};
      SendMessageW(vue.hwnd(), WM_DPICHANGED, MAKEWPARAM(ppp, ppp), reinterpret_cast<LPARAM>(&propose));
      RECT cadre;
      GetWindowRect(vue.hwnd(), &cadre);
      EXIGER(cadre.left == 40 && cadre.top == 30);
    }
    const std::string a = " à " + std::to_string(ppp) + " ppp";
    auto px = [ppp](int twips) { return std::to_string(pixels(twips, ppp)); };
    RECT client;
    GetClientRect(vue.hwnd(), &client);
    EXIGER_EGAL(std::to_string(client.right) + "x" + std::to_string(client.bottom) + a,
                px(app::kLargeurClient) + "x" + px(app::kHauteurClient) + a);
    for (const Controle* c : modele.controles()) {
      const Description& d = c->description();
      const Rectangle& r = d.position;
      std::string vu = rectangle(vue.controle(*c)), attendu = px(r.gauche) + "," + px(r.haut);
      // The echo label sizes itself to its text.
      if (d.tailleAuTexte) vu = vu.substr(0, vu.find(' '));
      else attendu += " " + px(r.largeur) + "x" + px(r.hauteur);
      EXIGER_EGAL(vu + " " + std::string(c->nom()) + a, attendu + " " + std::string(c->nom()) + a);
      LOGFONTW lf{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(vue.controle(*c), WM_GETFONT, 0, 0)), sizeof lf, &lf);
      EXIGER_EGAL(-lf.lfHeight, static_cast<long>(std::lround(d.police.points * ppp / 72.0)));
      // The bitmap face where it was drawn for the screen, a TrueType one anywhere else.
      const std::string face = win32::utf8(lf.lfFaceName);
      if (d.police.famille == "MS Sans Serif" && ppp != 96) EXIGER(face == "Microsoft Sans Serif" || face == "Tahoma");
      else EXIGER_EGAL(face + a, std::string(d.police.famille) + a);
    }
  }
}

}  // namespace
}  // namespace zor::verif
