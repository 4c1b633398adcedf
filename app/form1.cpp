#include "app/form1.h"

#include "convert/formats.h"

namespace zor::app {
namespace {

constexpr Police kGras975{"MS Sans Serif", 9.75, true};

Description option(std::string_view nom, std::string caption, Rectangle place, std::string infobulle) {
  Description d = description(Genre::Option, nom, std::move(caption), place);
  d.infobulle = std::move(infobulle);
  d.fond = kFondFenetre;
  d.texte = kRouge;
  return d;
}

Description etiquette(std::string_view nom, std::string caption, Rectangle place, bool visible, Police police = {}) {
  Description d = description(Genre::Etiquette, nom, std::move(caption), place);
  d.visible = visible;
  d.police = police;
  d.fond = kFondFenetre;
  return d;
}

Description bouton(std::string_view nom, std::string caption, Rectangle place, bool visible, Image image, int cote,
                   std::string infobulle = {}) {
  Description d = description(Genre::BoutonImage, nom, std::move(caption), place);
  d.visible = visible;
  d.image = image;
  d.coteImage = cote;
  d.infobulle = std::move(infobulle);
  d.fond = kFondBouton;
  return d;
}

Description liste(std::string_view nom, std::vector<std::string> elements, Rectangle place) {
  Description d = description(Genre::Liste, nom, elements.front(), place);
  d.liste = std::move(elements);
  d.visible = false;
  return d;
}

template <class F>
Description avec(Description d, F&& modifier) {
  modifier(d);
  return d;
}

std::vector<std::string> typesEntree() {
  std::vector<std::string> types;
  for (const conversion::FormatEntree& f : conversion::formatsEntree()) types.emplace_back(f.texteListe);
  return types;
}

}  // namespace

Form1::Form1(Services services)
    : profil(option("profil", "profil de carte", {1320, 480, 1335, 495}, "Cochez ici pour injecter un profil de carte")),
      waypoint(option("waypoint", "waypoints", {1320, 960, 1335, 495}, "Cochez ici pour injecter des waypoints")),
      zor(etiquette("zor", "Envoyer ou recevoir des données (Waypoint ou PDC) vers un Gps ZOR", {120, 120, 7215, 375}, true,
                    {"Tahoma", 9.75, true, true, true})),
      ouvrir(bouton("ouvrir", "Rechercher Fichier", {7080, 1680, 1815, 615}, false, Image::Ouvrir, 16,
                    "pour selectionner un fichier à transmettre au GPS")),
      ecrire(bouton("ecrire", "&Ecrire dans GPS", {7440, 2520, 1455, 495}, false, Image::Ecrire, 32,
                    "Pour ecrire le fichier traité dans le GPS")),
      nombre(etiquette("nombre", "Nombre d'enregistrements lus :", {2760, 1200, 3615, 255}, false, kGras975)),
      sortie(avec(bouton("sortie", "&Quitter", {7440, 3240, 1335, 615}, true, Image::Sortie, 16, "Pour sortir du programme"),
                  [](Description& d) {
                    d.fond = kFondSortie;
                    d.annulation = true;
                  })),
      nombre1(etiquette("nombre1", "nombre d'enregistrements écrits dans le GPS  FX312 4x4:", {120, 3360, 6015, 495}, false,
                        kGras975)),
      Comm(avec(liste("Comm", {"Comm1", "Comm2", "Comm3", "Comm4"}, {4800, 600, 1095, 315}), [](Description& d) {
        d.fond = kFondComm;
        d.infobulle = "Choisir le port de communication";
        d.nommePar = {"prtd"};
      })),
      prtd(etiquette("prtd", "Port de comm:", {3480, 720, 1335, 375}, false, {"MS Sans Serif", 8.25, true})),
      // The count sent (after an upload) or received (after a download): named by the caption
      // that shows beside it (after a download both show, the second over the first).
      result(avec(etiquette("result", "", {6480, 3360, 735, 495}, true, kGras975),
                  [](Description& d) {
                    d.texte = kBleu;
                    d.nommePar = {"nombre1", "Label2"};
                  })),
      quant1(avec(etiquette("quant1", "", {6480, 1200, 735, 375}, true, kGras975),
                  [](Description& d) {
                    d.texte = kBleu;
                    d.nommePar = {"nombre"};
                  })),
      fenetre(avec(etiquette("fenetre", "", {360, 1800, 45, 195}, false), [](Description& d) {
        d.infobulle = "enregidtrements générés allant être écrits dans le GPS";
        d.tailleAuTexte = true;
        d.retourLigne = false;
      })),
      Label1(etiquette("Label1", "", {720, 720, 495, 375}, true, {"MS Sans Serif", 9.75, true, true, true})),
      lire(bouton("lire", "&Lire du GPS", {7440, 600, 1455, 495}, false, Image::Lire, 32,
                  "Pour recevoir un fichier du gps (Waypoint )")),
      nom(avec(liste("nom", typesEntree(), {4440, 1920, 1815, 315}), [](Description& d) { d.nommePar = {"Typef"}; })),
      Typef(avec(etiquette("Typef", "Format de fichier :", {2280, 1920, 1935, 375}, false, kGras975), [](Description& d) {
        d.texte = kBleu;
        d.infobulle = "Choisissez le type de fichier";
      })),
      Label2(etiquette("Label2", "nombre d'enregistrements lus du GPS  FX312 4x4:  et ecrits dans le fichier c:\\zor.txt",
                       {720, 3360, 5295, 615}, false, kGras975)),
      // Two buttons of the same caption: a screen reader tells them apart by what they validate.
      ok(avec(bouton("ok", "Ok", {1320, 1440, 1095, 375}, true, Image::Ok, 16),
              [](Description& d) { d.descriptionAccessible = "Valider le port"; })),
      ok1(avec(bouton("ok1", "Ok", {4800, 1440, 1095, 375}, false, Image::Ok, 16),
               [](Description& d) { d.descriptionAccessible = "Valider le format"; })),
      zorfrmabout(description(Genre::Menu, "zorfrmabout", std::string(kMenuAPropos), {})),
      MSComm1({services.liaisonMSComm1, services.portsPresents, services.plusTard}),
      MSComm2({services.liaisonMSComm2, services.portsPresents, services.plusTard}),
      services_(std::move(services)) {
  profil.definirValeurChoisie(true);
  for (Controle* c : controles()) c->observer(&observateur_);

  ouverture.DialogTitle = "Fichier en entrée";
  ouverture.DefaultExt = "txt";
  ouverture.Filter = conversion::filtreOuverture();
  ecriture.FileName = "c:\\$_t_e_m_p";
  ecrizor.FileName = "c:\\zor.txt";
  // Design values of both serial controls: port 1, 4800 baud, no parity, 8 data bits, 2 stop
  // bits. Only the download's has an event handler.
  for (serie::MSComm* c : {&MSComm1, &MSComm2}) {
    c->CommPort(1);
    c->Settings(serie::kReglagesGps);
  }
  MSComm2.OnComm = [this] {
    if (!termine_) MSComm2_OnComm();
  };
}

Form1::~Form1() = default;

std::array<Controle*, 20> Form1::controles() {
  return {&profil, &waypoint, &zor,    &ouvrir, &ecrire, &nombre, &sortie, &nombre1, &Comm, &prtd,
          &result, &quant1,   &fenetre, &Label1, &lire,   &nom,    &Typef,  &Label2,  &ok,   &ok1};
}

void Form1::definirVue(Vue vue) {
  observateur_ = std::move(vue.changement);
  montrerAPropos_ = std::move(vue.aPropos);
}

void Form1::ok_Click() {
  Comm.Visible(true);
  prtd.Visible(true);
  ok.Visible(false);
  ok1.Visible(true);
}

void Form1::ok1_Click() {
  Typef.Visible(true);
  nom.Visible(true);
  ok1.Visible(false);
  ouvrir.Visible(true);
  lire.Visible(true);
}

void Form1::sortie_Click() { terminer(); }

void Form1::Click(const Controle& bouton) {
  if (&bouton == &ok) ok_Click();
  else if (&bouton == &ok1) ok1_Click();
  else if (&bouton == &sortie) sortie_Click();
  else if (&bouton == &ouvrir) ouvrir_Click();
  else if (&bouton == &ecrire) ecrire_Click();
  else if (&bouton == &lire) lire_Click();
  else if (&bouton == &zorfrmabout) zorfrmabout_Click();
}

bool Form1::recevoir(const Evenement& e) {
  // Ended: what was still queued for the window (a click, a key, the close that follows the
  // end) runs nothing, the unload handler included.
  if (termine_) return true;
  // During a transfer the window takes no click, key or list: they are dropped, not kept for
  // its end, when the buttons have changed under them (a click meant for "Ecrire dans GPS"
  // would land on the background, a key on whatever has the focus then). A close request is
  // about the window, not a place in it: it is held and honoured once the transfer is over.
  if (enTransfert_ && e.genre != Evenement::Genre::DemandeFermeture) return true;
  switch (e.genre) {
    case Evenement::Genre::Clic:
      if (e.controle != nullptr) Click(*e.controle);
      break;
    case Evenement::Genre::ListeOuverte:
      if (e.controle == &Comm) Comm_DropDown();
      break;
    case Evenement::Genre::DoubleClic: Form_DblClick(); break;
    case Evenement::Genre::Touche:
      if (e.touche == kToucheEchap) {
        Echap(e.focusSurUnControle);
      } else if (!e.focusSurUnControle) {
        int touche = e.touche;
        Form_KeyPress(touche);
      }
      break;
    case Evenement::Genre::DemandeFermeture: return demandeFermeture();
    case Evenement::Genre::FichierDonne:
      // Never into a transfer (it reads the interchange file), nor into another given file's run.
      if (!enTransfert_ && !fichierEnCours_) fichierDonne(e.fichier);
      break;
  }
  return true;
}

void Form1::terminer(int code) {
  if (termine_) return;
  termine_ = true;
  if (apropos_) apropos_->fermerAvecLeProgramme();
  if (services_.fin) services_.fin(code);
}

void Form1::Form_KeyPress(int& KeyAscii) {
  if (KeyAscii == kToucheEchap) terminer();
}

void Form1::Form_DblClick() {
  // Both answers end the program; the question is only asked.
  MsgBox("êtes-vous sûr de vouloir quitter le programme?", Boutons::OkCancel, Icone::Aucune);
  terminer();
}

// The download file is opened and closed within "Lire du GPS": no download is ever left open
// when the window closes.
void Form1::Form_Unload() {}

void Form1::Echap(bool controleAvecFocus) {
  if (const Controle* annulation = boutonAnnulation(controles())) {
    Click(*annulation);
    return;
  }
  if (!controleAvecFocus) {
    int touche = kToucheEchap;
    Form_KeyPress(touche);
  }
}

bool Form1::demandeFermeture() {
  if (enTransfert_) {
    // Closing now would pull the window from under the transfer: it closes once it is over.
    fermetureDemandee_ = true;
    return false;
  }
  Form_Unload();
  return true;
}

void Form1::zorfrmabout_Click() {
  // One box at most. An unloaded box is gone; the next choice loads a new one. It has no
  // owner: it outlives the main window until the user closes it too.
  if (!apropos_ || apropos_->decharge())
    apropos_ = std::make_unique<apropos::frmAbout>(apropos::frmAbout::Services{services_.messages, services_.lancement});
  if (montrerAPropos_) montrerAPropos_(*apropos_);
}

Reponse Form1::MsgBox(std::string texte, Boutons boutons, Icone icone, std::string titre) {
  return services_.messages({std::move(texte), std::move(titre), boutons, icone});
}

void Form1::peindre() {
  if (services_.peindre) services_.peindre();
}

void Form1::veiller() {
  if (services_.veiller) services_.veiller();
}

}  // namespace zor::app
