// The window's model as the user meets it, without any toolkit: which controls each step
// shows, every way out of the program, the about box, what the window takes during a transfer,
// where the focus goes when its control hides, and what a screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/form1.h"
#include "ihm/accessibilite.h"
#include "ihm/focus.h"
#include "tests/about/outils_apropos.h"
#include "tests/serial/liaison_scriptee.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

// The window's layout after each step of the workflow, one letter per control in this order.
// Y: shown, -: hidden.
constexpr const char* kControles[] = {"ok",     "ok1",  "Comm",    "prtd",   "Typef",  "nom",    "ouvrir",
                                      "lire",   "ecrire", "fenetre", "nombre", "quant1", "nombre1", "result",
                                      "Label2", "profil", "waypoint", "Label1", "sortie", "zor"};

class Fenetre : public ::testing::Test {
 protected:
  std::string visibles() { return visibles(form); }
  static std::string visibles(Form1& form) {
    std::map<std::string_view, Controle*> parNom;
    for (Controle* c : form.controles()) parNom[c->nom()] = c;
    std::string s;
    for (const char* nom : kControles) s += parNom.at(nom)->Visible() ? 'Y' : '-';
    return s;
  }
  void convertir(const std::string& type, const std::optional<std::string>& fichier) {
    form.nom.Text(type);
    if (fichier) dialogue.choisir(*fichier);
    else dialogue.annuler();
    form.ouvrir_Click();
  }
  static std::string donnee(const char* nom) {
    return std::string(std::getenv("ZOR_SOURCE_DIR")) + "/tests/convert/donnees/" + nom;
  }

  Services services() {
    Services s = test::services(dialogue, messages, fin, horloge);
    s.liaisonMSComm1 = s.liaisonMSComm2 = test::liaisonScriptee(gps);
    s.portsPresents = [] { return std::vector<serie::PortSerie>{}; };
    return s;
  }
  // Another window over the same drive and receiver, whose boxes `boites` answers.
  Form1 autre(test::ScriptMessages& boites) {
    Services s = services();
    s.messages = boites.repondeur();
    return Form1{std::move(s)};
  }

  test::LecteurCTemporaire lecteur;
  test::ScriptOuverture dialogue;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison gps{&horloge};
  Form1 form{services()};
};

TEST_F(Fenetre, ChaqueEtapeMontreSesControles) {
  struct Pas {
    const char* quoi;
    std::function<void()> faire;
    const char* attendu;
  };
  const Pas pas[] = {
      {"départ", [] {}, "Y----------Y-Y-YYYYY"},
      {"après ok", [&] { form.ok_Click(); }, "-YYY-------Y-Y-YYYYY"},
      {"après ok1", [&] { form.ok1_Click(); }, "--YYYYYY---Y-Y-YYYYY"},
      {"conversion échouée", [&] { convertir("G7towin", lecteur.chemin().string()); }, "--YY--Y--Y-Y-Y-YYYYY"},
      {"conversion sans enregistrement", [&] { convertir("G7towin", donnee("vide.txt")); }, "--YYYYY---Y--Y-YYYYY"},
      {"conversion avec enregistrements", [&] { convertir("G7towin", donnee("g7towin.txt")); },
       "--YY--Y-YYYY-Y-YYYYY"},
      {"envoi", [&] { form.ecrire_Click(); }, "--YYYYYY-YYYYY-YYYYY"},
      {"réception", [&] {
         gps.arrivees.ajouter("\r" + std::string(62, 'a') + "\r\n" + std::string(62, 'b') + "\r\n" +
                              std::string(62, 'c') + "\r\n" + std::string(62, 'b') + "\r\n");
         form.lire_Click();
       },
       "--YY---Y-YYYYYY---YY"},
  };
  for (const Pas& p : pas) {
    p.faire();
    EXPECT_EQ(visibles(), p.attendu) << p.quoi;
  }
  EXPECT_EQ(form.quant1.Caption(), "6");
  EXPECT_EQ(form.result.Caption(), "2");  // the 2nd and 3rd reads, until the 2nd came round again
  EXPECT_EQ(form.zor.Caption(), " Reception de waypoints d'un ZOR FX312 4X4");
  EXPECT_EQ(form.prtd.Caption(), "port lecture");
  EXPECT_EQ(gps.ecrit.substr(gps.ecrit.size() - 1), "\x1a");
  EXPECT_FALSE(fin.termine());
}

