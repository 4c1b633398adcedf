// Reading registry values and starting the system-information program from them.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "about/infos_systeme.h"
#include "about/lancement.h"
#include "tests/about/outils_apropos.h"
#include "tests/support/seams.h"

namespace zor::apropos {
namespace {

using namespace std::string_literals;

const std::string kCleMsinfo = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n";
const std::string kCleEmplacements = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n";

// A hex list of the bytes, as regedit writes them.
std::string hex(const std::string& octets) {
  std::string liste;
  char deux[4];
  for (unsigned char o : octets) {
    std::snprintf(deux, sizeof deux, "%02x,", o);
    liste += deux;
  }
  if (!liste.empty()) liste.pop_back();
  return liste;
}

TEST(GetKeyValue, ChaqueTypeDeValeurDonneSonTexte) {
  struct Cas {
    const char* nom;
    std::string ligne;  // the value "V" of the MSINFO key
    bool trouve;
    std::string texte;  // the text given back, "avant" when left as passed in
  };
  const std::string mille23(1023, 'c');
  const Cas cas[] = {
      {"texte stocké avec son zéro", R"("V"="C:\\Outils\\infos.exe")", true, "C:\\Outils\\infos.exe"},
      {"texte stocké sans son zéro", "\"V\"=hex(1):" + hex("C:\\Outils\\infos.exe"), true, "C:\\Outils\\infos.exe"},
      {"texte vide", R"("V"="")", true, ""},
      {"texte de 1023 caractères et son zéro : 1024 octets", "\"V\"=\"" + mille23 + "\"", true, mille23},
      {"texte de 1024 caractères sans zéro", "\"V\"=hex(1):" + hex(mille23 + "c"), true, mille23 + "c"},
      {"texte de 1025 octets : trop long", "\"V\"=\"" + mille23 + "cc\"", false, ""},
      {"nombre 261", "\"V\"=dword:00000105", true, "261"},
      {"nombre zéro", "\"V\"=dword:00000000", true, "0"},
      {"nombre négatif", "\"V\"=dword:ffffffff", true, "-1"},
      {"plus petit nombre", "\"V\"=dword:80000000", true, "-2147483648"},
      {"nombre dont l'octet fort n'est pas nul", "\"V\"=dword:7f000105", true, "2130706693"},
      {"nombre sur deux octets", "\"V\"=hex(4):05,01", true, "261"},
      {"texte extensible : trouvé, texte inchangé", "\"V\"=hex(2):" + hex("C:\\x.exe"s + '\0'), true, "avant"},
      {"binaire : trouvé, texte inchangé", "\"V\"=hex:01,02,03", true, "avant"},
      {"valeur absente", "\"W\"=\"x\"", false, ""},
  };
  test::RegistreTemporaire registre;
  for (const auto& c : cas) {
    registre.ecrire("REGEDIT4\n" + kCleMsinfo + c.ligne + "\n");
    std::string texte = "avant";
    EXPECT_EQ(GetKeyValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "V", texte), c.trouve)
        << c.nom;
    EXPECT_EQ(texte, c.texte) << c.nom;
  }
}

TEST(GetKeyValue, CleAbsenteOuMagasinIllisibleDonneUnEchecEtUnTexteVide) {
  test::RegistreTemporaire registre;
  for (const std::optional<std::string>& fichier :
       {std::optional<std::string>{}, std::optional<std::string>("REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n"),
        std::optional<std::string>("pas un registre")}) {
    if (fichier) registre.ecrire(*fichier);
    else registre.supprimer();
    std::string texte = "avant";
    EXPECT_FALSE(GetKeyValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "V", texte));
    EXPECT_EQ(texte, "");
  }
}

TEST(GetKeyValue, DesDonneesVidesSontUneErreur) {
  test::RegistreTemporaire registre;
  for (const char* ligne : {"\"V\"=hex(1):", "\"V\"=hex:", "\"V\"=hex(4):"}) {
    registre.ecrire("REGEDIT4\n" + kCleMsinfo + ligne + "\n");
    std::string texte;
    EXPECT_THROW(GetKeyValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "V", texte),
                 ErreurLecture)
        << ligne;
  }
}

