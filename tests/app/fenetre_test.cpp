// The window's model as the user meets it, without any toolkit: which controls each step
// shows, every way out of the program, the about box, and a close request during a transfer.
#include <gtest/gtest.h>

#include <map>

#include "app/form1.h"
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
  std::string visibles() {
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

TEST_F(Fenetre, ChaqueSortieTermineLeProgrammeUneFois) {
  struct Cas {
    const char* quoi;
    std::function<void(Form1&)> faire;
    std::vector<Reponse> reponses;
    int fins;
    std::size_t boites;
  };
  const Cas cas[] = {
      {"Quitter", [](Form1& f) { f.sortie_Click(); }, {}, 1, 0},
      {"Echap, Quitter affiché, focus sur une liste", [](Form1& f) { f.Echap(true); }, {}, 1, 0},
      {"Echap, Quitter caché, aucun focus", [](Form1& f) { f.sortie.Visible(false), f.Echap(false); }, {}, 1, 0},
      {"Echap, Quitter caché, focus sur un contrôle", [](Form1& f) { f.sortie.Visible(false), f.Echap(true); }, {}, 0, 0},
      {"touche 27 de la fenêtre", [](Form1& f) { int t = 27; f.Form_KeyPress(t); }, {}, 1, 0},
      {"autre touche", [](Form1& f) { int t = 13; f.Form_KeyPress(t); }, {}, 0, 0},
      {"double clic, OK", [](Form1& f) { f.Form_DblClick(); }, {Reponse::Ok}, 1, 1},
      {"double clic, Annuler", [](Form1& f) { f.Form_DblClick(); }, {Reponse::Cancel}, 1, 1},
      {"Annuler avant l'envoi", [](Form1& f) { f.ecrire_Click(); }, {Reponse::Cancel}, 1, 1},
      {"Annuler avant la réception", [](Form1& f) { f.lire_Click(); }, {Reponse::Cancel}, 1, 1},
      {"fermeture", [](Form1& f) { EXPECT_TRUE(f.demandeFermeture()); }, {}, 0, 0},
  };
  for (const Cas& c : cas) {
    test::ScriptMessages m;
    for (Reponse r : c.reponses) m.repondre(r);
    test::ObservateurFin f;
    Form1 fenetre{test::services(m, f)};
    c.faire(fenetre);
    EXPECT_EQ(f.fois(), c.fins) << c.quoi;
    EXPECT_EQ(m.vus().size(), c.boites) << c.quoi;
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

}  // namespace
}  // namespace zor::app