// A file given to the window ends where « Rechercher Fichier » would, from wherever the window
// was: the port list shown, no "Ok" left. Its type comes from its content, else from the list;
// only a run with records replaces the interchange file. Of a GPX file the box tells the line
// taken, its fitting, the lines left and how to take one; in waypoint mode, the track points
// left out.
TEST_F(Fenetre, UnFichierDonneFinitCommeUneConversion) {
  const std::string avec = "--YY--Y-YYYY-Y-YYYYY", sans = "--YYYYY---Y--Y-YYYYY", echouee = "--YY--Y--Y-Y-Y-YYYYY";
  const std::filesystem::path echange = lecteur.chemin() / "$_t_e_m_p";
  std::filesystem::create_directory(lecteur.chemin() / "dossier");
  std::string trace = "<gpx><trk><name>Sortie</name><trkseg>";
  for (int i = 0; i < 400; ++i)
    trace += "<trkpt lat=\"" + std::to_string(45 + i * 1e-4) + "\" lon=\"" + std::to_string(6 + 1e-3 * (i % 7)) + "\"/>";
  test::ecrireOctets(lecteur.chemin() / "sortie.gpx", trace + "</trkseg></trk></gpx>");
  struct Cas {
    const char* quoi;
    std::function<void(Form1&)> avant;
    std::string fichier;
    const char* type;
    std::string attendu;
    long long phrases;  // in the interchange file; -1: left as it was
    std::vector<Icone> boites;
    std::vector<std::string> dit{};  // in the box's text
  };
  const auto rien = [](Form1&) {};
  const Cas cas[] = {
      {"GPX au départ", rien, donnee("lignes.gpx"), "Format ZOR", avec, 12, {Icone::Information},
       {"Profil de carte : route « Étape 1 » : 12 points, 3,8 km ; envoi ≈ 7 s.\n\n"
        "Les autres lignes de lignes.gpx ne sont pas converties :\n"
        "ligne 2 : route « Étape 2 », 12 points, 3,8 km\nligne 3 : trace « Galibier », 620 points, 3,4 km\n"
        "ligne 4 : trace, 5 points, 0,4 km\nPour en convertir une autre : zor-cli convert --ligne N « lignes.gpx »."}},
      {"GPX ramené à 255 points", rien, (lecteur.chemin() / "sortie.gpx").string(), "Format ZOR", avec, 255,
       {Icone::Information},
       {"Profil de carte : trace « Sortie » : 400 points → 255 (écart max ",
        "\nLa ligne a été ramenée à 255 points ; aucun des 400 points lus n'est à plus de "}},
      {"GPX en waypoints", [](Form1& f) { f.waypoint.Value(true), f.profil.Value(false); }, donnee("lignes.gpx"),
       "Format ZOR", avec, 29, {Icone::Information},
       {"625 points de trace (<trk>) n'ont pas été pris : ce ne sont pas des waypoints."}},
      {"Autoroute Express malgré la liste", [](Form1& f) { f.ok_Click(); }, donnee("exemple.axe"), "G7towin", avec, 4, {}},
      {"texte du type de la liste", [](Form1& f) { f.ok_Click(), f.ok1_Click(); }, donnee("g7towin.txt"), "G7towin", avec,
       6, {}},
      {"texte d'un autre type", rien, donnee("g7towin.txt"), "Format ZOR", sans, -1, {Icone::Question}},
      {"type inconnu de la liste", rien, donnee("g7towin.txt"), "gpx", sans, -1, {Icone::Question}},
      {"dossier", rien, (lecteur.chemin() / "dossier").string(), "Format ZOR", echouee, -1, {}},
      {"fichier absent", rien, donnee("absent.gpx"), "G7towin", echouee, -1, {}},
  };
  for (const Cas& c : cas) {
    test::ScriptMessages m;
    Form1 f = autre(m);
    c.avant(f);
    f.nom.Text(c.type);
    f.fenetre.definirOctets("avant\r\n");
    test::ecrireOctets(echange, "ancien\r\n");
    EXPECT_TRUE(f.recevoir(Evenement::fichierDonne(c.fichier))) << c.quoi;
    EXPECT_EQ(visibles(f), c.attendu) << c.quoi;
    const std::string ecrit = test::lireOctets(echange);
    const std::string& echo = f.fenetre.octets();
    if (c.phrases < 0) {
      EXPECT_EQ(ecrit, "ancien\r\n") << c.quoi;
    } else {
      EXPECT_EQ(std::count(ecrit.begin(), ecrit.end(), '$'), c.phrases) << c.quoi;
    }
    EXPECT_TRUE(echo.starts_with("avant\r\n")) << c.quoi;
    EXPECT_EQ(std::count(echo.begin(), echo.end(), '$'), std::max(c.phrases, 0LL)) << c.quoi;
    if (c.phrases > 0) {
      EXPECT_EQ(f.quant1.Caption(), std::to_string(c.phrases)) << c.quoi;
    }
    std::vector<Icone> boites;
    for (const DemandeMessage& d : m.vus()) boites.push_back(d.icone);
    ASSERT_EQ(boites, c.boites) << c.quoi;
    for (const std::string& p : c.dit) {
      EXPECT_EQ(m.vus()[0].titre, "ZOR");
      EXPECT_NE(m.vus()[0].texte.find(p), std::string::npos) << m.vus()[0].texte;
    }
  }
}

