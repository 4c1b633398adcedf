// The upload against the scripted device and the fake clock: what goes on the wire, where the
// pauses fall, what the window is left showing, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <cerrno>

#include "serial/envoi.h"
#include "tests/serial/liaison_scriptee.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;

class EnvoiTest : public ::testing::Test {
 protected:
  BilanEnvoi envoyer(std::optional<std::string_view> contenu) {
    std::filesystem::remove_all(fichier().chemin);
    if (contenu) test::ecrireOctets(fichier().chemin, *contenu);
    Envoi envoi;
    envoi.port.numero = numeroPort;
    envoi.fichier = fichier();
    envoi.interrompu = interrompu;
    envoi.veille = [this] { ++veilles; };
    const Suivi suivi{[this](std::string_view t) { element = std::string(t); },
                      [this](int n) { comptes.push_back(n); }};
    return televerser(port, horloge, envoi, suivi);
  }
  FichierNomme fichier() const { return {lecteur.chemin() / "$_t_e_m_p", "c:\\$_t_e_m_p"}; }

  std::optional<int> numeroPort;
  std::function<bool()> interrompu;
  std::string element = "avant";
  std::vector<int> comptes;
  int veilles = 0;
  test::LecteurCTemporaire lecteur;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison scenario{&horloge};
  MSComm port{test::servicesScriptes(scenario)};
};

TEST_F(EnvoiTest, SeulesLesLignesCommencantParDollarPartentSuiviesDeLaPause) {
  struct Cas {
    const char* nom;
    std::string contenu;
    std::string fil;                // the bytes on the wire
    std::string element;            // what `fenetre` shows at the end
    std::vector<int> comptes;       // `result` after each line read
  };
  const Cas cas[] = {
      {"une phrase et sa ligne vide", "$A*41\r\n\r\n", "$A*41\r\n", "", {1, 1}},
      {"lignes d'un fichier ZOR", "$A*41\r\n$B*42\r\n", "$A*41\r\n$B*42\r\n", "$B*42\r\n", {1, 2}},
      {"espace ou texte avant le dollar", " $A*41\r\nx$B\r\n$C*43", "$C*43\r\n", "$C*43\r\n", {0, 0, 1}},
      {"CR seul comme fin de ligne", "$A*41\r$B*42\r", "$A*41\r\n$B*42\r\n", "$B*42\r\n", {1, 2}},
      {"LF seul reste dans la ligne", "$A*41\n$B*42\r\n", "$A*41\n$B*42\r\n", "$A*41\n$B*42\r\n", {1}},
      {"lignes vides seules", "\r\n\r\r\n", "", "", {0, 0, 0}},
      {"fichier vide", "", "", "avant", {}},
  };
  for (const Cas& c : cas) {
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    MSComm p{test::servicesScriptes(s)};
    element = "avant";
    comptes.clear();
    test::ecrireOctets(fichier().chemin, c.contenu);
    Envoi envoi;
    envoi.fichier = fichier();
    const auto bilan = televerser(p, h, envoi, {[&](std::string_view t) { element = t; }, [&](int n) { comptes.push_back(n); }});
    EXPECT_FALSE(bilan.erreur) << c.nom;
    EXPECT_EQ(test::visible(s.ecrit), test::visible(c.fil)) << c.nom;
    EXPECT_EQ(test::visible(element), test::visible(c.element)) << c.nom;
    EXPECT_EQ(comptes, c.comptes) << c.nom;
    // One 600 ms pause after each sentence, the last one included, before the port closes.
    EXPECT_EQ(h.totalDormi(), 600ms * static_cast<int>(s.quand.size())) << c.nom;
    for (std::size_t i = 0; i < s.quand.size(); ++i) EXPECT_EQ(s.quand[i], 600ms * static_cast<int>(i)) << c.nom;
    EXPECT_EQ(bilan.envoyees, static_cast<int>(s.quand.size())) << c.nom;
    EXPECT_EQ(s.fermetures, 1) << c.nom << ": opened and closed, even with nothing to send";
    EXPECT_EQ(s.reglages.bauds, 4800) << c.nom;
    EXPECT_EQ(s.reglages.bitsStop, 2) << c.nom;
  }
}

