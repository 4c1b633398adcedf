// The platform stand-ins the window relies on.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/common_dialog.h"
#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/fin_programme.h"
#include "tests/support/seams.h"

namespace zor::platform {
namespace {

TEST(FiltreTest, FormeWindowsVersListeDuToolkit) {
  struct Cas {
    QString windows;
    QStringList liste;
  };
  const Cas cas[] = {
      {"g7towin ou ZOR (*.txt)|*.txt|Autoroute Express (*.axe)|*.axe|",
       {"g7towin ou ZOR (*.txt)", "Autoroute Express (*.axe)"}},
      {"Autoroute Express (*.axe)|*.axe", {"Autoroute Express (*.axe)"}},
      {"Textes|*.txt;*.log", {"Textes (*.txt *.log)"}},
      {"", {}},
  };
  for (const auto& c : cas) EXPECT_EQ(filtreVersListe(c.windows), c.liste) << c.windows.toStdString();
}

TEST(DialogueTest, AnnulerLaisseLeNomInchange) {
  test::ScriptOuverture script;
  CommonDialog d;
  d.dialogue = script.dialogue();
  d.Filter = QStringLiteral("g7towin ou ZOR (*.txt)|*.txt|Autoroute Express (*.axe)|*.axe|");
  d.DialogTitle = QStringLiteral("Fichier en entrée");
  script.annuler();
  d.ShowOpen();
  EXPECT_TRUE(d.FileName.isEmpty());
  script.choisir(QStringLiteral("/tmp/a.txt"));
  d.ShowOpen();
  EXPECT_EQ(d.FileName, QStringLiteral("/tmp/a.txt"));
  script.annuler();
  d.ShowOpen();
  EXPECT_EQ(d.FileName, QStringLiteral("/tmp/a.txt"));
  ASSERT_EQ(script.vus().size(), 3u);
  EXPECT_EQ(script.vus()[0].titre, QStringLiteral("Fichier en entrée"));
  EXPECT_EQ(script.vus()[0].filtres.size(), 2);
}

TEST(LecteurCTest, CheminsFixesSousLeDossierDuLecteurC) {
  test::LecteurCTemporaire c;
  EXPECT_EQ(cheminLocal("c:\\$_t_e_m_p"), c.chemin() / "$_t_e_m_p");
  EXPECT_EQ(cheminLocal("C:\\zor.txt"), c.chemin() / "zor.txt");
  EXPECT_EQ(cheminLocal("/tmp/x.txt"), std::filesystem::path("/tmp/x.txt"));
}

TEST(Windows1252Test, AllerRetourEtCaracteresPropresAuCodePage) {
  const std::string octets = "\xC9t\xE9 \x80 \x9C";
  const QString texte = depuisWindows1252(octets);
  EXPECT_EQ(texte, QStringLiteral("Été € œ"));
  EXPECT_EQ(versWindows1252(texte), octets);
  EXPECT_EQ(versWindows1252(QStringLiteral("日")), "?");
}

TEST(FinTest, FermeLesFichiersEnregistresAvantDeTerminer) {
  int fermes = 0;
  {
    FermetureEnregistree a([&] { ++fermes; });
    FermetureEnregistree b([&] { ++fermes; });
    fermerFichiersEnregistres();
  }
  EXPECT_EQ(fermes, 2);
  fermerFichiersEnregistres();  // nothing registered any more
  EXPECT_EQ(fermes, 2);
}

}  // namespace
}  // namespace zor::platform
