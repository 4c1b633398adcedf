#pragma once
// The about box: the program's title and version, what it does, where to report bugs, and a
// button that starts the system's information program for support calls. This is the box
// itself, described once; a front end renders it and hands what the user does to `recevoir`.
#include <array>
#include <functional>
#include <string>

#include "about/lancement.h"
#include "ihm/controle.h"
#include "ihm/evenement.h"
#include "ihm/message.h"

namespace zor::apropos {

// Where users send bug reports; the disclaimer ends with it.
inline constexpr std::string_view kAdresseBugs = "bugs@zor.example";

// One line of the etched separator: positions in twips, thickness in pixels.
struct Ligne {
  Couleur couleur;
  int epaisseur;
  int x1, y1, x2, y2;
};

// The box's client area and where it opens on the screen, in twips.
inline constexpr Rectangle kPlaceAPropos{2340, 1935, 5730, 3555};

class frmAbout {
 public:
  struct Services {
    Repondeur messages;  // its one message box
    Lanceur lancement;   // starts the system-information program; empty: the real start
  };

  // Creating the box loads it: Form_Load runs.
  explicit frmAbout(Services services);
  frmAbout(const frmAbout&) = delete;
  frmAbout& operator=(const frmAbout&) = delete;

  std::string Caption;  // the window's caption, set when the box loads

  // Controls, in tab order. `cmdOK` is the default and the cancel button: Enter and Esc click
  // it, and it has the focus when the box opens.
  Controle cmdOK;
  Controle picIcon;
  Controle cmdSysInfo;
  Controle lblDescription;
  Controle lblDisclaimer;
  Controle lblTitle;
  Controle lblVersion;
  // The etched separator: [0] the white line, [1] the grey one above it.
  std::array<Ligne, 2> Line1;

  std::array<Controle*, 7> controles() { return {&cmdOK, &picIcon, &cmdSysInfo, &lblDescription, &lblDisclaimer, &lblTitle, &lblVersion}; }

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  // What the front end is told: each change of a control, and that the box unloaded (its
  // window goes away).
  struct Vue {
    Observateur changement;
    std::function<void()> dechargement;
  };
  void definirVue(Vue vue);

  // What the user does: "OK" (also Enter and Esc) and the close box unload the box, the other
  // button starts the system-information program. An unloaded box takes nothing more.
  bool recevoir(const Evenement& evenement);
  // True once unloaded: the next opening loads a new box.
  bool decharge() const { return decharge_; }
  // The program ends: the box goes with it, without any handler of its own.
  void fermerAvecLeProgramme();

 private:
  void Click(const Controle& bouton);
  void decharger();

  Services services_;
  Observateur observateur_;
  std::function<void()> dechargement_;
  bool decharge_ = false;
};

}  // namespace zor::apropos
