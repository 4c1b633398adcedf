// Sentences, profile point names and minutes: the bytes the receiver checks.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "convert/coordonnees.h"
#include "convert/phrase.h"

namespace zor::conversion {
namespace {

TEST(Phrase, ExemplesEtCasLimites) {
  struct Cas {
    std::string corps, phrase;
  } cas[] = {
      {"GPWPL,4530.123,N,00130.456,E,PDC0010C", "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n"},
      {"GPWPL,4530.123,N,00130.456,E,PDC0020A", "$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n"},
      {"", "$*00\r\n"},
      {"\x0b", "$\x0b*0B\r\n"},           // below 16: a leading zero
      {"GPWPL,,,,,", "$GPWPL,,,,,*70\r\n"},  // short fields pass through
      {"\xc9", "$\xc9*C9\r\n"},             // É counts with its Windows-1252 byte
      {std::string("A\0B", 3), std::string("$A\0B*03\r\n", 9)},
  };
  for (const auto& c : cas) EXPECT_EQ(construirePhrase(c.corps), c.phrase) << c.corps;
}

TEST(Phrase, NomsDeProfil) {
  const std::pair<long long, const char*> cas[] = {{1, "PDC0010C"},    {2, "PDC0020A"},     {42, "PDC0420A"},
                                                   {999, "PDC9990A"},  {1000, "PDC10000A"}, {255, "PDC2550A"},
                                                   {123456, "PDC1234560A"}};
  for (const auto& [numero, nom] : cas) EXPECT_EQ(nomProfil(numero), nom) << numero;
}

TEST(Minutes, ArrondiDepuisLaValeurSimplePrecision) {
  const std::pair<float, const char*> cas[] = {
      {0.0f, "00.000"},      {48.75f, "48.750"},   {52.5625f, "52.563"},  // exact tie: away from zero
      {0.0625f, "00.063"},   {59.9995f, "60.000"},  // 59.9995f lies just above the tie
      {59.99999f, "60.000"}, {7.0f, "07.000"},      {30.123f, "30.123"},
      {0.0005f, "00.001"},   // 0.0005f is a hair above 0.0005
      {0.00049999f, "00.000"}, {12.3445f, "12.344"}, // 12.3445f is a hair below the tie
  };
  for (const auto& [valeur, texte] : cas) EXPECT_EQ(formaterMinutes(valeur), texte) << valeur;
}

// A French user's locale must not turn "30.123" into "30,123".
struct VirguleDecimale : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return ' '; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Minutes, LaLocaleFrancaiseNeChangeRien) {
  const std::locale ancienne = std::locale::global(std::locale(std::locale::classic(), new VirguleDecimale));
  const char* francaise = std::setlocale(LC_ALL, "fr_FR.UTF-8");
  if (francaise == nullptr) francaise = std::setlocale(LC_ALL, "fr_FR");
  EXPECT_EQ(formaterMinutes(30.123f), "30.123");
  const CoordonneeTexte c = decoderCoordonnee(520093696, Axe::Latitude);
  EXPECT_EQ(c.degres + c.minutes, "4335.625");
  EXPECT_EQ(nomProfil(1000), "PDC10000A");
  std::locale::global(ancienne);
  std::setlocale(LC_ALL, "C");
}

TEST(Coordonnees, ReglesDeDecodage) {
  struct Cas {
    std::int32_t valeur;
    Axe axe;
    const char *degres, *minutes;
    char lettre;
  } cas[] = {
      {33554432, Axe::Longitude, "002", "48.750", 'E'},
      {402653184, Axe::Latitude, "33", "45.000", 'N'},
      {0, Axe::Longitude, "000", "00.000", 'W'},
      {0, Axe::Latitude, "00", "00.000", 'S'},
      {-33554432, Axe::Longitude, "002", "48.750", 'W'},
      {-402653184, Axe::Latitude, "33", "45.000", 'S'},
      {520093696, Axe::Latitude, "43", "35.625", 'N'},
      {2147483647, Axe::Longitude, "179", "60.000", 'E'},  // nothing carried into the degrees
      {2147483647, Axe::Latitude, "179", "60.000", 'N'},   // beyond 99 degrees: all the digits
      {-2147483647 - 1, Axe::Longitude, "180", "00.000", 'W'},
      {1, Axe::Latitude, "00", "00.000", 'N'},  // a hair above zero is still north
      {-1, Axe::Longitude, "000", "00.000", 'W'},
  };
  for (const auto& c : cas) {
    const CoordonneeTexte t = decoderCoordonnee(c.valeur, c.axe);
    EXPECT_EQ(t.degres, c.degres) << c.valeur;
    EXPECT_EQ(t.minutes, c.minutes) << c.valeur;
    EXPECT_EQ(t.lettre, c.lettre) << c.valeur;
  }
}

}  // namespace
}  // namespace zor::conversion
