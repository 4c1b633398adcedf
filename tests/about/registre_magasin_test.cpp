// The stand-in registry file: what each line form stores, and the files that are refused.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "about/registre_magasin.h"
#include "tests/support/outils.h"

namespace zor::apropos {
namespace {

using namespace std::string_literals;

const std::string kCle = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

std::string regedit4(const std::string& lignes) {
  return "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n" + lignes + "\r\n";
}
std::string version5(const std::string& lignes) {
  return "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n" +
         lignes + "\n";
}

// A text as regedit writes version 5 files: UTF-16 little-endian behind its byte-order mark.
std::string enUtf16(const std::string& ascii) {
  std::string octets = "\xFF\xFE";
  for (char c : ascii) {
    octets.push_back(c);
    octets.push_back('\0');
  }
  return octets;
}

struct CasValeur {
  const char* nom;
  std::string fichier;
  const char* valeur;
  std::uint32_t type;
  std::string octets;
};

const CasValeur kValeurs[] = {
    {"texte avec ses échappements", regedit4(R"("PATH"="C:\\Program Files\\Outils \"x\"\\MSINFO32.EXE")"), "PATH", 1,
     "C:\\Program Files\\Outils \"x\"\\MSINFO32.EXE\0"s},
    {"texte vide", regedit4(R"("PATH"="")"), "PATH", 1, "\0"s},
    {"valeur par défaut", regedit4(R"(@="défaut")"), "", 1, "d\xE9" "faut\0"s},
    {"dword 261", regedit4("\"N\"=dword:00000105"), "N", 4, "\x05\x01\x00\x00"s},
    {"dword en majuscules", regedit4("\"N\"=dword:FFFFFFFE"), "N", 4, "\xFE\xFF\xFF\xFF"s},
    {"binaire", regedit4("\"B\"=hex:de,ad,be,ef"), "B", 3, "\xDE\xAD\xBE\xEF"s},
    {"binaire vide", regedit4("\"B\"=hex:"), "B", 3, ""},
    {"texte extensible REGEDIT4", regedit4("\"E\"=hex(2):25,53,59,53,25,00"), "E", 2, "%SYS%\0"s},
    {"texte en hex sans son zéro", regedit4("\"T\"=hex(1):43,3a,5c,41"), "T", 1, "C:\\A"},
    {"texte vide en hex", regedit4("\"T\"=hex(1):"), "T", 1, ""},
    {"type en hexadécimal", regedit4("\"Q\"=hex(b):01,00,00,00,00,00,00,00"), "Q", 11, "\x01\0\0\0\0\0\0\0"s},
    {"suite de ligne", regedit4("\"B\"=hex:01,02,\\\r\n  03,\\\r\n  04"), "B", 3, "\x01\x02\x03\x04"},
    {"blancs autour du signe égal", regedit4("\"N\" = dword:00000001"), "N", 4, "\x01\0\0\0"s},
    {"la dernière écriture compte", regedit4("\"N\"=dword:00000001\r\n\"n\"=dword:00000002"), "N", 4, "\x02\0\0\0"s},
    {"nom sans égard à la casse", regedit4("\"Path\"=\"x\""), "PATH", 1, "x\0"s},
    {"commentaires et lignes vides", regedit4("; un commentaire\r\n\r\n   \r\n\"N\"=dword:00000003"), "N", 4,
     "\x03\0\0\0"s},
    {"version 5 : hex(2) en UTF-16 rendu en ANSI", version5("\"E\"=hex(2):43,00,3a,00,5c,00,e9,00,00,00"), "E", 2,
     "C:\\\xE9\0"s},
    {"version 5 : dword", version5("\"N\"=dword:00000105"), "N", 4, "\x05\x01\x00\x00"s},
    {"fichier UTF-16 de regedit", enUtf16(version5("\"PATH\"=\"C:\\\\x.exe\"")), "PATH", 1, "C:\\x.exe\0"s},
    {"fichier UTF-8 avec accents", regedit4("\"PATH\"=\"C:\\\\Système\\\\x.exe\""), "PATH", 1,
     "C:\\Syst\xE8me\\x.exe\0"s},
    {"fichier UTF-8 avec marque d'ordre", "\xEF\xBB\xBF" + regedit4("\"PATH\"=\"é\""), "PATH", 1, "\xE9\0"s},
    {"fichier ANSI (Windows-1252)", regedit4("\"PATH\"=\"Syst\xE8me\""), "PATH", 1, "Syst\xE8me\0"s},
};

TEST(MagasinRegistre, ChaqueFormeDeValeurDonneSonTypeEtSesOctets) {
  for (const auto& c : kValeurs) {
    const auto magasin = lireMagasinRegistre(c.fichier);
    ASSERT_TRUE(magasin.has_value()) << c.nom;
    const ValeurRegistre* v = magasin->valeur(std::string(kCle), std::string(c.valeur));
    ASSERT_NE(v, nullptr) << c.nom;
    EXPECT_EQ(v->type, c.type) << c.nom;
    EXPECT_EQ(v->octets, c.octets) << c.nom;
  }
}

TEST(MagasinRegistre, ClesSansEgardALaCasseEtClesParentes) {
  const auto magasin = lireMagasinRegistre(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"=\"C:\\\\Tools\"\n"
      "[hkey_local_machine\\Software\\Microsoft\\Shared Tools\\MSINFO\\]\n");
  ASSERT_TRUE(magasin.has_value());
  EXPECT_TRUE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\software\\microsoft\\shared tools\\msinfo")));
  EXPECT_TRUE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools")));
  EXPECT_TRUE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE")));
  EXPECT_FALSE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Micro")));
  EXPECT_FALSE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\X")));
  EXPECT_NE(magasin->valeur(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\SHARED TOOLS LOCATION"),
                            std::string("msinfo")),
            nullptr);
}

TEST(MagasinRegistre, LesSuppressionsRetirentValeursEtCles) {
  const auto magasin = lireMagasinRegistre(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n\"x\"=-\n[HKEY_LOCAL_MACHINE\\B\\C]\n\"z\"=\"3\"\n"
      "[-HKEY_LOCAL_MACHINE\\B]\n\"ignoree\"=\"4\"\n");
  ASSERT_TRUE(magasin.has_value());
  EXPECT_EQ(magasin->valeur(std::string("HKEY_LOCAL_MACHINE\\A"), std::string("x")), nullptr);
  EXPECT_NE(magasin->valeur(std::string("HKEY_LOCAL_MACHINE\\A"), std::string("y")), nullptr);
  EXPECT_FALSE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\B")));
  EXPECT_FALSE(magasin->cleExiste(std::string("HKEY_LOCAL_MACHINE\\B\\C")));
}

TEST(MagasinRegistre, UnFichierMalFormeEstRefuseEnEntier) {
  struct Cas {
    const char* nom;
    std::string fichier;
  };
  const Cas cas[] = {
      {"vide", ""},
      {"seulement des lignes vides", "\n\r\n  \n"},
      {"sans en-tête", "[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"1\"\n"},
      {"en-tête inconnu", "REGEDIT5\n[HKEY_LOCAL_MACHINE\\A]\n"},
      {"section sans crochet fermant", regedit4("[HKEY_LOCAL_MACHINE\\B")},
      {"racine inconnue", regedit4("[HKEY_NULLE_PART\\B]")},
      {"section vide", regedit4("[]")},
      {"double barre dans la clé", regedit4("[HKEY_LOCAL_MACHINE\\A\\\\B]")},
      {"texte non terminé", regedit4(R"("PATH"="C:\\x)")},
      {"barre oblique inverse seule", regedit4(R"("PATH"="C:\Tools")")},
      {"texte suivi d'autre chose", regedit4(R"("PATH"="x" y)")},
      {"nom non terminé", regedit4(R"("PATH=dword:00000001)")},
      {"sans signe égal", regedit4(R"("PATH" "x")")},
      {"dword de neuf chiffres", regedit4("\"N\"=dword:000000105")},
      {"dword vide", regedit4("\"N\"=dword:")},
      {"dword non hexadécimal", regedit4("\"N\"=dword:0000010g")},
      {"octet de trois chiffres", regedit4("\"B\"=hex:01,123")},
      {"octet non hexadécimal", regedit4("\"B\"=hex:01,zz")},
      {"octet manquant", regedit4("\"B\"=hex:01,,02")},
      {"type sans parenthèse fermante", regedit4("\"B\"=hex(2:01")},
      {"type vide", regedit4("\"B\"=hex():01")},
      {"hex sans deux-points", regedit4("\"B\"=hex 01")},
      {"suite de ligne en fin de fichier", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"B\"=hex:01,\\"},
      {"forme de données inconnue", regedit4("\"N\"=qword:1")},
      {"valeur avant toute clé", "REGEDIT4\n\"x\"=\"1\"\n"},
      {"ligne quelconque", regedit4("PATH=C:\\x")},
      {"UTF-16 tronqué", enUtf16(regedit4("\"x\"=\"1\"")) + "\x41"},
  };
  for (const auto& c : cas) EXPECT_FALSE(lireMagasinRegistre(c.fichier).has_value()) << c.nom;
}

// What is no store is refused at once: never waited on (a FIFO), never read whole (a huge file).
TEST(MagasinRegistre, FichierAbsentIllisibleOuQuiNEnEstPasUn) {
  test::LecteurCTemporaire dossier;
  const auto tube = dossier.chemin() / "tube.reg";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const auto enorme = dossier.chemin() / "enorme.reg";
  test::ecrireOctets(enorme, "REGEDIT4\n" + std::string(2 << 20, ';'));
  for (const std::filesystem::path& p : {std::filesystem::path("/nulle/part/registry.reg"),
                                         std::filesystem::temp_directory_path(), tube, enorme,
                                         std::filesystem::path("/dev/zero")})
    EXPECT_FALSE(chargerMagasinRegistre(p).has_value()) << p;
}

TEST(MagasinRegistre, LExempleLivreAvecLeProgrammeEstLisible) {
  const auto magasin = chargerMagasinRegistre(std::filesystem::path(ZOR_DOSSIER_SOURCE) / "about" / "registre-exemple.reg");
  ASSERT_TRUE(magasin.has_value());
  const ValeurRegistre* v = magasin->valeur(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                                            std::string("MSINFO"));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->octets, "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\0"s);
}

}  // namespace
}  // namespace zor::apropos
