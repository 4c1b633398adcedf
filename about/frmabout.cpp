#include "about/frmabout.h"

#include "about/infos_systeme.h"

namespace zor::apropos {
namespace {

constexpr Couleur kNoir{0, 0, 0};

Description etiquette(std::string_view nom, std::string caption, Rectangle place) {
  Description d = description(Genre::Etiquette, nom, std::move(caption), place);
  d.texte = kNoir;
  return d;
}

Description bouton(std::string_view nom, std::string caption, Rectangle place) {
  return description(Genre::Bouton, nom, std::move(caption), place);
}

Description image() {
  Description d = description(Genre::Image, "picIcon", {}, {240, 240, 540, 540});
  d.image = Image::APropos;
  d.coteImage = 32;
  return d;
}

}  // namespace

frmAbout::frmAbout(Services services)
    : cmdOK([] {
        Description d = bouton("cmdOK", "OK", {4245, 2625, 1260, 345});
        d.annulation = true;
        d.parDefaut = true;
        return d;
      }()),
      picIcon(image()),
      cmdSysInfo(bouton("cmdSysInfo", "&Infos système...", {4260, 3075, 1245, 345})),
      lblDescription(etiquette(
          "lblDescription",
          "Cette application permet d'injecter un profil de carte ou des waypoints dans un ZOR FX312 4X4 à partir "
          "d'un fichier format ZOR (*.txt), ou G7towin (*txt) ou directement issu d'Autoroute Express (*axe). Il "
          "permet également de recupérer les waypoint du GPS ( en *.txt) pour sauvegarde.",
          {1050, 1125, 3885, 1170})),
      lblDisclaimer(etiquette("lblDisclaimer",
                              "Avertissement: Toutes découvertes de bugs ou demande de modifications doivent être "
                              "remontées à " +
                                  std::string(kAdresseBugs) + ".",
                              {255, 2640, 3870, 825})),
      lblTitle(etiquette("lblTitle", "", {1050, 240, 3885, 480})),
      lblVersion([] {
        Description d = etiquette("lblVersion", "", {1050, 780, 3885, 225});
        d.texte.reset();
        return d;
      }()),
      Line1{{Ligne{{255, 255, 255}, 2, 105, 2460, 5654, 2460}, Ligne{{128, 128, 128}, 1, 90, 2445, 5654, 2445}}},
      services_(std::move(services)) {
  for (Controle* c : controles()) c->observer(&observateur_);
  Form_Load();
}

void frmAbout::definirVue(Vue vue) {
  observateur_ = std::move(vue.changement);
  dechargement_ = std::move(vue.dechargement);
}

void frmAbout::Form_Load() {
  const std::string titre(kTitreApplication);
  Caption = "À propos de " + titre;
  lblVersion.Caption("Version " + std::to_string(ZOR_VERSION_MAJEURE) + "." + std::to_string(ZOR_VERSION_MINEURE) + "." +
                     std::to_string(ZOR_VERSION_REVISION));
  lblTitle.Caption(titre);
}

void frmAbout::cmdOK_Click() { decharger(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(services_.messages, services_.lancement); }

void frmAbout::Click(const Controle& bouton) {
  if (&bouton == &cmdOK) cmdOK_Click();
  else if (&bouton == &cmdSysInfo) cmdSysInfo_Click();
}

bool frmAbout::recevoir(const Evenement& e) {
  if (decharge_) return true;
  switch (e.genre) {
    case Evenement::Genre::Clic:
      if (e.controle != nullptr) Click(*e.controle);
      break;
    case Evenement::Genre::Touche:
      if (e.touche == kToucheEchap)
        if (const Controle* annulation = boutonAnnulation(controles())) Click(*annulation);
      break;
    case Evenement::Genre::DemandeFermeture: decharger(); break;
    case Evenement::Genre::ListeOuverte:
    case Evenement::Genre::DoubleClic:
    case Evenement::Genre::FichierDonne: break;
  }
  return true;
}

void frmAbout::fermerAvecLeProgramme() { decharger(); }

void frmAbout::decharger() {
  if (decharge_) return;
  decharge_ = true;
  if (dechargement_) dechargement_();
}

}  // namespace zor::apropos