// A file given after a download gives the window back its conversion captions and controls;
// one given during a transfer, or while another one's box is open, is not taken.
TEST_F(Fenetre, UnFichierDonneNeSeGlissePasDansUneAutreAction) {
  const std::filesystem::path echange = lecteur.chemin() / "$_t_e_m_p";
  gps.arrivees.ajouter("\r" + std::string(62, 'a') + "\r\n" + std::string(62, 'b') + "\r\n" + std::string(62, 'b') + "\r\n");
  form.ok_Click();
  form.ok1_Click();
  form.lire_Click();
  form.recevoir(Evenement::fichierDonne(donnee("exemple.axe")));
  EXPECT_EQ(visibles(), "--YY--Y-YYYY-Y-YYYYY");
  EXPECT_EQ(form.zor.Caption(), "Envoyer ou recevoir des données (Waypoint ou PDC) vers un Gps ZOR");
  EXPECT_EQ(form.prtd.Caption(), "Port de comm:");

  // During the upload of what was just converted: the file sent stays the one shown.
  const std::string envoye = test::lireOctets(echange);
  gps.surEcriture = [&] { form.recevoir(Evenement::fichierDonne(donnee("g7towin.txt"))); };
  form.ecrire_Click();
  EXPECT_EQ(test::lireOctets(echange), envoye);
  EXPECT_EQ(form.quant1.Caption(), "4");

  // A second file while the first one's box is open.
  Services s = services();
  Form1* ouverte = nullptr;
  int boites = 0;
  s.messages = [&](const DemandeMessage&) {
    ++boites;
    ouverte->recevoir(Evenement::fichierDonne(donnee("exemple.axe")));
    return Reponse::Ok;
  };
  Form1 f{std::move(s)};
  ouverte = &f;
  f.recevoir(Evenement::fichierDonne(donnee("lignes.gpx")));
  EXPECT_EQ(boites, 1);
  EXPECT_EQ(f.quant1.Caption(), "12");
}

