// The download's collection against the scripted device, bytes arriving at set times of the
// fake clock: which reads are stored, when it ends, and what each ending keeps.
#include <gtest/gtest.h>

#include <cerrno>

#include "serial/reception.h"
#include "tests/serial/liaison_scriptee.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;

// A 64-character read whose first 62 characters are `tete` padded with dots.
std::string lecture(const std::string& tete, const std::string& fin = "\r\n") {
  std::string s = tete;
  s.resize(62, '.');
  return s + fin;
}

struct Resultat {
  BilanReception bilan;
  std::string element;  // what `fenetre` shows at the end
  int compte = -1;      // what `result` shows at the end
};

Resultat recevoir(test::ScenarioLiaison& s, test::HorlogeFactice& h, OptionsReception options = {}) {
  MSComm port{test::servicesScriptes(s)};
  Resultat r;
  const Suivi suivi{[&](std::string_view t) { r.element = t; }, [&](int n) { r.compte = n; }};
  r.bilan = serie::recevoir(port, h, options, suivi);
  if (port.PortOpen()) port.fermer();
  return r;
}

TEST(Reception, CinqLecturesDontLaCinquiemeRameneLaDeuxieme) {
  test::HorlogeFactice h;
  test::ScenarioLiaison s{&h};
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3"), r4 = lecture("r4");
  s.arrivees.ajouter("bruit avant le CR");
  s.arrivees.ajouter("\r" + r1 + r2 + r3 + r4 + lecture("r2", "XY"), 50ms);
  const auto r = recevoir(s, h);
  EXPECT_FALSE(r.bilan.erreur);
  EXPECT_EQ(r.bilan.collecte, r2 + r3 + r4);
  EXPECT_EQ(r.bilan.stockes, 3);
  EXPECT_EQ(r.compte, 3);
  EXPECT_EQ(r.element, r4.substr(0, 62));
  EXPECT_EQ(s.ecrit, "\x1a");
  EXPECT_EQ(h.nombrePauses(), 4) << "a 400 ms pause after each pass that is not the last";
  EXPECT_EQ(h.totalDormi(), 1600ms);
}

// A receiver sending at the line's pace, its bytes coming in small pieces, gives the same text
// as one whose whole stream was already waiting.
TEST(Reception, EnTempsReelCommeToutEnAttente) {
  std::string a(62, 'A'), b(62, 'B'), c(62, 'C');
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
      // What follows the end does not count, however soon it was taken in.
      {"fin puis phrases de position", "bruit\r" + lecture("r1") + lecture("r2") + lecture("r3") + lecture("r2", "XY") +
       "$GPRMC,1*00\r\n$GPGGA,2*00\r\n$GPRMC,3*00\r\n", lecture("r2") + lecture("r3"), false},
      // Ended by silence: everything after the CR is kept, the first read included.
      {"arrêt au milieu d'un enregistrement", "\r" + lecture("r1") + lecture("r2") + "fin",
       lecture("r1") + lecture("r2") + "fin", true},
  };
  for (const auto& f : flux)
    for (std::size_t morceau : {0, 1, 5, 16, 40})
      for (auto debut : {0ms, 7ms, 1234ms}) {
        const std::string cas = std::string(f.nom) + ", morceaux de " + std::to_string(morceau) + " à " +
                                std::to_string(debut.count()) + " ms";
        test::HorlogeFactice h;
        test::ScenarioLiaison s{&h};
        if (morceau == 0) s.arrivees.ajouter(f.octets);
        else s.arrivees.enTempsReel(f.octets, morceau, debut);
        OptionsReception options;
        options.silenceMax = 2s;
        const auto r = recevoir(s, h, options);
        EXPECT_EQ(test::visible(r.bilan.collecte), test::visible(f.collecte)) << cas;
        EXPECT_EQ(r.bilan.erreur.has_value(), f.silence) << cas;
        EXPECT_EQ(s.ecrit, "\x1a") << cas;
      }
}

