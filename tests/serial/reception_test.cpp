// The download, read by read against a port whose bytes arrive at set times of the fake clock.
#include <gtest/gtest.h>

#include <cerrno>

#include "serial/reception.h"
#include "tests/serial/outils_serie.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;
using Lignes = std::vector<std::string>;

// A 64-character read whose first 62 characters are `tete` padded with dots.
std::string lecture(const std::string& tete, const std::string& fin = "\r\n") {
  std::string s = tete;
  s.resize(62, '.');
  return s + fin;
}

// A record as the receiver holds it (62 characters); it sends each followed by CR LF.
std::string enregistrement(const std::string& tete) {
  std::string s = tete;
  s.resize(62, ' ');
  return s;
}

class ReceptionTest : public ::testing::Test {
 protected:
  BilanReception recevoir(OptionsReception options = {}) {
    return serie::recevoir(port, horloge, options, journal.affichage());
  }
  // The reads the collection took, in order.
  Lignes lectures() const {
    Lignes l;
    for (const auto& ligne : journal.lignes)
      if (ligne.rfind("Input ", 0) == 0) l.push_back(ligne);
    return l;
  }
  std::chrono::milliseconds ecoule() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(horloge.maintenant() - Instant{});
  }

  test::Journal journal;
  test::HorlogeJournal horloge{journal};
  test::FauxPort port{journal, horloge};
};

TEST_F(ReceptionTest, CinqLecturesDontLaCinquiemeRameneLaDeuxieme) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3"), r4 = lecture("r4");
  const std::string r5 = lecture("r2", "XY");  // same record as r2, other tail
  port.arrivees.ajouter("j");
  port.arrivees.ajouter("\r" + r1 + r2 + r3 + r4 + r5, 50ms);
  OptionsReception options;
  options.numeroPort = 2;
  const auto bilan = recevoir(options);
  EXPECT_FALSE(bilan.erreur);
  EXPECT_EQ(bilan.collecte, r2 + r3 + r4);
  EXPECT_EQ(bilan.stockes, 3);
  auto passe = [&](const std::string& r, int resultat) {
    return Lignes{"InputLen 64", "Input " + test::visible(r), "Sleep 400", "fenetre " + test::visible(r.substr(0, 62)),
                  "result " + std::to_string(resultat)};
  };
  Lignes attendu{"Settings 4800,N,8,2", "CommPort 2", "PortOpen 1", "InputMode 0",  "InputLen 1",
                 "Input j",             "Input ",     "attendre 100", "Input \\r"};
  for (const auto& [r, n] : {std::pair{r1, 0}, {r2, 1}, {r3, 2}, {r4, 3}}) {
    const auto p = passe(r, n);
    attendu.insert(attendu.end(), p.begin(), p.end());
  }
  attendu.insert(attendu.end(), {"InputLen 64", "Input " + test::visible(r5), "Output \\x1A"});
  EXPECT_EQ(journal.lignes, attendu);
  EXPECT_TRUE(port.PortOpen()) << "the caller closes the port after writing the file";
}

// A receiver sending at the line's pace, its bytes coming in small pieces, gives the same reads
// and the same text as one whose whole stream was already waiting.
TEST_F(ReceptionTest, EnTempsReelCommeToutEnAttente) {
  const std::string a = enregistrement("WP1"), b = enregistrement("WP2"), c = enregistrement("WP3");
  const std::string cycle = a + "\r\n" + b + "\r\n" + c + "\r\n";
  struct Flux {
    const char* nom;
    std::string octets;
    std::string collecte;
    bool silence;  // the receiver stops before coming back to its second record
  };
  const Flux flux[] = {
      {"enregistrements de 64 caractères", "bruit\r" + lecture("r1") + lecture("r2") + lecture("r3") + lecture("r2", "XY"),
       lecture("r2") + lecture("r3"), false},
      // Each read after the first CR: LF, a record, its CR.
      {"cycles d'un GPS", "xx" + cycle + cycle + cycle, "\n" + c + "\r" + "\n" + a + "\r" + "\n" + b + "\r", false},
      {"dernier enregistrement court", "\r" + lecture("r1") + lecture("r2") + "fin", lecture("r2") + "fin", true},
  };
  for (const auto& f : flux) {
    journal.lignes.clear();
    port.arrivees.ajouter(f.octets);
    const auto reference = recevoir();
    const Lignes lecturesReference = lectures();
    port.abandonner();
    EXPECT_EQ(reference.collecte, f.collecte) << f.nom;
    EXPECT_EQ(reference.erreur.has_value(), f.silence) << f.nom;

    for (std::size_t morceau : {1, 5, 16, 40}) {
      for (auto debut : {0ms, 7ms, 1234ms}) {
        const std::string cas = std::string(f.nom) + ", morceaux de " + std::to_string(morceau) + " à partir de " +
                                std::to_string(debut.count()) + " ms";
        journal.lignes.clear();
        test::HorlogeJournal h{journal};
        test::FauxPort enDirect{journal, h};
        enDirect.journaliserAttentes = false;
        enDirect.arrivees.enTempsReel(f.octets, morceau, debut);
        const auto bilan = serie::recevoir(enDirect, h, {}, journal.affichage());
        EXPECT_EQ(bilan.collecte, reference.collecte) << cas;
        EXPECT_EQ(bilan.stockes, reference.stockes) << cas;
        EXPECT_EQ(bilan.erreur.has_value(), reference.erreur.has_value()) << cas;
        // The synchronisation may find the line empty more often; the collection reads alike.
        auto collecte = [](Lignes l) {
          l.erase(l.begin(), std::find(l.begin(), l.end(), "Input \\r") + 1);
          return l;
        };
        EXPECT_EQ(collecte(lectures()), collecte(lecturesReference)) << cas;
        EXPECT_EQ(enDirect.ecrit, "\x1a") << cas;
      }
    }
  }
}