TEST_F(Fenetre, ChaqueSortieTermineLeProgrammeUneFois) {
  struct Cas {
    const char* quoi;
    std::function<void(Form1&)> faire;
    std::vector<Reponse> reponses;
    int fins;
    std::size_t boites;
  };
  const Cas cas[] = {
      {"Quitter", [](Form1& f) { f.recevoir(Evenement::clic(f.sortie)); }, {}, 1, 0},
      {"Echap, Quitter affiché, focus sur une liste", [](Form1& f) { f.recevoir(Evenement::frappe(27, true)); }, {}, 1, 0},
      {"Echap, Quitter caché, aucun focus",
       [](Form1& f) { f.sortie.Visible(false), f.recevoir(Evenement::frappe(27, false)); }, {}, 1, 0},
      {"Echap, Quitter caché, focus sur un contrôle",
       [](Form1& f) { f.sortie.Visible(false), f.recevoir(Evenement::frappe(27, true)); }, {}, 0, 0},
      {"autre touche", [](Form1& f) { f.recevoir(Evenement::frappe(13, false)); }, {}, 0, 0},
      {"double clic, OK", [](Form1& f) { f.recevoir(Evenement::doubleClic()); }, {Reponse::Ok}, 1, 1},
      {"double clic, Annuler", [](Form1& f) { f.recevoir(Evenement::doubleClic()); }, {Reponse::Cancel}, 1, 1},
      {"Annuler avant l'envoi", [](Form1& f) { f.recevoir(Evenement::clic(f.ecrire)); }, {Reponse::Cancel}, 1, 1},
      {"Annuler avant la réception", [](Form1& f) { f.recevoir(Evenement::clic(f.lire)); }, {Reponse::Cancel}, 1, 1},
      {"fermeture", [](Form1& f) { EXPECT_TRUE(f.recevoir(Evenement::demandeFermeture())); }, {}, 0, 0},
  };
  for (const Cas& c : cas) {
    test::ScriptMessages m;
    for (Reponse r : c.reponses) m.repondre(r);
    test::ObservateurFin f;
    test::LanceurObserve lanceur;
    Services s = test::services(m, f);
    s.lancement = lanceur.lanceur();
    Form1 fenetre{std::move(s)};
    std::vector<apropos::frmAbout*> montrees;
    fenetre.definirVue({{}, [&](apropos::frmAbout& b) { montrees.push_back(&b); }});
    fenetre.recevoir(Evenement::clic(fenetre.zorfrmabout));
    ASSERT_EQ(montrees.size(), 1u) << c.quoi;
    apropos::frmAbout& boite = *montrees[0];
    bool boiteFermee = false;
    boite.definirVue({{}, [&] { boiteFermee = true; }});
    c.faire(fenetre);
    EXPECT_EQ(f.fois(), c.fins) << c.quoi;
    EXPECT_EQ(m.vus().size(), c.boites) << c.quoi;
    if (c.fins == 0) continue;

    // Once the program has ended, its event loop only empties what was queued for both windows:
    // no handler runs any more, the unload handler included, and the about box has gone with it.
    EXPECT_TRUE(fenetre.termine()) << c.quoi;
    EXPECT_TRUE(boiteFermee && boite.decharge()) << c.quoi << " : la boîte « À propos » part avec le programme";
    fenetre.recevoir(Evenement::clic(fenetre.ok));
    fenetre.recevoir(Evenement::doubleClic());
    fenetre.recevoir(Evenement::frappe(27, false));
    fenetre.recevoir(Evenement::clic(fenetre.zorfrmabout));
    EXPECT_TRUE(fenetre.recevoir(Evenement::demandeFermeture())) << c.quoi;
    boite.recevoir(Evenement::clic(boite.cmdSysInfo));
    EXPECT_TRUE(fenetre.ok.Visible() && !fenetre.Comm.Visible()) << c.quoi << " : « Ok » a été cliqué après la fin";
    EXPECT_EQ(m.vus().size(), c.boites) << c.quoi << " : une boîte s'est ouverte après la fin";
    EXPECT_EQ(f.fois(), 1) << c.quoi;
    EXPECT_EQ(montrees.size(), 1u) << c.quoi;
    EXPECT_TRUE(lanceur.lances().empty()) << c.quoi;
  }
  // The question of the double click, asked with OK and Cancel and no icon, under the program's title.
  test::ScriptMessages m;
  test::ObservateurFin f;
  Form1 fenetre{test::services(m, f)};
  fenetre.Form_DblClick();
  ASSERT_EQ(m.vus().size(), 1u);
  EXPECT_EQ(m.vus()[0].texte, "êtes-vous sûr de vouloir quitter le programme?");
  EXPECT_EQ(m.vus()[0].titre, "ZOR");
  EXPECT_EQ(m.vus()[0].boutons, Boutons::OkCancel);
  EXPECT_EQ(m.vus()[0].icone, Icone::Aucune);
}

// The about box's own entry: OK, Enter's click, Esc and the close box unload it; the other
// button starts the system-information program and leaves it open.
TEST_F(Fenetre, LaBoiteAProposPrendSesEvenementsParUneEntree) {
  struct Cas {
    const char* quoi;
    std::function<Evenement(apropos::frmAbout&)> evenement;
    bool dechargee;
  };
  const Cas cas[] = {
      {"OK", [](apropos::frmAbout& b) { return Evenement::clic(b.cmdOK); }, true},
      {"Echap", [](apropos::frmAbout&) { return Evenement::frappe(27, true); }, true},
      {"case de fermeture", [](apropos::frmAbout&) { return Evenement::demandeFermeture(); }, true},
      {"autre touche", [](apropos::frmAbout&) { return Evenement::frappe('a', false); }, false},
      {"Infos système", [](apropos::frmAbout& b) { return Evenement::clic(b.cmdSysInfo); }, false},
  };
  for (const Cas& c : cas) {
    test::ScriptMessages m;
    apropos::frmAbout boite({m.repondeur(), [](const std::filesystem::path&) { return false; }});
    int fermetures = 0;
    boite.definirVue({{}, [&] { ++fermetures; }});
    boite.recevoir(c.evenement(boite));
    EXPECT_EQ(boite.decharge(), c.dechargee) << c.quoi;
    EXPECT_EQ(fermetures, c.dechargee ? 1 : 0) << c.quoi;
    boite.recevoir(Evenement::clic(boite.cmdOK));
    EXPECT_EQ(fermetures, 1) << c.quoi;
  }
}