TEST(Reception, CaracteresHorsEnregistrementEtDebut) {
  struct Cas {
    const char* nom;
    std::string flux;
    std::string collecte;
  };
  const Cas cas[] = {
      // Only the first 62 characters take part in the comparison.
      {"63 et 64 gardés, jamais comparés", "\r" + lecture("r1") + lecture("r2", "AB") + lecture("r2", "CD"),
       lecture("r2", "AB")},
      {"lecture 1 vide : fin immédiate", "\r", ""},
  };
  for (const Cas& c : cas) {
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.ajouter(c.flux);
    OptionsReception options;
    options.silenceMax = 1s;
    const auto r = recevoir(s, h, options);
    EXPECT_EQ(r.bilan.collecte, c.collecte) << c.nom;
    EXPECT_EQ(s.ecrit, "\x1a") << c.nom;
  }
}

// A receiver that pauses anywhere, for up to a second, gives the same file as a steady one: the
// reads are cut from the bytes, not from when they came. A stray byte shifts the reads, but the
// end is still found where the second record comes round again: one whole cycle is written,
// the stray byte with it, and the download ends.
TEST(Reception, PausesEtOctetsParasitesNeDecalentRien) {
  std::string cycle;
  for (char c : std::string("ABCDE")) cycle += std::string(1, c) + std::string(61, c) + "\r\n";
  const std::string flux = "xx" + cycle + cycle + cycle;  // the first CR ends record A
  const std::size_t apresCr = flux.find('\r') + 1;
  const std::string attendu = flux.substr(apresCr + 64, 5 * 64);  // one cycle, from the second read on
  const std::string deuxCycles = attendu + attendu;
  int cas = 0;
  for (std::size_t i = apresCr; i < apresCr + 3 * 64; i += 3) {
    // Every position of the first three reads after the CR, the second record's read included.
    for (int pause : {50, 101, 150, 400, 1000}) {
      test::HorlogeFactice h;
      test::ScenarioLiaison s{&h};
      s.arrivees.enTempsReel(flux.substr(0, i), 4, 0ms);
      s.arrivees.enTempsReel(flux.substr(i), 4, std::chrono::milliseconds(pause) + std::chrono::microseconds(i * 11 * 1000000 / 4800));
      const auto r = recevoir(s, h);
      const std::string nom = "pause de " + std::to_string(pause) + " ms à l'octet " + std::to_string(i);
      EXPECT_FALSE(r.bilan.erreur) << nom;
      EXPECT_EQ(test::visible(r.bilan.collecte), test::visible(attendu)) << nom;
      ++cas;
    }
    for (char parasite : {'\x1a', '\0'}) {
      test::HorlogeFactice h;
      test::ScenarioLiaison s{&h};
      s.arrivees.enTempsReel(flux.substr(0, i) + parasite + flux.substr(i), 4, 0ms);
      const auto r = recevoir(s, h);
      const std::string nom = "octet " + std::to_string(static_cast<int>(parasite)) + " à l'octet " + std::to_string(i);
      EXPECT_FALSE(r.bilan.erreur) << nom;
      std::string sans = r.bilan.collecte;
      const bool garde = std::erase(sans, parasite) == 1;
      EXPECT_EQ(sans.size(), attendu.size()) << nom;
      EXPECT_NE(deuxCycles.find(sans), std::string::npos) << nom << " : " << test::visible(r.bilan.collecte);
      EXPECT_EQ(garde, i >= apresCr + 64) << nom << ": kept when it came inside what is stored";
      ++cas;
    }
  }
  EXPECT_EQ(cas, 64 * 7);
}

// A stray printable byte shifts the records off the 64-character grid: the end is still found,
// and what is written is one whole cycle with that byte, nothing lost and nothing twice.
TEST(Reception, OctetImprimableEnTropTrouveQuandMemeLaFin) {
  std::string cycle;
  for (char c : std::string("ABC")) cycle += std::string(62, c) + "\r\n";
  test::HorlogeFactice h;
  test::ScenarioLiaison s{&h};
  const std::string flux = "\r" + cycle + "?" + cycle + cycle;
  s.arrivees.enTempsReel(flux, 8, 0ms);
  const auto r = recevoir(s, h);
  EXPECT_FALSE(r.bilan.erreur);
  EXPECT_EQ(test::visible(r.bilan.collecte), test::visible(flux.substr(1 + 64, 3 * 64 + 1)));
}

