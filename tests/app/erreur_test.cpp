// The one French sentence every failure becomes: which object it names, the system's reason in
// French, the advice that fits, and the same text whatever the user's language.
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/erreur.h"

namespace zor {
namespace {

using G = Erreur::Genre;

std::vector<G> tousLesGenres() {
  std::vector<G> genres;
  for (int g = 0; g <= static_cast<int>(G::MemoireInsuffisante); ++g) genres.push_back(static_cast<G>(g));
  return genres;
}

bool genreDePort(G g) { return g < G::FichierIllisible; }

// Sets the C library's language for its lifetime.
class Langue {
 public:
  explicit Langue(const char* langue) : ancienne_(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, langue); }
  ~Langue() { std::setlocale(LC_ALL, ancienne_.c_str()); }
  bool active(const char* langue) const { return std::string(std::setlocale(LC_ALL, nullptr)) == langue; }

 private:
  std::string ancienne_;
};

Erreur exemple(G g, int numero) {
  if (!genreDePort(g) && g != G::MemoireInsuffisante) return erreurFichier(g, "c:\\zor.txt", numero, "/tmp/c/zor.txt");
  if (g == G::MemoireInsuffisante) return erreurFichier(g, "c:\\zor.txt", 0, "/tmp/c/zor.txt");
  Erreur e = erreurPort(g, 2, "/dev/ttyUSB0", numero);
  e.dureeMs = 300;
  e.limite = 10000;
  e.verrou = "/var/lock/LCK..ttyUSB0";
  return e;
}

TEST(Decrire, ChaqueGenreNommeSonObjet) {
  for (G g : tousLesGenres()) {
    const std::string texte = decrire(exemple(g, 0));
    const int n = static_cast<int>(g);
    EXPECT_NE(texte, "Erreur inconnue.") << n;
    if (genreDePort(g)) {
      EXPECT_NE(texte.find("Comm2 (/dev/ttyUSB0)"), std::string::npos) << n << " : " << texte;
      Erreur direct = exemple(g, 0);
      direct.numeroPort = 0;
      const std::string sansNumero = decrire(direct);
      EXPECT_NE(sansNumero.find("/dev/ttyUSB0"), std::string::npos) << n << " : " << sansNumero;
      EXPECT_EQ(sansNumero.find("Comm"), std::string::npos) << n << " : " << sansNumero;
    } else {
      EXPECT_NE(texte.find("c:\\zor.txt (/tmp/c/zor.txt)"), std::string::npos) << n << " : " << texte;
      Erreur memeChemin = exemple(g, 0);
      memeChemin.chemin = memeChemin.fichier;
      EXPECT_EQ(decrire(memeChemin).find("c:\\zor.txt (c:\\zor.txt)"), std::string::npos) << n;
    }
    // A name holding control characters never reaches a terminal raw, nor splits the message.
    Erreur hostile = exemple(g, 0);
    hostile.peripherique = hostile.fichier = hostile.chemin = "a\x1b[2Jb\nc";
    const std::string echappe = decrire(hostile);
    EXPECT_EQ(echappe.find('\x1b'), std::string::npos) << n;
    EXPECT_NE(echappe.find("a\\x1B[2Jb\\x0Ac"), std::string::npos) << n << " : " << echappe;
  }
}

// What a device or a user names goes to a terminal: only text passes, UTF-8 letters included;
// a C1 control (which an 8-bit terminal obeys) and bytes that are no UTF-8 are written out.
TEST(Decrire, NomsLisiblesSurUnTerminal) {
  const std::pair<std::string_view, std::string_view> cas[] = {
      {"/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"Prolific \xE2\x80\x94 USB-S\xC3\xA9rie", "Prolific \xE2\x80\x94 USB-S\xC3\xA9rie"},  // —, é
      {"\x1b]0;titre\x07", "\\x1B]0;titre\\x07"},
      {"a\x7F\tb", "a\\x7F\\x09b"},
      {"\xC2\x9B" "2J", "\\xC2\\x9B2J"},            // U+009B, CSI
      {"\xC2\xA0", "\xC2\xA0"},                       // U+00A0 passes
      {"\xE9t\xE9", "\\xE9t\\xE9"},                   // Latin-1, no UTF-8
      {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", "\\xC0\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},  // overlong, surrogate, beyond U+10FFFF
      {"\xE2\x82", "\\xE2\\x82"},                     // cut short
  };
  for (const auto& [nom, attendu] : cas) EXPECT_EQ(nomLisible(nom), attendu) << attendu;
}

TEST(Decrire, LaRaisonDuSystemeEnFrancais) {
  struct Cas {
    G genre;
    int numero;
    const char* attendu;
  };
  const Cas cas[] = {
      {G::PortIntrouvable, ENOENT, "introuvable : aucun fichier ou dossier de ce nom."},
      {G::PortIntrouvable, 0, "introuvable."},
      {G::PortOccupe, EBUSY, " : périphérique ou ressource occupé."},
      {G::PortInterdit, EACCES, " : permission refusée."},
      {G::LiaisonCoupee, EIO, " : erreur d'entrée-sortie."},
      {G::FichierNonEcrit, ENOSPC, " : plus de place sur le disque."},
      {G::FichierNonCreable, EROFS, " : support en lecture seule."},
      {G::FichierIllisible, 99999, " : erreur système n° 99999."},
      {G::FichierNonEcrit, -5, " : erreur système n° -5."},
  };
  for (const auto& c : cas) {
    const std::string texte = decrire(exemple(c.genre, c.numero));
    EXPECT_NE(texte.find(c.attendu), std::string::npos) << c.numero << " : " << texte;
  }
}

// A Windows code (GetLastError) is the reason told, in the program's French, and wins over an
// errno the C library may have left beside it.
TEST(Decrire, LaRaisonDeWindowsEnFrancais) {
  struct Cas {
    G genre;
    unsigned long code;
    const char* attendu;
  };
  const Cas cas[] = {
      {G::PortIntrouvable, 2, "introuvable : le système ne trouve pas ce fichier ou ce port."},
      {G::PortOccupe, 5, "déjà utilisé par un autre programme : accès refusé."},
      {G::LiaisonCoupee, 31, " : un périphérique attaché au système ne fonctionne pas."},
      {G::DonneesNonParties, 1460, " : délai dépassé."},
      {G::FichierNonEcrit, 112, " : plus de place sur le disque."},
      {G::PortRefuse, 4242, " : erreur Windows n° 4242."},
  };
  for (const auto& c : cas) {
    Erreur e = exemple(c.genre, EIO);
    e.codeWindows = c.code;
    const std::string texte = decrire(e);
    EXPECT_NE(texte.find(c.attendu), std::string::npos) << c.code << " : " << texte;
    EXPECT_EQ(texte.find("entrée-sortie"), std::string::npos) << texte;
  }
}

// Whatever the language the program runs in, the text is the program's own French, never the
// system's message.
TEST(Decrire, MemeTexteQuelleQueSoitLaLangue) {
  const int numeros[] = {0, ENOENT, EACCES, EBUSY, EIO, ENOSPC, ENOTTY, EISDIR, ENODEV, ENXIO, EROFS, 4242};
  std::vector<std::string> enC;
  {
    Langue c("C");
    for (G g : tousLesGenres())
      for (int n : numeros) {
        enC.push_back(decrire(exemple(g, n)));
        if (n != 0 && n != 4242) {
          EXPECT_EQ(enC.back().find(std::strerror(n)), std::string::npos) << enC.back();
        }
      }
  }
  Langue francais("fr_FR.UTF-8");
  if (!francais.active("fr_FR.UTF-8")) GTEST_SKIP() << "fr_FR.UTF-8 n'est pas installée";
  std::size_t i = 0;
  for (G g : tousLesGenres())
    for (int n : numeros) EXPECT_EQ(decrire(exemple(g, n)), enC[i++]);
}

TEST(Decrire, DureesEnSecondesAvecUneVirgule) {
  const std::pair<long long, const char*> cas[] = {
      {30000, "30"}, {300, "0,3"}, {500, "0,5"}, {1250, "1,25"}, {1001, "1,001"}, {1, "0,001"}, {86400000, "86400"},
  };
  for (const auto& [ms, texte] : cas) EXPECT_EQ(secondesEnFrancais(ms), texte) << ms;
  EXPECT_NE(decrire(exemple(G::Silence, 0)).find("depuis 0,3 seconde."), std::string::npos);
  Erreur longue = exemple(G::SansFinDeLigne, 0);
  longue.dureeMs = 2000;
  longue.limite = 0;
  EXPECT_NE(decrire(longue).find(" en 2 secondes : "), std::string::npos);
  EXPECT_NE(decrire(exemple(G::TropDEnregistrements, 0)).find("10000 enregistrements"), std::string::npos);
}

// A stream that cannot be a list of waypoints says what the receiver sends and what to set.
TEST(Decrire, FluxSansFinEtLeurConseil) {
  Erreur position = exemple(G::PositionEnvoyee, 0);
  position.detail = "$GPRMC, $GPGGA";
  Erreur longue = exemple(G::SansFinDeLigne, 0);
  longue.limite = 1024;
  const std::pair<Erreur, const char*> cas[] = {
      {position, "envoie sa position ($GPRMC, $GPGGA) sur le port de communication Comm2 (/dev/ttyUSB0), et non ses "
                 "waypoints : réglez le GPS pour envoyer ses waypoints"},
      {exemple(G::PasDuTexte, 0), "n'est pas du texte, la ligne ne va pas à la même vitesse des deux côtés : vérifiez la "
                                  "vitesse : 4800 bauds"},
      {longue, "Le GPS a envoyé 1024 octets sans aucune fin de ligne sur le port de communication Comm2"},
      {exemple(G::ListeSansRetour, 0), "sans que son deuxième enregistrement revienne à l'identique"},
  };
  for (const auto& [erreur, attendu] : cas) EXPECT_NE(decrire(erreur).find(attendu), std::string::npos) << decrire(erreur);
}

}  // namespace
}  // namespace zor