// Each sleep lasts a little longer than asked, as on Windows (a tick of 15.6 ms): the pause of an
// upload that can be stopped still ends 600 ms after its sentence, not twelve delays later.
TEST_F(EnvoiTest, LaPauseInterruptibleNAjoutePasLeRetardDeChaqueTranche) {
  class HorlogeEnRetard : public test::HorlogeFactice {
   public:
    void dormir(std::chrono::milliseconds duree) override { HorlogeFactice::dormir(duree + 5ms); }
  };
  HorlogeEnRetard h;
  test::ScenarioLiaison s{&h};
  MSComm p{test::servicesScriptes(s)};
  test::ecrireOctets(fichier().chemin, "$A*41\r\n$B*42\r\n");
  Envoi envoi;
  envoi.fichier = fichier();
  envoi.interrompu = [] { return false; };
  const auto bilan = televerser(p, h, envoi, {[](std::string_view) {}, [](int) {}});
  EXPECT_FALSE(bilan.erreur);
  ASSERT_EQ(s.quand.size(), 2u);
  EXPECT_GE(s.quand[1] - s.quand[0], 600ms);
  EXPECT_LE(s.quand[1] - s.quand[0], 605ms);
}

// The file is read block by block: a line far larger than a block reaches the receiver byte for
// byte, in bounded writes; the window keeps painting along the pauses.
// A line far longer than any sentence is no sentence: a file holding one sends nothing at all;
// what is not a sentence ("x…") may be as long as it likes.
TEST_F(EnvoiTest, UneLigneBienTropLongueNeFaitRienPartir) {
  struct Cas {
    std::size_t longueur;
    int refusee;  // the line refused, 0: all sent
  };
  for (const Cas& c : {Cas{kLigneMax, 0}, Cas{kLigneMax + 1, 3}, Cas{3'000'000, 3}}) {
    scenario.ecrit.clear();
    const std::string longue = "$" + std::string(c.longueur - 1, 'Z');
    const auto bilan = envoyer("$A*41\r\nx" + std::string(2'000'000, 'Y') + "\r\n" + longue + "\r\n$B*42");
    if (c.refusee == 0) {
      EXPECT_FALSE(bilan.erreur) << c.longueur;
      EXPECT_EQ(scenario.ecrit, "$A*41\r\n" + longue + "\r\n$B*42\r\n") << c.longueur;
      continue;
    }
    ASSERT_TRUE(bilan.erreur) << c.longueur;
    EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::LigneTropLongue);
    EXPECT_EQ(bilan.erreur->ligne, c.refusee);
    EXPECT_EQ(scenario.ecrit, "") << c.longueur;
    EXPECT_NE(decrire(*bilan.erreur).find("La ligne 3 du fichier c:\\$_t_e_m_p"), std::string::npos);
  }
}

TEST_F(EnvoiTest, EchecsNommentCeQuiAEchoueEtFermentLePort) {
  struct Cas {
    const char* nom;
    std::optional<std::string> contenu;  // nothing: no file
    std::function<void()> preparer;
    Erreur::Genre genre;
    int numero;
    int envoyees;
  };
  const Cas cas[] = {
      {"fichier absent", std::nullopt, [] {}, Erreur::Genre::FichierIllisible, ENOENT, 0},
      {"un dossier", std::nullopt, [this] { std::filesystem::create_directory(fichier().chemin); },
       Erreur::Genre::FichierIllisible, EISDIR, 0},
      {"liaison coupée à la deuxième phrase", "$A*41\r\n\r\n$B*42\r\n$C*43\r\n",
       [this] { scenario.echecEcriture = 2; }, Erreur::Genre::LiaisonCoupee, EIO, 1},
      {"interruption après une phrase", "$A*41\r\n$B*42\r\n",
       [this] { interrompu = [this] { return !scenario.ecrit.empty(); }; }, Erreur::Genre::Interruption, 0, 1},
  };
  for (const Cas& c : cas) {
    scenario.echecEcriture = 0;
    scenario.ecrit.clear();
    scenario.abandons = 0;
    interrompu = nullptr;
    std::filesystem::remove_all(fichier().chemin);
    c.preparer();
    const auto bilan = c.contenu ? envoyer(*c.contenu) : [&] {
      Envoi envoi;
      envoi.fichier = fichier();
      return televerser(port, horloge, envoi, {[](std::string_view) {}, [](int) {}});
    }();
    ASSERT_TRUE(bilan.erreur) << c.nom;
    EXPECT_EQ(bilan.erreur->genre, c.genre) << c.nom;
    EXPECT_EQ(bilan.erreur->numeroSysteme, c.numero) << c.nom;
    EXPECT_EQ(bilan.envoyees, c.envoyees) << c.nom;
    EXPECT_EQ(scenario.abandons, 1) << c.nom;
    EXPECT_FALSE(port.PortOpen()) << c.nom;
    if (c.genre == Erreur::Genre::FichierIllisible) {
      EXPECT_EQ(bilan.erreur->fichier, "c:\\$_t_e_m_p") << c.nom;
      EXPECT_EQ(bilan.erreur->chemin, fichier().chemin.string()) << c.nom;
    } else {
      EXPECT_EQ(bilan.erreur->numeroPort, 1) << c.nom;
    }
  }
}