// Each way the collection can end keeps everything that came after the first CR (the first
// read, what had not been read yet and what a failing device still held included), names the
// port, and (but on a lost link) still tells the receiver to stop.
TEST(Reception, ChaqueFinGardeToutCeQuiEstVenu) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3");
  std::string sansFin = "\r";
  for (int i = 1; i <= 20; ++i) sansFin += lecture("r" + std::to_string(i));
  struct Cas {
    const char* nom;
    std::string flux;  // at the line's pace
    std::function<void(test::ScenarioLiaison&, OptionsReception&, test::HorlogeFactice&)> preparer;
    Erreur::Genre genre;
    bool vingtSix;
  };
  const auto rien = [](test::ScenarioLiaison&, OptionsReception&, test::HorlogeFactice&) {};
  const Cas cas[] = {
      {"ligne muette", "", rien, Erreur::Genre::Silence, true},
      {"un enregistrement puis le silence", "\r" + r1 + r2, rien, Erreur::Genre::Silence, true},
      {"jamais de retour au deuxième", sansFin,
       [](test::ScenarioLiaison&, OptionsReception& o, test::HorlogeFactice&) { o.lecturesMax = 3; },
       Erreur::Genre::TropDEnregistrements, true},
      {"interruption pendant la collecte", sansFin,
       [](test::ScenarioLiaison&, OptionsReception& o, test::HorlogeFactice& h) {
         o.interrompu = [&h] { return h.maintenant() - Instant{} > 1000ms; };
       },
       Erreur::Genre::Interruption, true},
      {"liaison coupée", sansFin, [](test::ScenarioLiaison& s, OptionsReception&, test::HorlogeFactice&) { s.coupure = 700ms; },
       Erreur::Genre::LiaisonCoupee, false},
      {"liaison coupée pendant une pause à l'écoute", sansFin,
       [](test::ScenarioLiaison& s, OptionsReception& o, test::HorlogeFactice&) {
         s.coupure = 1500ms;
         o.pausesALEcoute = true;
       },
       Erreur::Genre::LiaisonCoupee, false},
  };
  for (const Cas& c : cas) {
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.enTempsReel(c.flux, 8, 0ms);
    OptionsReception options;
    options.port.numero = 3;
    options.silenceMax = 5s;
    c.preparer(s, options, h);
    const auto r = recevoir(s, h, options);
    ASSERT_TRUE(r.bilan.erreur) << c.nom;
    EXPECT_EQ(r.bilan.erreur->genre, c.genre) << c.nom;
    EXPECT_EQ(r.bilan.erreur->numeroPort, 3) << c.nom;
    const std::size_t pris = c.flux.size() - s.arrivees.octetsRestants();
    const std::size_t apresCr = c.flux.empty() ? 0 : c.flux.find('\r') + 1;
    EXPECT_EQ(test::visible(r.bilan.collecte), test::visible(c.flux.substr(apresCr, pris - apresCr)))
        << c.nom << ": exactly everything the device handed over after the CR";
    EXPECT_EQ(r.bilan.finDeLigne, !c.flux.empty()) << c.nom;
    EXPECT_EQ(s.ecrit, c.vingtSix ? "\x1a" : "") << c.nom;
    EXPECT_FALSE(s.ouvert) << c.nom;
    if (c.genre == Erreur::Genre::Silence) {
      EXPECT_EQ(r.bilan.erreur->dureeMs, 5000) << c.nom;
      // Waiting in the system all along: never more waits than arrivals and tenths of a second.
      EXPECT_LE(s.attentes, 200 + static_cast<int>(c.flux.size()) / 8) << c.nom;
    }
  }
}

// A receiver sending as it should, whatever the length of its list: exactly one cycle, from
// the second read on, and nothing taken for a list that came round without it.
TEST(Reception, ListesCourtesEtLongues) {
  for (int taille : {1, 2, 3, 4, 5, 7, 40}) {
    std::string cycle;
    for (int i = 0; i < taille; ++i) cycle += lecture("WP" + std::to_string(i));
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.enTempsReel("x\r" + cycle + cycle + cycle + cycle, 16, 0ms);
    const auto r = recevoir(s, h);
    EXPECT_FALSE(r.bilan.erreur) << taille << " : " << (r.bilan.erreur ? decrire(*r.bilan.erreur) : "");
    std::string attendu;
    for (int i = 1; i <= taille; ++i) attendu += lecture("WP" + std::to_string(i % taille), "\r\n");
    EXPECT_EQ(test::visible(r.bilan.collecte), test::visible(attendu)) << taille;
  }
}

