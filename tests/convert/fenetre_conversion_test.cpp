// "Rechercher Fichier" in the window's model: the dialog answered by a script, the three
// endings, repeated runs, and the same bytes as zor-cli.
#include <gtest/gtest.h>

#include "app/form1.h"
#include "core/windows1252.h"
#include "tests/convert/outils_conversion.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

namespace fs = std::filesystem;
using test::donnee;


class ConversionFenetre : public ::testing::Test {
 protected:
  void SetUp() override {
    form.ok_Click();
    form.ok1_Click();
  }

  // One click on "Rechercher Fichier" with this type text; the dialog answers `fichier`, or
  // Cancel when there is none.
  void convertir(const std::string& type, const std::optional<fs::path>& fichier) {
    form.nom.Text(type);
    if (fichier)
      dialogue.choisir(fichier->string());
    else
      dialogue.annuler();
    form.ouvrir_Click();
  }
  std::string echange() const { return test::lireOctets(lecteur.chemin() / "$_t_e_m_p"); }
  std::string echo() const { return utf8DepuisWindows1252(form.fenetre.octets()); }

  test::LecteurCTemporaire lecteur;
  test::ScriptOuverture dialogue;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  Form1 form{test::services(dialogue, messages, fin)};
};

TEST_F(ConversionFenetre, AvecEnregistrements) {
  convertir("G7towin", donnee("g7towin.txt"));
  EXPECT_EQ(form.quant1.Caption(), "6");
  EXPECT_EQ(form.result.Caption(), " ");
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_EQ(echo().rfind("$GPWPL,", 0), 0u);
  EXPECT_NE(echo().find("PDC0010C*"), std::string::npos);
  EXPECT_NE(echo().find("$GPWPL,4530.123,N,00130.456,E,PDC0020A*"), std::string::npos);
  EXPECT_EQ(echo().find("\r\n\r\n"), std::string::npos);  // the echo has no empty lines
  EXPECT_EQ(echange().substr(0, 7), "$GPWPL,");
  EXPECT_FALSE(fin.termine());
}

TEST_F(ConversionFenetre, LEchoMontreLeTexteWindows1252) {
  form.waypoint.definirValeurChoisie(true);
  form.profil.definirValeurChoisie(false);
  convertir("G7towin", donnee("g7towin.txt"));
  EXPECT_NE(echo().find(",ÉTANG *"), std::string::npos);
  EXPECT_NE(echange().find(",\xc9TANG *"), std::string::npos);
  convertir("G7towin", donnee("g7towin.txt"));  // another run of the same type, the type list being hidden
  convertir("Format ZOR", donnee("zor.txt"));
  EXPECT_NE(echo().find("$GPWPL,4712.500,N,00205.250,W,ÉTANG *00\r\n"), std::string::npos);
}

TEST_F(ConversionFenetre, SansEnregistrement) {
  test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "run précédent\r\n");
  convertir("Autoroute Express 2001", donnee("zor.txt"));
  ASSERT_EQ(messages.vus().size(), 1u);
  const DemandeMessage& m = messages.vus().front();
  EXPECT_EQ(m.texte, "Le fichier d'entrée n'est pas valable.Etes-vous sûr d avoir choisi le bon type ?");
  EXPECT_EQ(m.titre, "Une petite question...");
  EXPECT_EQ(m.icone, Icone::Question);
  EXPECT_EQ(m.boutons, Boutons::Ok);
  EXPECT_EQ(form.quant1.Caption(), "0");
  EXPECT_EQ(echange(), "");
}

TEST_F(ConversionFenetre, TypeQuiNeNommeAucunLecteur) {
  convertir("gpx", donnee("zor.txt"));
  EXPECT_EQ(dialogue.vus().size(), 1u);
  EXPECT_EQ(messages.vus().size(), 1u);
  EXPECT_TRUE(fs::exists(lecteur.chemin() / "$_t_e_m_p"));
  EXPECT_EQ(echange(), "");
}

TEST_F(ConversionFenetre, AnnulerALaPremiereUtilisation) {
  convertir("Format ZOR", std::nullopt);
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_TRUE(fs::exists(lecteur.chemin() / "$_t_e_m_p"));
  EXPECT_EQ(echange(), "");
  // The failure path: the window as the first steps left it, no count.
  EXPECT_EQ(form.quant1.Caption(), "");
  EXPECT_EQ(form.result.Caption(), " ");
  EXPECT_EQ(echo(), "");
}

