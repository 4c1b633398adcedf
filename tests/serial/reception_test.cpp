// The download, read by read against a scripted port and the fake clock.
#include <gtest/gtest.h>

#include "serial/reception.h"
#include "tests/serial/outils_serie.h"

namespace zor::serie {
namespace {

using Lignes = std::vector<std::string>;

// A 64-character read whose first 62 characters are `tete` padded with dots.
std::string lecture(const std::string& tete, const std::string& fin = "\r\n") {
  std::string s = tete;
  s.resize(62, '.');
  return s + fin;
}

class ReceptionTest : public ::testing::Test {
 protected:
  test::Journal journal;
  test::HorlogeJournal horloge{journal};
  test::FauxPort port{journal, horloge};
};

TEST_F(ReceptionTest, CinqLecturesDontLaCinquiemeRameneLaDeuxieme) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3"), r4 = lecture("r4");
  const std::string r5 = lecture("r2", "XY");  // same record as r2, other tail
  port.lectures = {"j", "", "\r", r1, r2, r3, r4, r5};
  const auto bilan = recevoir(port, 2, journal.affichage());
  EXPECT_FALSE(bilan.panne);
  EXPECT_EQ(bilan.collecte, r2 + r3 + r4);
  EXPECT_EQ(bilan.stockes, 3);
  auto passe = [&](const std::string& r, int resultat) {
    return Lignes{"InputLen 64", "Input " + test::visible(r), "Sleep 400", "fenetre " + test::visible(r.substr(0, 62)),
                  "result " + std::to_string(resultat)};
  };
  Lignes attendu{"Settings 4800,N,8,2", "CommPort 2", "PortOpen 1", "InputMode 0", "InputLen 1",
                 "Input j",             "Input ",     "attendre 100", "Input \\r"};
  for (const auto& [r, n] : {std::pair{r1, 0}, {r2, 1}, {r3, 2}, {r4, 3}}) {
    const auto p = passe(r, n);
    attendu.insert(attendu.end(), p.begin(), p.end());
  }
  attendu.insert(attendu.end(), {"InputLen 64", "Input " + test::visible(r5), "Output \\x1A"});
  EXPECT_EQ(journal.lignes, attendu);
  EXPECT_TRUE(port.PortOpen()) << "the caller closes the port after writing the file";
}

TEST_F(ReceptionTest, FinDeLaCollecte) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3");
  struct Cas {
    const char* nom;
    std::deque<std::string> lectures;
    std::string collecte;
    int stockes;
  };
  const Cas cas[] = {
      {"passe 1 vide", {"\r", ""}, "", 0},
      {"passe 2 vide", {"\r", r1, ""}, "", 0},
      {"une lecture vide à partir de la passe 3 est un enregistrement", {"\r", r1, r2, "", r3, r2}, r2 + r3, 3},
      {"les caractères 63 et 64 sont gardés mais jamais comparés", {"\r", r1, lecture("r2", "AB"), lecture("r2", "CD")},
       lecture("r2", "AB"), 1},
      {"lecture courte", {"\r", "ab", "cd", "ef", "cd"}, "cdef", 2},
  };
  for (const auto& c : cas) {
    journal.lignes.clear();
    port.lectures = c.lectures;
    const auto bilan = recevoir(port, std::nullopt, journal.affichage());
    EXPECT_FALSE(bilan.panne) << c.nom;
    EXPECT_EQ(bilan.collecte, c.collecte) << c.nom;
    EXPECT_EQ(bilan.stockes, c.stockes) << c.nom;
    EXPECT_EQ(journal.lignes.back(), "Output \\x1A") << c.nom;
    EXPECT_EQ(journal.lignes[1], "PortOpen 1") << c.nom << ": no port chosen, the control keeps its own";
    port.abandonner();
  }
}

TEST_F(ReceptionTest, RienAvantLePremierCrNEstGarde) {
  port.lectures = {"a", "b", "\n", "\r", "suite", "x", "x"};
  const auto bilan = recevoir(port, 1, journal.affichage());
  EXPECT_EQ(bilan.collecte, "x");
}

TEST_F(ReceptionTest, GpsMuetAvantLePremierCr) {
  port.journaliserAttentes = false;
  port.lectures = {"a"};
  const auto bilan = recevoir(port, 1, journal.affichage(), std::chrono::seconds(30));
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::Silence);
  EXPECT_EQ(bilan.panne->silenceMs, 30000);
  EXPECT_EQ(bilan.panne->numeroPort, 1);
  EXPECT_TRUE(bilan.collecte.empty());
  // Every empty read waits in the system: 30 s of silence are 300 waits, not a spinning loop.
  EXPECT_EQ(port.attentes, 300);
  EXPECT_EQ(journal.lignes.back(), "Output \\x1A");
  EXPECT_GE(horloge.maintenant() - platform::Instant{}, std::chrono::seconds(30));
}

TEST_F(ReceptionTest, GpsMuetPendantLaCollecteGardeCeQuiEstVenu) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3");
  port.lectures = {"\r", r1, r2, r3};
  const auto bilan = recevoir(port, 1, journal.affichage(), std::chrono::seconds(30));
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::Silence);
  EXPECT_EQ(bilan.collecte, r2 + r3);
  // Silent passes are still counted, as the receiver's empty records are: 30 s at 400 ms.
  EXPECT_EQ(bilan.stockes, 2 + 74);
  EXPECT_EQ(journal.lignes.back(), "Output \\x1A");
}

TEST_F(ReceptionTest, LiaisonCoupeePendantLaCollecte) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2");
  port.lectures = {"\r", r1, r2, lecture("r3")};
  port.echecInputNumero = 4;
  const auto bilan = recevoir(port, 1, journal.affichage());
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::LiaisonCoupee);
  EXPECT_EQ(bilan.collecte, r2);
  EXPECT_EQ(bilan.stockes, 1);
  EXPECT_EQ(journal.lignes.back(), "abandonner");
  EXPECT_FALSE(port.PortOpen());
}

TEST_F(ReceptionTest, PortQuiNeSOuvrePas) {
  port.echecOuverture = Panne::Genre::PortOccupe;
  const auto bilan = recevoir(port, 4, journal.affichage());
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::PortOccupe);
  EXPECT_EQ(bilan.panne->numeroPort, 4);
  EXPECT_EQ(journal.lignes, (Lignes{"Settings 4800,N,8,2", "CommPort 4", "PortOpen 1", "abandonner"}));
}

}  // namespace
}  // namespace zor::serie