// What cannot be a list of waypoints ends within seconds (the silence bound is 30 s and the
// bound on reads more than an hour away), keeping all that came after the first CR.
TEST(Reception, FluxSansFinAbandonnesEnQuelquesSecondes) {
  std::string position, vitesse;
  for (int i = 120000; i < 120100; ++i)
    position += "$GPRMC," + std::to_string(i) + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n$GPGGA," +
                std::to_string(i) + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
  // A line at another speed: mostly NUL and high bytes, now and then a CR.
  for (int i = 0; i < 5000; ++i) vitesse += i % 61 == 60 ? '\r' : "\0\x80\xf8\xe0\x98\x86\xe6H\x08"[i * 7 % 9];
  std::string cycle;
  for (int i = 0; i < 10; ++i) cycle += lecture("$PFMWP,4530.1" + std::to_string(i) + ",N,00130.456,E,WP" + std::to_string(i));
  const std::size_t deuxieme = 1 + 64 + 20;  // a byte of the record of the second read
  std::string abime = "\r" + cycle, perdu = "\r" + cycle;
  abime[deuxieme] = '7';
  perdu.erase(deuxieme, 1);
  std::string retourAbime = "\r" + cycle + cycle;
  retourAbime[deuxieme + cycle.size()] = '7';
  std::string lignesSansFin;
  for (int i = 0; lignesSansFin.size() < 3000; ++i) lignesSansFin += std::to_string(i) + ' ';
  struct Cas {
    const char* nom;
    std::string flux;
    Erreur::Genre genre;
    std::chrono::milliseconds auPlusTard;
    std::string detail;
  };
  const Cas cas[] = {
      {"GPS réglé sur sa position", "\r" + position, Erreur::Genre::PositionEnvoyee, 2000ms, "$GPRMC, $GPGGA"},
      {"mauvaise vitesse", vitesse, Erreur::Genre::PasDuTexte, 2000ms, ""},
      {"mauvaise vitesse après une fin de ligne", "\r" + vitesse, Erreur::Genre::PasDuTexte, 2000ms, ""},
      // Told past where the second record could first come round: known once it is there.
      {"texte puis ligne tenue à zéro", std::string(1000, 'x') + "\r" + std::string(3000, '\0'), Erreur::Genre::PasDuTexte,
       4000ms, ""},
      {"texte sans fin de ligne", lignesSansFin, Erreur::Genre::SansFinDeLigne, 3000ms, ""},
      {"lignes sans fin après la première", "\r" + lignesSansFin, Erreur::Genre::SansFinDeLigne, 3000ms, ""},
      // The list ends at the 11th read: given up three reads later.
      {"deuxième enregistrement abîmé", abime + cycle + cycle + cycle + cycle, Erreur::Genre::ListeSansRetour, 6000ms, ""},
      {"deuxième enregistrement amputé d'un octet", perdu + cycle + cycle + cycle + cycle, Erreur::Genre::ListeSansRetour,
       6000ms, ""},
      {"son retour abîmé", retourAbime + cycle + cycle + cycle, Erreur::Genre::ListeSansRetour, 6000ms, ""},
  };
  for (const Cas& c : cas) {
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.enTempsReel(c.flux, 8, 0ms);
    const auto r = recevoir(s, h);
    ASSERT_TRUE(r.bilan.erreur) << c.nom;
    EXPECT_EQ(r.bilan.erreur->genre, c.genre) << c.nom << " : " << decrire(*r.bilan.erreur);
    EXPECT_LE(h.maintenant() - Instant{}, c.auPlusTard) << c.nom;
    EXPECT_EQ(r.bilan.erreur->detail, c.detail) << c.nom;
    const std::size_t pris = c.flux.size() - s.arrivees.octetsRestants();
    const std::size_t cr = c.flux.find('\r');
    if (cr < pris) {
      EXPECT_EQ(r.bilan.collecte, c.flux.substr(cr + 1, pris - cr - 1)) << c.nom;
    } else {
      EXPECT_EQ(r.bilan.avantFinDeLigne, pris) << c.nom;
    }
    EXPECT_EQ(s.ecrit, "\x1a") << c.nom;
  }
}

}  // namespace
}  // namespace zor::serie