// --- StartSysInfo -------------------------------------------------------------------------

struct CasLancement {
  const char* nom;
  std::optional<std::string> registre;  // nothing: no store file
  std::vector<std::string> fichiers;    // created below drive C:
  std::vector<std::string> dossiers;
  bool lancementReussit;
  std::optional<std::string> lance;  // the Windows path started, if any
  bool tente;                        // whether a start was attempted at all
};

const std::string kSecondeOutils = kCleEmplacements + "\"MSINFO\"=\"C:\\\\Tools\"\n";

const CasLancement kLancements[] = {
    {"première clé présente, seconde absente : son chemin est lancé sans test d'existence",
     "REGEDIT4\n" + kCleMsinfo + "\"PATH\"=\"C:\\\\Program Files\\\\MSINFO32.EXE\"\n", {}, {}, true,
     "C:\\Program Files\\MSINFO32.EXE", true},
    {"première clé absente, MSINFO32.EXE présent dans C:\\Tools", "REGEDIT4\n" + kSecondeOutils, {"Tools/MSINFO32.EXE"},
     {}, true, "C:\\Tools\\MSINFO32.EXE", true},
    {"première clé sans PATH : la seconde sert",
     "REGEDIT4\n" + kCleMsinfo + "\"Autre\"=\"x\"\n" + kSecondeOutils, {"Tools/MSINFO32.EXE"}, {}, true,
     "C:\\Tools\\MSINFO32.EXE", true},
    {"première clé absente, MSINFO32.EXE absent", "REGEDIT4\n" + kSecondeOutils, {"Tools/autre.exe"}, {}, true,
     std::nullopt, false},
    {"MSINFO32.EXE est un dossier", "REGEDIT4\n" + kSecondeOutils, {}, {"Tools/MSINFO32.EXE"}, true, std::nullopt,
     false},
    {"première valeur d'un autre type : trouvée mais inutilisable, la seconde n'est pas essayée",
     "REGEDIT4\n" + kCleMsinfo + "\"PATH\"=hex(2):43,3a,5c,78,00\n" + kSecondeOutils, {"Tools/MSINFO32.EXE"}, {}, true,
     std::nullopt, false},
    {"première valeur vide : message aussitôt, la seconde n'est pas essayée",
     "REGEDIT4\n" + kCleMsinfo + "\"PATH\"=hex(1):\n" + kSecondeOutils, {"Tools/MSINFO32.EXE"}, {}, true, std::nullopt,
     false},
    {"seconde valeur vide", "REGEDIT4\n" + kCleEmplacements + "\"MSINFO\"=hex(1):\n", {"Tools/MSINFO32.EXE"}, {}, true,
     std::nullopt, false},
    {"aucune des deux clés", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n", {}, {}, true, std::nullopt, false},
    {"pas de fichier registre", std::nullopt, {"Tools/MSINFO32.EXE"}, {}, true, std::nullopt, false},
    {"fichier registre mal formé", "REGEDIT4\n" + kSecondeOutils + "\"x\"=dword:zz\n", {"Tools/MSINFO32.EXE"}, {}, true,
     std::nullopt, false},
    {"le lancement échoue", "REGEDIT4\n" + kSecondeOutils, {"Tools/MSINFO32.EXE"}, {}, false, "C:\\Tools\\MSINFO32.EXE",
     true},
};

TEST(StartSysInfo, LancementOuMessageSelonLeRegistre) {
  for (const auto& c : kLancements) {
    test::LecteurCTemporaire lecteurC;
    test::RegistreTemporaire registre;
    test::LanceurObserve lanceur;
    test::ScriptMessages messages;
    lanceur.reussit = c.lancementReussit;
    if (c.registre) registre.ecrire(*c.registre);
    for (const auto& f : c.fichiers) {
      std::filesystem::create_directories((lecteurC.chemin() / f).parent_path());
      test::ecrireOctets(lecteurC.chemin() / f, "MZ");
    }
    for (const auto& d : c.dossiers) std::filesystem::create_directories(lecteurC.chemin() / d);

    StartSysInfo(messages.repondeur(), lanceur.lanceur());

    ASSERT_EQ(lanceur.lances().size(), c.tente ? 1u : 0u) << c.nom;
    if (c.lance) {
      EXPECT_EQ(lanceur.lances().front(), cheminProgramme(*c.lance)) << c.nom;
    }
    const bool succes = c.tente && c.lancementReussit;
    if (succes) {
      EXPECT_TRUE(messages.vus().empty()) << c.nom;
    } else {
      ASSERT_EQ(messages.vus().size(), 1u) << c.nom;
      const auto& vu = messages.vus().front();
      EXPECT_EQ(vu.texte, std::string("Les informations système ne sont pas disponibles actuellement")) << c.nom;
      EXPECT_EQ(vu.titre, std::string("ZOR")) << c.nom;
      EXPECT_EQ(vu.boutons, zor::Boutons::Ok) << c.nom;
      EXPECT_EQ(vu.icone, zor::Icone::Aucune) << c.nom;
    }
  }
}

TEST(StartSysInfo, LesCheminsDuRegistreSontPlacesSousLeLecteurC) {
  test::LecteurCTemporaire lecteurC;
  EXPECT_EQ(cheminProgramme("C:\\Tools\\MSINFO32.EXE"), lecteurC.chemin() / "Tools" / "MSINFO32.EXE");
  EXPECT_EQ(cheminProgramme("c:\\Syst\xE8me\\x.exe"), lecteurC.chemin() / "Système" / "x.exe");
  // A path of this system written in the store is taken as it is.
  EXPECT_EQ(cheminProgramme("/usr/bin/infos"), std::filesystem::path("/usr/bin/infos"));
}

// --- the real file test and the real start --------------------------------------------------

TEST(Lancement, UnFichierOrdinaireNEstNiUnDossierNiUnFichierCache) {
  test::LecteurCTemporaire lecteurC;
  const auto& c = lecteurC.chemin();
  std::filesystem::create_directories(c / "Tools" / "dossier");
  test::ecrireOctets(c / "Tools" / "prog.exe", "MZ");
  test::ecrireOctets(c / "Tools" / ".cache.exe", "MZ");
  std::filesystem::create_symlink(c / "Tools" / "prog.exe", c / "Tools" / "lien.exe");
  struct Cas {
    const char* chemin;
    bool existe;
  };
  const Cas cas[] = {
      {"C:\\Tools\\prog.exe", true},    {"C:\\Tools\\lien.exe", true},  {"C:\\Tools\\dossier", false},
      {"C:\\Tools\\.cache.exe", false}, {"C:\\Tools\\absent.exe", false}, {"", false},
  };
  for (const auto& k : cas) EXPECT_EQ(fichierOrdinaireExiste(k.chemin), k.existe) << k.chemin;
}

TEST(Lancement, LeVraiLancementDemarreLeProgrammeSansLAttendre) {
  test::LecteurCTemporaire lecteurC;
  const auto script = lecteurC.chemin() / "Program Files" / "infos systeme";
  std::filesystem::create_directories(script.parent_path());
  test::ecrireOctets(script, "#!/bin/sh\necho lance > \"$0.trace\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  test::ecrireOctets(lecteurC.chemin() / "pas-executable", "MZ");

  EXPECT_FALSE(lancerProgramme("C:\\pas-executable"));
  EXPECT_FALSE(lancerProgramme("C:\\absent"));
  EXPECT_FALSE(lancerProgramme(""));

  ASSERT_TRUE(lancerProgramme("C:\\Program Files\\infos systeme"));
  const auto trace = script.string() + ".trace";
  for (int i = 0; i < 100 && test::lireOctets(trace) != "lance\n"; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(test::lireOctets(trace), "lance\n");
}

}  // namespace
}  // namespace zor::apropos
