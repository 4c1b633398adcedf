// The Autoroute Express reader on files built byte by byte, truncated anywhere.
#include <gtest/gtest.h>

#include <cstdint>

#include "convert/conversion.h"
#include "tests/convert/conversion_essai.h"
#include "convert/phrase.h"

namespace zor::conversion {
namespace {

std::string enregistrement(std::int32_t longitude, std::int32_t latitude, std::uint8_t longueur, std::string nom) {
  std::string r;
  for (std::int32_t v : {longitude, latitude})
    for (int k = 0; k < 4; ++k) r.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF));
  r.push_back(static_cast<char>(longueur));
  r += nom;
  r.resize(121 + 3 * std::size_t{longueur}, '\x7f');
  return r;
}

std::string fichierAxe(std::uint8_t nombre, const std::vector<std::string>& enregistrements, std::string avant = "") {
  std::string f = avant + "MASM" + std::string(8, '\x01');
  f.push_back(static_cast<char>(nombre));
  f += std::string(47, 'M');  // skipped bytes, even when they look like a marker
  for (const auto& e : enregistrements) f += e;
  return f;
}

struct Resultat {
  long long nombre;
  std::string fichier;
};

Resultat lire(std::string_view octets, Mode mode, std::size_t bloc = 1 << 20) {
  SourceMemoire source(octets, bloc);
  SortieMemoire sortie;
  const long long nombre = convertirDepuis(format::AutorouteExpress, source, sortie, mode);
  return {nombre, sortie.octets()};
}

std::string ligne(std::string_view corps) { return construirePhrase(corps) + "\r\n"; }

const std::string kExemple = enregistrement(33554432, 402653184, 6, "ABCDEF");

TEST(AutorouteExpress, ExempleDuFormat) {
  const std::string f = fichierAxe(1, {kExemple});
  EXPECT_EQ(lire(f, Mode::Waypoint).fichier, ligne("GPWPL,3345.000,N,00248.750,E,ABCDEF"));
  EXPECT_EQ(lire(f, Mode::Profil).fichier, ligne("GPWPL,3345.000,N,00248.750,E,PDC0010C"));
  EXPECT_EQ(lire(f, Mode::Profil).nombre, 1);
}

// A line end among the name's bytes never cuts the sentence: it is written as a blank.
TEST(AutorouteExpress, FinDeLigneDansLeNomEcriteCommeUnBlanc) {
  const std::string f = fichierAxe(1, {enregistrement(33554432, 402653184, 6, "AB\rC\nD")});
  EXPECT_EQ(lire(f, Mode::Waypoint).fichier, ligne("GPWPL,3345.000,N,00248.750,E,AB C D"));
}

TEST(AutorouteExpress, PositionsDesEnregistrements) {
  // Length bytes 0, 6 and 255: records at M+60, M+181 and M+320; the name is always at R+9.
  const std::string avant("\0\x01MAS MASm masm", 15);
  const std::string f = fichierAxe(3,
                                   {enregistrement(0, 0, 0, "UN    "), enregistrement(-33554432, -402653184, 6, "DEUX  "),
                                    enregistrement(2147483647, 520093696, 255, "\xc9TROIS")},
                                   avant) +
                        "MASM" + std::string(200, '\x05');
  ASSERT_EQ(f.find("\xc9TROIS"), avant.size() + 320 + 9);
  EXPECT_EQ(lire(f, Mode::Waypoint).fichier, ligne("GPWPL,0000.000,S,00000.000,W,UN    ") +
                                                 ligne("GPWPL,3345.000,S,00248.750,W,DEUX  ") +
                                                 ligne("GPWPL,4335.625,N,17960.000,E,\xc9TROIS"));
  EXPECT_EQ(lire(f, Mode::Profil).fichier, ligne("GPWPL,0000.000,S,00000.000,W,PDC0010C") +
                                               ligne("GPWPL,3345.000,S,00248.750,W,PDC0020A") +
                                               ligne("GPWPL,4335.625,N,17960.000,E,PDC0030A"));
}

TEST(AutorouteExpress, FichiersSansEnregistrement) {
  const std::pair<const char*, std::string> cas[] = {
      {"empty", ""},
      {"no marker", std::string(500, 'A') + "MAS" + "masm"},
      {"marker at the very end", "xxMASM"},
      {"count byte missing", "MASM" + std::string(8, '\0')},
      {"count 0", fichierAxe(0, {kExemple})},
      {"count 1, first record cut before its name ends", fichierAxe(1, {kExemple}).substr(0, 60 + 14)},
  };
  for (const auto& [quoi, octets] : cas) {
    const Resultat r = lire(octets, Mode::Profil);
    EXPECT_EQ(r.nombre, 0) << quoi;
    EXPECT_EQ(r.fichier, "") << quoi;
  }
}

TEST(AutorouteExpress, CompteDe255PourDixEnregistrements) {
  std::vector<std::string> dix;
  for (int i = 0; i < 10; ++i) dix.push_back(enregistrement(i * 1000003, -i * 777777, static_cast<std::uint8_t>(i * 20), "PT000" + std::to_string(i)));
  const Resultat r = lire(fichierAxe(255, dix), Mode::Profil);
  EXPECT_EQ(r.nombre, 10);
  EXPECT_NE(r.fichier.find("PDC0100A*"), std::string::npos);
}

// Cut anywhere, a file gives exactly the records whose 15 read bytes are present, with the
// same bytes as the whole file gives for them; and the place of the block edges never matters.
TEST(AutorouteExpress, TronqueNImporteOu) {
  const std::string f = fichierAxe(3, {kExemple, enregistrement(-5, 7, 255, "SECOND"), enregistrement(9, -9, 1, "TROIS ")},
                                   std::string(5, 'x'));
  const Resultat entier = lire(f, Mode::Waypoint);
  ASSERT_EQ(entier.nombre, 3);
  const std::size_t m = 5, debuts[] = {m + 60, m + 60 + 139, m + 60 + 139 + 886};
  for (std::size_t taille = 0; taille <= f.size(); ++taille) {
    long long attendu = 0;
    for (std::size_t d : debuts) attendu += taille >= d + 15;
    for (std::size_t bloc : {std::size_t{1}, std::size_t{3}, std::size_t{64}, std::size_t{1} << 20}) {
      if (bloc < 64 && taille % 17 != 0) continue;  // small blocks: a sample of the lengths suffices
      const Resultat r = lire(std::string_view(f).substr(0, taille), Mode::Waypoint, bloc);
      ASSERT_EQ(r.nombre, attendu) << taille << " / " << bloc;
      ASSERT_EQ(r.fichier, entier.fichier.substr(0, r.fichier.size())) << taille << " / " << bloc;
      ASSERT_EQ(r.fichier.size(), static_cast<std::size_t>(attendu) * 43) << taille;
    }
  }
}

TEST(AutorouteExpress, MarqueurAChevalSurDeuxBlocs) {
  for (std::size_t avant = 0; avant < 9; ++avant) {
    const std::string f = fichierAxe(1, {kExemple}, std::string(avant, 'M'));
    for (std::size_t bloc = 1; bloc <= 8; ++bloc)
      EXPECT_EQ(lire(f, Mode::Waypoint, bloc).fichier, ligne("GPWPL,3345.000,N,00248.750,E,ABCDEF")) << avant << "/" << bloc;
  }
}

}  // namespace
}  // namespace zor::conversion