TEST_F(Fenetre, UneSeuleBoiteAProposRechargeeApresOK) {
  std::vector<apropos::frmAbout*> montrees;
  form.definirVue({{}, [&](apropos::frmAbout& b) { montrees.push_back(&b); }});
  form.zorfrmabout_Click();
  form.zorfrmabout_Click();
  ASSERT_EQ(montrees.size(), 2u);
  EXPECT_EQ(montrees[0], montrees[1]);
  apropos::frmAbout& boite = *montrees[0];
  EXPECT_EQ(boite.Caption, "À propos de ZOR");
  EXPECT_EQ(boite.lblVersion.Caption(), "Version " ZOR_VERSION);
  EXPECT_EQ(boite.lblTitle.Caption(), "ZOR");
  boite.cmdOK_Click();
  EXPECT_TRUE(boite.decharge());
  form.zorfrmabout_Click();
  ASSERT_EQ(montrees.size(), 3u);
  EXPECT_FALSE(form.boiteAPropos()->decharge());
  EXPECT_EQ(form.boiteAPropos()->lblTitle.Caption(), "ZOR");
  EXPECT_FALSE(fin.termine());
}

// What the handlers change reaches the front end, each change once, as it is made.
TEST_F(Fenetre, LaVueApprendChaqueChangement) {
  std::vector<std::pair<std::string, Propriete>> vus;
  form.definirVue({[&](const Controle& c, Propriete p) { vus.emplace_back(std::string(c.nom()), p); }, {}});
  form.ok_Click();
  const std::vector<std::pair<std::string, Propriete>> attendu{{"Comm", Propriete::Visible},
                                                                {"prtd", Propriete::Visible},
                                                                {"ok", Propriete::Visible},
                                                                {"ok1", Propriete::Visible}};
  EXPECT_EQ(vus, attendu);
}

// During a transfer the window takes no click, key or list, which would land on a window
// changed by its end; a close request waits for the end and is honoured then.
TEST_F(Fenetre, PendantUnTransfertSeuleLaFermetureEstPriseEtAttendSaFin) {
  std::vector<std::function<void()>> plusTard;
  int fermetures = 0;
  Services s = services();
  s.plusTard = [&](std::function<void()> f) { plusTard.push_back(std::move(f)); };
  s.fermer = [&] { ++fermetures; };
  Form1 f{std::move(s)};
  f.ok_Click();
  f.ok1_Click();
  test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "$GPWPL,1*00\r\n$GPWPL,2*00\r\n");
  f.ecrire.Visible(true);
  const std::pair<const char*, Evenement> pendant[] = {
      {"Quitter", Evenement::clic(f.sortie)},           {"Echap", Evenement::frappe(27, true)},
      {"double clic", Evenement::doubleClic()},         {"Lire du GPS", Evenement::clic(f.lire)},
      {"A propos", Evenement::clic(f.zorfrmabout)},     {"liste ouverte", Evenement::listeOuverte(f.Comm)},
      {"Echap sans focus", Evenement::frappe(27, false)},
  };
  const std::size_t boitesAvant = messages.vus().size();
  bool ferme = true;
  gps.surEcriture = [&] {
    if (gps.ecrit.size() > 20) return;
    for (const auto& [quoi, e] : pendant) EXPECT_TRUE(f.recevoir(e)) << quoi;
    ferme = f.recevoir(Evenement::demandeFermeture());
  };
  f.ecrire_Click();
  EXPECT_EQ(gps.ecrit, "$GPWPL,1*00\r\n$GPWPL,2*00\r\n");
  EXPECT_FALSE(ferme) << "la fermeture doit attendre la fin de l'envoi";
  EXPECT_FALSE(fin.termine());
  EXPECT_EQ(messages.vus().size(), boitesAvant + 1) << "seule la confirmation de l'envoi";
  EXPECT_EQ(f.boiteAPropos(), nullptr);
  EXPECT_EQ(fermetures, 0);
  ASSERT_EQ(plusTard.size(), 1u);
  plusTard[0]();
  EXPECT_EQ(fermetures, 1);
  // Once it is over, the window takes everything again.
  f.recevoir(Evenement::clic(f.sortie));
  EXPECT_TRUE(fin.termine());
}

