// The two text readers, line ends included, with the input handed over in blocks of every
// size so that a CR LF or a column falls on a block edge somewhere.
#include <gtest/gtest.h>
#include <cerrno>

#include "convert/conversion.h"
#include "tests/convert/conversion_essai.h"
#include "core/erreur.h"

namespace zor::conversion {
namespace {

const std::size_t kTaillesBloc[] = {1, 2, 3, 5, 41, 42, 43, 1 << 20};

struct Resultat {
  long long nombre;
  std::string fichier, echo;
};

Resultat convertirMemoire(const FormatEntree* type, std::string_view entree, Mode mode, std::size_t bloc) {
  SourceMemoire source(entree, bloc);
  SortieMemoire sortie;
  std::string echo;
  const long long nombre = convertirDepuis(type, source, sortie, mode, &echo);
  return {nombre, sortie.octets(), echo};
}

// A G7towin waypoint line built column by column (the worked example by default).
std::string ligneG7(std::string nom = "WPT001", std::string latitude = "N45 30.123",
                    std::string longitude = "E001 30.456", char lettre = 'W') {
  return std::string(1, lettre) + "  " + nom + std::string(10, ' ') + latitude + "  " + longitude;
}

std::string genere(std::string_view corps) { return "$" + std::string(corps) + "*" + [&] {
    unsigned s = 0;
    for (unsigned char c : corps) s ^= c;
    char h[3];
    std::snprintf(h, sizeof h, "%02X", s);
    return std::string(h);
  }() + "\r\n\r\n"; }

struct CasTexte {
  const char* quoi;
  const FormatEntree* type;
  Mode mode;
  std::string entree;
  long long nombre;
  std::string fichier;
};

std::vector<CasTexte> casTexte() {
  const std::string l = ligneG7();
  return {
      {"ZOR: $ lines copied as they are, no empty line after", format::Zor, Mode::Profil,
       "$GPWPL,bad sentence\r\nheader\r\n $skipped\r\n$PABC*00\r\n", 2, "$GPWPL,bad sentence\r\n$PABC*00\r\n"},
      {"ZOR: lone CR ends a line, the last line needs no end", format::Zor, Mode::Waypoint, "$A\r$B\r\r$C", 3,
       "$A\r\n$B\r\n$C\r\n"},
      {"ZOR: LF alone is no line end", format::Zor, Mode::Profil, "$A\n$B\n", 1, "$A\n$B\n\r\n"},
      {"ZOR: CR CR LF gives an empty line, then the next", format::Zor, Mode::Profil, "$A\r\r\n$B\r\n\n$C", 2,
       "$A\r\n$B\r\n"},
      {"ZOR: NUL bytes and Windows-1252 pass through", format::Zor, Mode::Profil, std::string("$\xc9\0x\r\n", 6),
       1, std::string("$\xc9\0x\r\n", 6)},
      {"ZOR: ignores the profile options and G7towin lines", format::Zor, Mode::Profil, l + "\r\n", 0, ""},
      {"G7towin: worked example, profile", format::G7towin, Mode::Profil, l + "\r\n" + l + "\r\n", 2,
       genere("GPWPL,4530.123,N,00130.456,E,PDC0010C") + genere("GPWPL,4530.123,N,00130.456,E,PDC0020A")},
      {"G7towin: worked example, waypoint", format::G7towin, Mode::Waypoint, l, 1,
       genere("GPWPL,4530.123,N,00130.456,E,WPT001")},
      {"G7towin: 0C only on the first record line, whatever was skipped", format::G7towin, Mode::Profil,
       "Datum\r\n\r\n" + l + "\r\nxx\r\n" + l, 2,
       genere("GPWPL,4530.123,N,00130.456,E,PDC0010C") + genere("GPWPL,4530.123,N,00130.456,E,PDC0020A")},
      {"G7towin: a lone W", format::G7towin, Mode::Profil, "W", 1, genere("GPWPL,,,,,PDC0010C")},
      {"G7towin: a lone w, waypoint", format::G7towin, Mode::Waypoint, "w\r", 1, genere("GPWPL,,,,,")},
      {"G7towin: short line gives short fields", format::G7towin, Mode::Waypoint, l.substr(0, 26), 1,
       genere("GPWPL,4530.,N,,,WPT001")},
      {"G7towin: header beginning with W is a record; nothing is trimmed", format::G7towin, Mode::Waypoint,
       "Waypoints  de la carte IGN 3\r\n", 1, genere("GPWPL,teIGN 3,r,,,points")},
      {"G7towin: columns past 42 are ignored, spaces kept", format::G7towin, Mode::Waypoint,
       ligneG7("AB    ", "N 5  0.5  ", "E  1  .    ") + "  extra columns", 1, genere("GPWPL, 5 0.5  ,N,  1 .    ,E,AB    ")},
      {"G7towin: LF-only file is one single line", format::G7towin, Mode::Profil, l + "\n" + l + "\n", 1,
       genere("GPWPL,4530.123,N,00130.456,E,PDC0010C")},
      {"G7towin: a line of one megabyte", format::G7towin, Mode::Waypoint, l + std::string(1 << 20, 'x') + "\r\n" + l,
       2, genere("GPWPL,4530.123,N,00130.456,E,WPT001") + genere("GPWPL,4530.123,N,00130.456,E,WPT001")},
      {"G7towin: Windows-1252 name byte", format::G7towin, Mode::Waypoint, ligneG7("\xc9TANG "), 1,
       genere("GPWPL,4530.123,N,00130.456,E,\xc9TANG ")},
      {"empty file", format::G7towin, Mode::Profil, "", 0, ""},
      {"only line ends", format::Zor, Mode::Profil, "\r\n\r\r\n", 0, ""},
  };
}

TEST(LecteursTexte, CasParBlocs) {
  for (const CasTexte& c : casTexte()) {
    for (std::size_t bloc : kTaillesBloc) {
      if (c.entree.size() > 100000 && bloc < 41) continue;  // the megabyte line: large blocks suffice
      const Resultat r = convertirMemoire(c.type, c.entree, c.mode, bloc);
      EXPECT_EQ(r.nombre, c.nombre) << c.quoi << " (blocs de " << bloc << ")";
      EXPECT_EQ(r.fichier, c.fichier) << c.quoi << " (blocs de " << bloc << ")";
    }
  }
}

TEST(LecteursTexte, LEchoEstLaPhraseSansLaLigneVide) {
  const Resultat g7 = convertirMemoire(format::G7towin, ligneG7(), Mode::Profil, 7);
  EXPECT_EQ(g7.echo, "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n");
  const Resultat zor = convertirMemoire(format::Zor, "$A\rB\r$C", Mode::Profil, 2);
  EXPECT_EQ(zor.echo, "$A\r\n$C\r\n");
}

TEST(LecteursTexte, MilleEnregistrementsNumerotes) {
  std::string entree;
  for (int i = 0; i < 1000; ++i) entree += ligneG7() + "\r\n";
  const Resultat r = convertirMemoire(format::G7towin, entree, Mode::Profil, 1 << 20);
  EXPECT_EQ(r.nombre, 1000);
  EXPECT_NE(r.echo.find(",PDC9990A*"), std::string::npos);
  EXPECT_NE(r.echo.find(",PDC10000A*"), std::string::npos);
  EXPECT_EQ(r.echo.find(",PDC0020C*"), std::string::npos);
}

// A source that fails after handing over some bytes, as a failing disk would.
class SourceDefaillante : public Source {
 public:
  SourceDefaillante(std::string octets, std::size_t bloc) : octets_(std::move(octets)), bloc_(bloc) {}
  std::string_view lire() override {
    if (position_ >= octets_.size()) throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, "entree.txt", EIO));
    const std::string_view b = std::string_view(octets_).substr(position_, bloc_);
    position_ += b.size();
    return b;
  }

 private:
  std::string octets_;
  std::size_t bloc_;
  std::size_t position_ = 0;
};

TEST(LecteursTexte, UnEchecGardeLesLignesCompletesSeulement) {
  // Small buffers: the unfinished line may already be partly handed over, and is taken back.
  for (auto [bloc, seuil] : {std::pair<std::size_t, std::size_t>{1, 1}, {4, 3}, {1 << 20, 1}, {1 << 20, 4096}}) {
    SourceDefaillante source("$A\r\n$BBBB\r\n$CC", bloc);
    SortieMemoire sortie(seuil);
    std::string echo = "avant\r\n";
    EXPECT_THROW(convertirDepuis(format::Zor, source, sortie, Mode::Profil, &echo), Echec);
    EXPECT_EQ(sortie.octets(), "$A\r\n$BBBB\r\n") << bloc;
    EXPECT_EQ(echo, "avant\r\n$A\r\n$BBBB\r\n") << bloc;
  }
}

}  // namespace
}  // namespace zor::conversion
