// The upload, step by step against a scripted port and the fake clock: what goes on the wire,
// when the labels change, where the pauses fall, and what a failure leaves behind.
#include <gtest/gtest.h>

#include "serial/envoi.h"
#include "tests/serial/outils_serie.h"
#include "tests/support/seams.h"

namespace zor::serie {
namespace {

using Lignes = std::vector<std::string>;

class EnvoiTest : public ::testing::Test {
 protected:
  BilanEnvoi envoyerContenu(std::string_view contenu) {
    test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", contenu);
    return envoyer(port, fichier(), journal.affichage());
  }
  FichierNomme fichier() const { return {lecteur.chemin() / "$_t_e_m_p", "c:\\$_t_e_m_p"}; }

  test::LecteurCTemporaire lecteur;
  test::Journal journal;
  test::HorlogeJournal horloge{journal};
  test::FauxPort port{journal, horloge};
};

TEST_F(EnvoiTest, UnePhraseSuivieDUneLigneVide) {
  const auto bilan = envoyerContenu("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");
  EXPECT_FALSE(bilan.panne);
  EXPECT_EQ(bilan.envoyees, 1);
  EXPECT_EQ(journal.lignes, (Lignes{
                                "PortOpen 1",
                                "fenetre ",
                                "Output $GPWPL,4530.123,N,00130.456,E,PDC0010C*59\\r\\n",
                                "fenetre $GPWPL,4530.123,N,00130.456,E,PDC0010C*59\\r\\n",
                                "Sleep 600",
                                "result 1",
                                "fenetre ",
                                "result 1",
                                "PortOpen 0",
                            }));
}

TEST_F(EnvoiTest, SeulesLesLignesCommencantParDollarPartent) {
  struct Cas {
    const char* nom;
    std::string contenu;
    Lignes sorties;
    std::string derniereFenetre;
    int compte;
  };
  const Cas cas[] = {
      {"lignes copiées d'un fichier ZOR, sans ligne vide", "$A*41\r\n$B*42\r\n", {"Output $A*41\\r\\n", "Output $B*42\\r\\n"},
       "fenetre $B*42\\r\\n", 2},
      {"espace avant le dollar", " $A*41\r\n$B*42", {"Output $B*42\\r\\n"}, "fenetre $B*42\\r\\n", 1},
      {"texte avant le dollar", "x$A*41\r\n", {}, "fenetre ", 0},
      {"CR seul comme fin de ligne", "$A*41\r$B*42\r", {"Output $A*41\\r\\n", "Output $B*42\\r\\n"},
       "fenetre $B*42\\r\\n", 2},
      {"LF seul reste dans la ligne", "$A*41\n$B*42\r\n", {"Output $A*41\\n$B*42\\r\\n"}, "fenetre $A*41\\n$B*42\\r\\n",
       1},
  };
  for (const auto& c : cas) {
    journal.lignes.clear();
    const auto bilan = envoyerContenu(c.contenu);
    Lignes sorties;
    std::string derniereFenetre, dernierResultat;
    for (const auto& l : journal.lignes) {
      if (l.rfind("Output", 0) == 0) sorties.push_back(l);
      if (l.rfind("fenetre", 0) == 0) derniereFenetre = l;
      if (l.rfind("result", 0) == 0) dernierResultat = l;
    }
    EXPECT_EQ(sorties, c.sorties) << c.nom;
    EXPECT_EQ(derniereFenetre, c.derniereFenetre) << c.nom;
    EXPECT_EQ(dernierResultat, "result " + std::to_string(c.compte)) << c.nom;
    EXPECT_EQ(bilan.envoyees, c.compte) << c.nom;
    EXPECT_EQ(journal.lignes.back(), "PortOpen 0") << c.nom;
  }
  EXPECT_EQ(horloge.nombrePauses(), 2 + 1 + 0 + 2 + 1);
}

TEST_F(EnvoiTest, FichierVideOuvreEtFermeLePortSansToucherAuCompte) {
  const auto bilan = envoyerContenu("");
  EXPECT_FALSE(bilan.panne);
  EXPECT_EQ(journal.lignes, (Lignes{"PortOpen 1", "PortOpen 0"}));
}

TEST_F(EnvoiTest, FichierDEchangeAbsentFermeLePortEtNommeLeFichier) {
  const auto bilan = envoyer(port, fichier(), journal.affichage());
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::FichierIllisible);
  EXPECT_EQ(bilan.panne->peripherique, "c:\\$_t_e_m_p");
  EXPECT_EQ(bilan.panne->chemin, fichier().chemin.string());
  EXPECT_EQ(bilan.panne->raison, "No such file or directory");
  EXPECT_EQ(journal.lignes, (Lignes{"PortOpen 1", "abandonner"}));
  EXPECT_FALSE(port.PortOpen());
}

TEST_F(EnvoiTest, PortQuiNeSOuvrePasNeLitPasLeFichier) {
  port.CommPort(3);
  journal.lignes.clear();
  port.echecOuverture = Panne::Genre::PortIntrouvable;
  const auto bilan = envoyerContenu("$A*41\r\n");
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::PortIntrouvable);
  EXPECT_EQ(bilan.panne->numeroPort, 3);
  EXPECT_EQ(bilan.panne->peripherique, "/dev/ttyS2");
  EXPECT_EQ(journal.lignes, (Lignes{"PortOpen 1", "abandonner"}));
}

TEST_F(EnvoiTest, LiaisonCoupeeEnCoursArreteToutEtCompteCeQuiEstParti) {
  port.echecOutputNumero = 2;
  const auto bilan = envoyerContenu("$A*41\r\n\r\n$B*42\r\n\r\n$C*43\r\n");
  ASSERT_TRUE(bilan.panne);
  EXPECT_EQ(bilan.panne->genre, Panne::Genre::LiaisonCoupee);
  EXPECT_EQ(bilan.envoyees, 1);
  EXPECT_EQ(journal.lignes, (Lignes{"PortOpen 1", "fenetre ", "Output $A*41\\r\\n", "fenetre $A*41\\r\\n", "Sleep 600",
                                    "result 1", "fenetre ", "result 1", "fenetre ", "Output !", "abandonner"}));
}

}  // namespace
}  // namespace zor::serie
