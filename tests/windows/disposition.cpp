// disposition.exe: the window's controls as the model places them, in pixels at this screen's
// resolution, one line each: name, kind, shown at start, left, top, width, height, face or
// background colour ("-": the system's); then the about box's, from its client area. The window's proof under wine (fenetre.sh) reads the
// screenshots against these rectangles.
#include <cstdio>

#include "about/frmabout.h"
#include "app/form1.h"
#include "platform/windows_leger.h"

int main() {
  // The screen's real resolution, as the window (which is aware of it) sees it.
  SetProcessDPIAware();
  HDC dc = GetDC(nullptr);
  const int ppp = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  auto px = [ppp](int twips) { return zor::pixels(twips, ppp); };

  zor::app::Services services;
  services.messages = [](const zor::DemandeMessage&) { return zor::Reponse::Ok; };
  zor::app::Form1 modele(services);
  std::printf("client %d %d\n", px(zor::app::kLargeurClient), px(zor::app::kHauteurClient));
  const zor::Rectangle& a = zor::apropos::kPlaceAPropos;
  std::printf("apropos %d %d %d %d\n", px(a.gauche), px(a.haut), px(a.largeur), px(a.hauteur));
  for (const zor::Controle* c : modele.controles()) {
    const zor::Description& d = c->description();
    const char* genre = d.genre == zor::Genre::BoutonImage ? "bouton"
                        : d.genre == zor::Genre::Liste      ? "liste"
                        : d.genre == zor::Genre::Option     ? "option"
                                                            : "etiquette";
    char fond[16] = "-";
    if (d.fond) std::snprintf(fond, sizeof fond, "%d,%d,%d", d.fond->r, d.fond->g, d.fond->b);
    std::printf("controle %.*s %s %d %d %d %d %d %s\n", static_cast<int>(d.nom.size()), d.nom.data(), genre,
                c->Visible() ? 1 : 0, px(d.position.gauche), px(d.position.haut), px(d.position.largeur),
                px(d.position.hauteur), fond);
  }
  zor::apropos::frmAbout boite({services.messages, {}});
  for (const zor::Controle* c : boite.controles()) {
    const zor::Description& d = c->description();
    std::printf("controle %.*s %s 1 %d %d %d %d -\n", static_cast<int>(d.nom.size()), d.nom.data(),
                d.genre == zor::Genre::Bouton ? "bouton_apropos" : "etiquette_apropos", px(d.position.gauche),
                px(d.position.haut), px(d.position.largeur), px(d.position.hauteur));
  }
  return 0;
}
