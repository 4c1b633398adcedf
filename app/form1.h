#pragma once
// The main window, described once and without any toolkit: its controls with the names the
// rest of the program uses for them, and its handlers. A front end renders it: one native
// control per control here, each change it is told of mirrored at once, and whatever the user
// does handed to its one entry, `recevoir`, which runs the handler.
#include <array>
#include <memory>
#include <string>

#include "about/frmabout.h"
#include "app/common_dialog.h"
#include "app/services.h"
#include "ihm/controle.h"
#include "ihm/evenement.h"
#include "serial/suivi.h"
#include "serial/mscomm.h"

namespace zor::app {

// The window itself.
inline constexpr std::string_view kTitreForm1 =
    "Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4";
inline constexpr int kLargeurClient = 9465;  // twips
inline constexpr int kHauteurClient = 4515;
inline constexpr Couleur kFondFenetre{192, 255, 192};
inline constexpr Couleur kFondBouton{255, 224, 192};
inline constexpr Couleur kFondSortie{255, 192, 192};
inline constexpr Couleur kFondComm{255, 255, 192};
inline constexpr Couleur kRouge{255, 0, 0};
inline constexpr Couleur kBleu{0, 0, 255};
inline constexpr std::string_view kMenuAPropos = "A propos";

class Form1 {
 public:
  explicit Form1(Services services);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // What the front end is told: each change of a control, and the about box to show.
  struct Vue {
    Observateur changement;
    std::function<void(apropos::frmAbout&)> aPropos;  // show it (made if new), bring it to the front
  };
  void definirVue(Vue vue);

  // Controls, in the window's tab order.
  Controle profil, waypoint, zor, ouvrir, ecrire, nombre, sortie, nombre1, Comm, prtd, result, quant1, fenetre, Label1,
      lire, nom, Typef, Label2, ok, ok1;
  std::array<Controle*, 20> controles();

  // The menu bar's one entry, "A propos".
  Controle zorfrmabout;
  std::array<Controle*, 1> menus() { return {&zorfrmabout}; }

  // Controls never shown: settings the handlers read.
  CommonDialog ouverture;
  CommonDialog ecriture;
  CommonDialog ecrizor;
  serie::MSComm MSComm1;
  serie::MSComm MSComm2;

  // --- handlers ---
  void ok_Click();
  void ok1_Click();
  void sortie_Click();
  void ouvrir_Click();
  void ecrire_Click();
  void lire_Click();
  void zorfrmabout_Click();
  void MSComm2_OnComm();
  void Form_KeyPress(int& KeyAscii);
  void Form_DblClick();
  void Form_Unload();
  // The port list opens: each item tells the device behind it (adapters come and go).
  void Comm_DropDown();
  // A file dropped on the window or named on its command line: converted as « Rechercher
  // Fichier » converts, its type told by its content (else the type list's), the window left as
  // that run would leave it; what was taken from a GPX file is told in a box.
  void fichierDonne(const std::string& fichier);

  // What the user does, as the front end hands it over; runs the handler it calls for. Once
  // the program has ended, nothing runs any more. During a transfer only a close request is
  // taken, and it waits: false then, and the window closes (services.fermer) once the transfer
  // is over; otherwise the window closes now, Form_Unload having run.
  bool recevoir(const Evenement& evenement);
  // A transfer runs inside its click handler: the window paints meanwhile, but takes no input
  // (its front end drops clicks and keys before they reach a control, and `recevoir` too).
  bool enTransfert() const { return enTransfert_; }
  // The program has ended (a quit path): its event loop is ending and no handler runs again.
  bool termine() const { return termine_; }
  // The front end's event loop saw the system ask the program to end: it ends now, unless a
  // transfer runs, which stops by itself and then ends it.
  void signalRecu();

  apropos::frmAbout* boiteAPropos() { return apropos_.get(); }

 private:
  class Transfert;
  void Click(const Controle& bouton);
  // The steps a conversion run takes before reading, its echo, and its ending (the count, or
  // the no-records message).
  void preparerConversion();
  void afficherEcho(std::string echo);
  void finConversion(long long nombreLu);
  // Esc anywhere in the window: the cancel button `sortie` is clicked while it is shown; else
  // the key reaches the window's own handler only when no control has the focus.
  void Echap(bool controleAvecFocus);
  bool demandeFermeture();
  Reponse MsgBox(std::string texte, Boutons boutons, Icone icone, std::string titre = std::string(kTitreApplication));
  // Ends the program at once: no handler runs after this one, the about box goes with the
  // window, and the front end's event loop ends, so that `main` returns `code` and closes
  // everything.
  void terminer(int code = 0);
  bool arretDemande() const { return services_.signalRecu && services_.signalRecu() != 0; }
  // A signal stopped a transfer, or came outside one: the user is told what a box would have
  // said, and the program ends with 128 + the signal's number, as zor-cli does.
  void finirSurSignal(const std::string& texte);
  void peindre();
  serie::Suivi suiviTransfert();
  void veiller();

  Services services_;
  Observateur observateur_;
  std::function<void(apropos::frmAbout&)> montrerAPropos_;
  std::unique_ptr<apropos::frmAbout> apropos_;
  bool enTransfert_ = false;
  bool fichierEnCours_ = false;  // a given file's run is on (its box may be open)
  bool fermetureDemandee_ = false;
  bool termine_ = false;
};

}  // namespace zor::app