// A read is taken once the receiver pauses with fewer than 64 characters there, not before.
TEST_F(ReceptionTest, LeGpsQuiMarqueUnePauseDonneUneLectureCourte) {
  port.arrivees.ajouter("\r" + lecture("r1"));
  port.arrivees.ajouter("ab", 1000ms);
  port.arrivees.ajouter("cd", 2000ms);
  port.arrivees.ajouter("e", 2050ms);
  port.arrivees.ajouter("ab", 3000ms);
  const auto bilan = recevoir();
  EXPECT_FALSE(bilan.erreur);
  EXPECT_EQ(bilan.collecte, "abcde");
  EXPECT_EQ(bilan.stockes, 2);
}

TEST_F(ReceptionTest, LesCaracteres63Et64SontGardesMaisJamaisCompares) {
  port.arrivees.ajouter("\r" + lecture("r1") + lecture("r2", "AB") + lecture("r2", "CD"));
  const auto bilan = recevoir();
  EXPECT_FALSE(bilan.erreur);
  EXPECT_EQ(bilan.collecte, lecture("r2", "AB"));
  EXPECT_EQ(bilan.stockes, 1);
}

TEST_F(ReceptionTest, RienAvantLePremierCrNEstGarde) {
  port.arrivees.ajouter("ab\n\rsuite");
  port.arrivees.ajouter("x", 500ms);
  port.arrivees.ajouter("x", 1000ms);
  const auto bilan = recevoir();
  EXPECT_EQ(bilan.collecte, "x");
}

TEST_F(ReceptionTest, UnEnregistrementPuisLeSilence) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2");
  port.journaliserAttentes = false;
  port.arrivees.enTempsReel("\r" + r1 + r2, 8, 0ms);
  OptionsReception options;
  options.numeroPort = 3;
  const auto bilan = recevoir(options);
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::Silence);
  EXPECT_EQ(bilan.erreur->dureeMs, 30000);
  EXPECT_EQ(bilan.erreur->numeroPort, 3);
  EXPECT_EQ(bilan.erreur->numeroSysteme, 0);
  EXPECT_EQ(bilan.collecte, r2) << "what came is kept";
  EXPECT_EQ(bilan.stockes, 1);
  EXPECT_EQ(journal.lignes.back(), "Output \\x1A");
  // 30 s after the last byte, not much later, and waiting in the system all along.
  EXPECT_GE(ecoule(), 30s);
  EXPECT_LT(ecoule(), 32s);
  EXPECT_LT(port.attentes, 1000);
}

