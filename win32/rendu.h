#pragma once
// The controls of any window on Win32: one function makes the system's control for any control
// of the model, whichever window it belongs to, one other mirrors any change of it, and the
// messages the controls send their window become the window's events (ihm/evenement.h), handed
// to its one entry. Every control is placed from its twips at the window's resolution, again
// whenever that changes; a control that hides with the focus hands it on as every front end
// does (ihm/focus.h); screen readers read each as the model describes it (win32/accessible.h).
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "ihm/accessibilite.h"
#include "ihm/controle.h"
#include "ihm/evenement.h"
#include "platform/windows_leger.h"
#include "win32/icones.h"
#include "win32/polices.h"

namespace zor::win32 {

// The window's entry: its model's `recevoir`.
using Envoi = std::function<bool(const Evenement&)>;

class Rendu {
 public:
  // `fenetre`: the window the controls are children of. `fond`: its background, on which the
  // labels and option buttons without a colour of their own lie (none: the system's).
  Rendu(HWND fenetre, Polices& polices, Icones& icones, int pointsParPouce, std::optional<Couleur> fond,
        Envoi envoyer);
  ~Rendu();
  Rendu(const Rendu&) = delete;
  Rendu& operator=(const Rendu&) = delete;

  // One system control per control of the model, made in tab order: the dialog manager's Tab
  // follows the order the controls were made in. Labels lie under the others.
  void construire(std::span<Controle* const> controles);
  HWND controle(const Controle& c) const;
  // Shows on the system's control what changed in `c`.
  void refleter(const Controle& c, Propriete p);
  // The window moved to a screen of another resolution: every control is placed, sized and
  // lettered again from the model.
  void changerResolution(int pointsParPouce);
  int pointsParPouce() const { return ppp_; }

  // The window's messages about its controls: their commands (clicks, choices, typing, a list
  // dropping down), Enter and Esc from the dialog manager, their colours and the drawing of
  // the picture buttons. Nothing when the message is not one of those.
  std::optional<LRESULT> traiter(UINT message, WPARAM wp, LPARAM lp);
  // WM_ACTIVATE, as a dialog does: the focus comes back where it was, or goes to the first
  // control that takes it.
  void activation(WPARAM wp);
  // The focus on the first control that takes it, when the window has none yet.
  void focusInitial();
  bool focusSurUnControle() const;
  // A brush of that colour, kept as long as the window lives.
  HBRUSH pinceau(Couleur c);
  // The window's own background.
  Couleur fond() const;

 private:
  struct Natif {
    Controle* modele;
    HWND hwnd;
    HWND edition = nullptr;  // a combo box's edit field
    HWND liste = nullptr;    // a combo box's drop-down list
  };

  // The one function that makes a control: `id` its command identifier; `apresUneOption`: the
  // control made just before is an option button (the option buttons in a row are one group).
  Natif creer(Controle& c, int id, bool apresUneOption);
  void placer(const Natif& n);
  // `n` hides: if it has the focus, the focus goes on (ihm/focus.h).
  void cederFocus(const Natif& n);
  Accessibilite accessibiliteDe(const Natif& n) const;
  void commande(int id, int notification);
  const Natif* natif(HWND w) const;
  int px(int twips) const { return pixels(twips, ppp_); }

  HWND fenetre_;
  Polices& polices_;
  Icones& icones_;
  int ppp_;
  std::optional<Couleur> fond_;
  Envoi envoyer_;
  HWND infobulles_ = nullptr;
  HWND focus_ = nullptr;
  std::vector<Controle*> controles_;
  std::vector<Natif> natifs_;  // in tab order
  std::map<std::uint32_t, HBRUSH> pinceaux_;
};

// A top-level window's two icons, `image` at 16 and 32 pixels at 96 points per inch.
void poserIcones(HWND fenetre, Icones& icones, Image image, int pointsParPouce);
// A top-level window moved to a screen of another resolution: its frame where the system
// proposes (`place`; none: where it is), a client area of exactly `largeur` × `hauteur` twips,
// its icons and every one of its controls (`rendu`) at that resolution.
void passerAResolution(HWND fenetre, const RECT* place, int largeur, int hauteur, Icones& icones, Image image,
                       Rendu& rendu, int pointsParPouce);

}  // namespace zor::win32