TEST_F(Fenetre, LeFocusDUnControleQuiDisparaitVaOuEntreeEtEspaceNeFontRien) {
  struct Cas {
    const char* quoi;
    std::function<void(Form1&)> avant;
    Controle Form1::*cache;
    Controle Form1::*attendu;  // none: the window itself
  };
  const Cas cas[] = {
      {"fin d'un envoi, profil choisi", [](Form1& f) { f.ok_Click(), f.ok1_Click(); }, &Form1::ecrire, &Form1::profil},
      {"fin d'un envoi, waypoints choisi",
       [](Form1& f) { f.ok_Click(), f.ok1_Click(), f.profil.Value(false), f.waypoint.Value(true); }, &Form1::ecrire,
       &Form1::waypoint},
      {"après une réception, options cachées",
       [](Form1& f) { f.ok_Click(), f.profil.Visible(false), f.waypoint.Visible(false); }, &Form1::lire, &Form1::Comm},
      {"Ok au départ", [](Form1&) {}, &Form1::ok, &Form1::profil},
      {"ok1 caché par un fichier donné", [](Form1& f) { f.ok_Click(); }, &Form1::ok1, &Form1::profil},
      {"l'option elle-même", [](Form1& f) { f.waypoint.Visible(false); }, &Form1::profil, nullptr},
  };
  for (const Cas& c : cas) {
    Form1 f{test::services(messages, fin)};
    c.avant(f);
    (f.*c.cache).Visible(false);
    const Controle* cible = focusApresDisparition(f.controles(), f.*c.cache);
    EXPECT_EQ(cible, c.attendu ? &(f.*c.attendu) : nullptr) << c.quoi << " : " << (cible ? cible->nom() : "aucun");
  }
  apropos::frmAbout boite({});
  EXPECT_EQ(focusApresDisparition(boite.controles(), boite.cmdSysInfo), nullptr) << "jamais un bouton";
}

TEST_F(Fenetre, UnLecteurDEcranEntendChaqueControleNommeEtLesDeuxOkDistingues) {
  using Lu = std::tuple<std::string, std::string, std::string>;  // name, value, description
  // What the walks of the real windows (tests/qt/atspi.sh, tests/windows/fenetre.sh) do not reach.
  const std::vector<std::pair<std::function<void()>, std::vector<std::pair<Controle Form1::*, Lu>>>> etapes = {
      {[this] {
         form.ok_Click();
         form.ok1_Click();
         form.Comm.definirTexteSaisi("COM5");
       },
       {{&Form1::Comm, {"Port de comm:", "COM5", "Choisir le port de communication"}},
        {&Form1::Typef, {"Format de fichier :", "", "Choisissez le type de fichier"}},
        {&Form1::lire, {"Lire du GPS", "", "Pour recevoir un fichier du gps (Waypoint )"}},
        {&Form1::result, {"nombre d'enregistrements écrits dans le GPS  FX312 4x4:", "", ""}}}},
      {[this] {
         convertir("Format ZOR", donnee("zor.txt"));
         form.ecrire_Click();
         gps.arrivees.ajouter("\r" + std::string(62, 'a') + "\r\n" + std::string(62, 'b') + "\r\n" +
                              std::string(62, 'c') + "\r\n" + std::string(62, 'b') + "\r\n");
         form.lire_Click();
       },
       // After an upload then a download both count captions show: the later one, over the
       // other, names the count.
       {{&Form1::result, {"nombre d'enregistrements lus du GPS  FX312 4x4:  et ecrits dans le fichier c:\\zor.txt 2", "", ""}},
        {&Form1::Comm, {"port lecture", "COM5", "Choisir le port de communication"}}}},
  };
  for (const auto& [faire, cas] : etapes) {
    faire();
    for (const auto& [controle, attendu] : cas) {
      const Accessibilite a = accessibilite(form.*controle, form.controles());
      EXPECT_EQ(Lu(a.nom, a.valeur, a.description), attendu) << (form.*controle).nom();
    }
  }
  // The list's own tooltip stays as it was, whatever the screen reader is told.
  EXPECT_EQ(form.Comm.description().infobulle, "Choisir le port de communication");
  EXPECT_EQ(sansEperluette("A && B &x&"), "A & B x");
}

}  // namespace
}  // namespace zor::app