// The synchronisation gives up once no CR has come within the bound, telling a silent line
// from one that sends something else; it waits for bytes rather than spinning.
TEST_F(ReceptionTest, SansCrLaSynchronisationAbandonneALaBorne) {
  struct Cas {
    const char* nom;
    std::string bruit;  // sent again and again at the line's pace
    Erreur::Genre genre;
  };
  const Cas cas[] = {
      {"ligne muette", "", Erreur::Genre::Silence},
      {"bruit sans CR", "$GPGGA,123519,4807.038,N,01131.000,E\n", Erreur::Genre::SansFinDeLigne},
      {"un octet de temps en temps", "?", Erreur::Genre::SansFinDeLigne},
  };
  for (const auto& c : cas) {
    journal.lignes.clear();
    test::HorlogeJournal h{journal};
    test::FauxPort p{journal, h};
    p.journaliserAttentes = false;
    std::string flux;
    while (!c.bruit.empty() && flux.size() < 60 * 436) flux += c.bruit;
    if (c.bruit.size() == 1) {
      for (int i = 0; i < 600; ++i) p.arrivees.ajouter("?", std::chrono::milliseconds(i * 250));
    } else {
      p.arrivees.enTempsReel(flux, 4, 0ms);
    }
    OptionsReception options;
    options.silenceMax = 5s;
    const auto bilan = serie::recevoir(p, h, options, journal.affichage());
    ASSERT_TRUE(bilan.erreur) << c.nom;
    EXPECT_EQ(bilan.erreur->genre, c.genre) << c.nom;
    EXPECT_EQ(bilan.erreur->dureeMs, 5000) << c.nom;
    EXPECT_TRUE(bilan.collecte.empty()) << c.nom;
    EXPECT_EQ(p.ecrit, "\x1a") << c.nom;
    const auto duree = h.maintenant() - Instant{};
    EXPECT_GE(duree, 5s) << c.nom;
    EXPECT_LT(duree, 5100ms) << c.nom;
    // Every wait ends at an arrival or after a while: never more waits than arrivals and
    // tenths of a second.
    EXPECT_GT(p.attentes, 0) << c.nom;
    EXPECT_LE(p.attentes, 50 + 5 * 436 / 4 + 1) << c.nom;
  }
}

TEST_F(ReceptionTest, DesEnregistrementsQuiNeReviennentJamaisSArretentALaBorne) {
  std::string flux = "\r";
  for (int i = 1; i <= 20; ++i) flux += lecture("r" + std::to_string(i));
  port.journaliserAttentes = false;
  port.arrivees.enTempsReel(flux, 16, 0ms);
  OptionsReception options;
  options.lecturesMax = 3;
  const auto bilan = recevoir(options);
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::TropDEnregistrements);
  EXPECT_EQ(bilan.erreur->limite, 3);
  EXPECT_EQ(bilan.stockes, 3);
  EXPECT_EQ(bilan.collecte, lecture("r2") + lecture("r3") + lecture("r4"));
  EXPECT_EQ(journal.lignes.back(), "Output \\x1A");
}

TEST_F(ReceptionTest, InterruptionGardeCeQuiEstVenuEtEnvoie26) {
  struct Cas {
    const char* nom;
    std::string flux;
    std::chrono::milliseconds arret;  // the user stops once the clock is past this
    std::string collecte;
  };
  const Cas cas[] = {
      {"pendant la synchronisation", "", 1000ms, ""},
      {"pendant la collecte", "\r" + lecture("r1") + lecture("r2") + lecture("r3") + lecture("r4"), 1000ms,
       lecture("r2") + lecture("r3")},
  };
  for (const auto& c : cas) {
    journal.lignes.clear();
    test::HorlogeJournal h{journal};
    test::FauxPort p{journal, h};
    p.journaliserAttentes = false;
    p.arrivees.ajouter(c.flux);
    OptionsReception options;
    options.interrompu = [&] { return h.maintenant() - Instant{} > c.arret; };
    const auto bilan = serie::recevoir(p, h, options, journal.affichage());
    ASSERT_TRUE(bilan.erreur) << c.nom;
    EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::Interruption) << c.nom;
    EXPECT_EQ(bilan.collecte, c.collecte) << c.nom;
    EXPECT_EQ(p.ecrit, "\x1a") << c.nom;
    EXPECT_LT(h.maintenant() - Instant{}, c.arret + 500ms) << c.nom << ": stops at once";
  }
}

TEST_F(ReceptionTest, LiaisonCoupeePendantLaCollecte) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2");
  port.arrivees.ajouter("\r" + r1 + r2 + lecture("r3"));
  port.echecInputNumero = 4;
  const auto bilan = recevoir();
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::LiaisonCoupee);
  EXPECT_EQ(bilan.erreur->numeroSysteme, EIO);
  EXPECT_EQ(bilan.collecte, r2);
  EXPECT_EQ(bilan.stockes, 1);
  EXPECT_EQ(journal.lignes.back(), "abandonner");
  EXPECT_TRUE(port.ecrit.empty()) << "no 26 on a lost link";
  EXPECT_FALSE(port.PortOpen());
}

TEST_F(ReceptionTest, PortQuiNeSOuvrePas) {
  port.echecOuverture = Erreur::Genre::PortOccupe;
  port.numeroEchecOuverture = EBUSY;
  OptionsReception options;
  options.numeroPort = 4;
  const auto bilan = recevoir(options);
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::PortOccupe);
  EXPECT_EQ(bilan.erreur->numeroSysteme, EBUSY);
  EXPECT_EQ(bilan.erreur->numeroPort, 4);
  EXPECT_EQ(journal.lignes, (Lignes{"Settings 4800,N,8,2", "CommPort 4", "PortOpen 1", "abandonner"}));
}

}  // namespace
}  // namespace zor::serie