TEST_F(EnvoiTest, PortQuiNeSOuvrePasNeLitPasLeFichier) {
  numeroPort = 3;
  test::VariableEnvironnement variable("ZOR_COMM3", std::string("/dev/gps"));
  scenario.refus = [](const PortDesigne& p) { return erreurDuPort(p, Erreur::Genre::PortIntrouvable, ENOENT); };
  const auto bilan = envoyer(std::nullopt);
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::PortIntrouvable);
  EXPECT_EQ(bilan.erreur->numeroPort, 3);
  EXPECT_EQ(bilan.erreur->peripherique, "/dev/gps");
  EXPECT_EQ(bilan.erreur->origine, "variable d'environnement ZOR_COMM3");
  EXPECT_TRUE(comptes.empty());
}

// A "$" line that is no $GPWPL sentence with a right checksum is named before anything leaves,
// and leaves anyway; with `strict` a file sends nothing, and the standard input stops before it.
TEST_F(EnvoiTest, PhrasesDouteuses) {
  const std::string juste = "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59";
  struct Cas {
    const char* ligne;
    const char* raison;  // empty: a right sentence
  };
  const Cas cas[] = {
      {"$GPWPL,4530.123,N,00130.456,E,PDC0010C*59", ""},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0010C*5a", "somme de contrôle fausse (*59 attendue)"},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0020A*58", ""},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0020A*00", "somme de contrôle fausse (*58 attendue)"},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0020A", "pas de somme de contrôle (« *HH » à la fin)"},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0020A*5", "pas de somme de contrôle (« *HH » à la fin)"},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0020A*5G", "pas de somme de contrôle (« *HH » à la fin)"},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", "ce n'est pas une phrase $GPWPL"},
      {"$GPWPLX*00", "ce n'est pas une phrase $GPWPL"},
  };
  for (const Cas& c : cas) EXPECT_EQ(defautDePhrase(c.ligne), c.raison) << c.ligne;

  const std::string contenu = juste + "\r\n$GPRMC,1*00\r\n" + juste + "\r\n$GPWPL,1*00\r\n";
  using Vues = std::vector<std::pair<int, std::size_t>>;  // each doubtful line told, and what had left by then
  for (const bool entreeStandard : {false, true})
    for (const bool strict : {false, true}) {
      const std::string nom = std::string(entreeStandard ? "entrée standard" : "fichier") + (strict ? ", --strict" : "");
      test::HorlogeFactice h;
      test::ScenarioLiaison s{&h};
      MSComm p{test::servicesScriptes(s)};
      Envoi envoi;
      envoi.strict = strict;
      Vues vues;
      envoi.annonce = [&](const Envoi::Apercu& a) {
        EXPECT_EQ(a.nombreDouteuses, 2) << nom;
        for (const auto& d : a.douteuses) vues.emplace_back(d.ligne, s.ecrit.size());
      };
      envoi.douteuse = [&](const Envoi::Douteuse& d) { vues.emplace_back(d.ligne, s.ecrit.size()); };
      test::ecrireOctets(fichier().chemin, contenu);
      envoi.fichier = entreeStandard ? FichierNomme{"-", "(entrée standard)"} : fichier();
      if (entreeStandard) {
        ASSERT_NE(std::freopen(fichier().chemin.c_str(), "rb", stdin), nullptr);
      }
      const auto bilan = televerser(p, h, envoi, {[](std::string_view) {}, [](int) {}});
      const std::size_t phrase = juste.size() + 2;
      if (!strict) {
        EXPECT_FALSE(bilan.erreur) << nom;
        EXPECT_EQ(s.ecrit, contenu) << nom << ": everything leaves";
        EXPECT_EQ(vues, (entreeStandard ? Vues{{2, phrase}, {4, 2 * phrase + 13}} : Vues{{2, 0}, {4, 0}}))
            << nom << ": told before it leaves";
      } else {
        ASSERT_TRUE(bilan.erreur) << nom;
        EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::PhrasesDouteuses) << nom;
        EXPECT_EQ(bilan.erreur->ligne, 2) << nom;
        EXPECT_EQ(s.ecrit, entreeStandard ? juste + "\r\n" : "") << nom;
        EXPECT_EQ(s.abandons, 1) << nom;
      }
    }
}

}  // namespace
}  // namespace zor::serie