TEST_F(ConversionFenetre, AnnulerApresUnSuccesReconvertitLeMemeFichier) {
  convertir("Format ZOR", donnee("zor.txt"));
  const std::string premier = echange();
  const std::string echoPremier = echo();
  EXPECT_EQ(form.quant1.Caption(), "4");
  convertir("Format ZOR", std::nullopt);
  EXPECT_EQ(form.quant1.Caption(), "4");
  EXPECT_TRUE(form.ecrire.Visible());
  EXPECT_EQ(echange(), premier);
  EXPECT_EQ(echo(), echoPremier + echoPremier);
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(ConversionFenetre, DeuxRunsDeSuite) {
  convertir("G7towin", donnee("g7towin.txt"));
  const std::string echoPremier = echo();
  convertir("G7towin", donnee("g7towin_lf.txt"));
  EXPECT_EQ(form.quant1.Caption(), "1");
  EXPECT_EQ(echange(), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");
  EXPECT_EQ(echo(), echoPremier + "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n");
}

TEST_F(ConversionFenetre, UnEchecGardeLEchoEtFermeLesFichiers) {
  convertir("G7towin", donnee("g7towin.txt"));
  const std::string echoPremier = echo();
  const fs::path dossier = lecteur.chemin() / "dossier";
  fs::create_directory(dossier);
  convertir("G7towin", dossier);
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_EQ(echo(), echoPremier);
  EXPECT_EQ(form.quant1.Caption(), "6");  // as before
  EXPECT_EQ(echange(), "");
  // Nothing left open: the next run writes the interchange file again.
  convertir("G7towin", donnee("g7towin_lf.txt"));
  EXPECT_EQ(form.quant1.Caption(), "1");
  EXPECT_EQ(echange(), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");

  // An interchange file that cannot be created takes the failure path too.
  form.ecriture.FileName = "c:\\nulle\\part\\$_t_e_m_p";
  convertir("G7towin", donnee("g7towin.txt"));
  EXPECT_EQ(form.quant1.Caption(), "1");
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(ConversionFenetre, LeFiltreSeRestreintAAutorouteExpress) {
  auto descriptions = [](const DemandeOuverture& d) {
    std::vector<std::string> vus;
    for (const Filtre& f : d.filtres) vus.push_back(f.description);
    return vus;
  };
  const std::vector<std::string> deuxTypes{"g7towin ou ZOR (*.txt)", "Autoroute Express (*.axe)"};
  const std::vector<std::string> axe{"Autoroute Express (*.axe)"};
  convertir("G7towin", donnee("vide.txt"));
  convertir("Autoroute Express 2001", donnee("exemple.axe"));
  EXPECT_EQ(form.ouverture.Filter, "Autoroute Express (*.axe)|*.axe");
  EXPECT_EQ(form.quant1.Caption(), "4");
  convertir("G7towin", donnee("g7towin.txt"));
  ASSERT_EQ(dialogue.vus().size(), 3u);
  EXPECT_EQ(descriptions(dialogue.vus()[0]), deuxTypes);
  EXPECT_EQ(descriptions(dialogue.vus()[1]), axe);
  EXPECT_EQ(descriptions(dialogue.vus()[2]), axe);
  EXPECT_EQ(dialogue.vus()[0].titre, "Fichier en entrée");
}

// For every sample input, type and mode: the window's interchange file is byte for byte what
// zor-cli writes, and its ending matches zor-cli's exit code.
TEST_F(ConversionFenetre, MemesOctetsQueZorCli) {
  const char* fichiers[] = {"g7towin.txt", "g7towin_lf.txt", "zor.txt",  "exemple.axe", "compte255.axe",
                            "sans_marqueur.axe", "vide.txt", "binaire.bin"};
  const std::pair<std::string, std::string> types[] = {
      {"Format ZOR", "zor"}, {"G7towin", "g7towin"}, {"Autoroute Express 2001", "axe"}};
  int succes = 0;
  for (const char* nom : fichiers) {
    for (const auto& [texte, option] : types) {
      for (bool profilCoche : {true, false}) {
        form.profil.definirValeurChoisie(profilCoche);
        form.waypoint.definirValeurChoisie(!profilCoche);
        const std::size_t messagesAvant = messages.vus().size();
        convertir(texte, donnee(nom));
        const bool sansEnregistrement = messages.vus().size() > messagesAvant;
        const test::ResultatCli cli = test::lancerZorCli(
            {"convert", "--type", option, "--mode", profilCoche ? "profile" : "waypoint", donnee(nom).string()});
        const std::string quoi = std::string(nom) + " / " + option + (profilCoche ? " / profil" : " / waypoint");
        EXPECT_EQ(cli.sortie, echange()) << quoi;
        EXPECT_EQ(cli.code, sansEnregistrement ? 1 : 0) << quoi;
        if (!sansEnregistrement) {
          // A file of LF line ends is told about on a line before.
          const std::string compte = "Nombre d'enregistrements lus : " + form.quant1.Caption() + "\n";
          EXPECT_EQ(cli.erreurs.substr(cli.erreurs.size() - std::min(cli.erreurs.size(), compte.size())), compte) << quoi;
          ++succes;
        }
      }
    }
  }
  EXPECT_GE(succes, 10);
}

}  // namespace
}  // namespace zor::app
