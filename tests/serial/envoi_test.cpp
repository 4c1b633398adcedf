// The upload, step by step against a scripted port and the fake clock: what goes on the wire,
// when the labels change, where the pauses fall, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <cerrno>

#include "serial/envoi.h"
#include "tests/serial/outils_serie.h"
#include "tests/support/seams.h"

namespace zor::serie {
namespace {

using Lignes = std::vector<std::string>;

class EnvoiTest : public ::testing::Test {
 protected:
  BilanEnvoi envoyerContenu(std::string_view contenu) {
    test::ecrireOctets(fichier().chemin, contenu);
    return envoyer();
  }
  BilanEnvoi envoyer() {
    Envoi envoi;
    envoi.numeroPort = numeroPort;
    envoi.fichier = fichier();
    envoi.interrompu = interrompu;
    return televerser(port, horloge, envoi, journal.affichage());
  }
  FichierNomme fichier() const { return {lecteur.chemin() / "$_t_e_m_p", "c:\\$_t_e_m_p"}; }
  // The journal from the opening of the port on.
  Lignes apresOuverture() const {
    return Lignes(std::find(journal.lignes.begin(), journal.lignes.end(), "PortOpen 1"), journal.lignes.end());
  }

  std::optional<int> numeroPort;
  std::function<bool()> interrompu;
  test::LecteurCTemporaire lecteur;
  test::Journal journal;
  test::HorlogeJournal horloge{journal};
  test::FauxPort port{journal, horloge};
};

TEST_F(EnvoiTest, UnePhraseSuivieDUneLigneVide) {
  numeroPort = 2;
  const auto bilan = envoyerContenu("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");
  EXPECT_FALSE(bilan.erreur);
  EXPECT_EQ(bilan.envoyees, 1);
  EXPECT_EQ(journal.lignes, (Lignes{
                                "Settings 4800,N,8,2",
                                "CommPort 2",
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

// The file is read as it goes: a file far larger than what is held at once, and a line
// without any line end, reach the receiver byte for byte, never as one huge write.
TEST_F(EnvoiTest, GrosFichiersEnvoyesMorceauParMorceau) {
  port.journaliserSorties = false;
  struct Cas {
    const char* nom;
    std::string contenu;
    std::string attendu;
    int phrases;
  };
  std::string gros, grosAttendu;
  for (int i = 0; i < 60000; ++i) {
    const std::string phrase = "$GPWPL,4530.123,N,00130.456,E,P" + std::to_string(100000 + i) + "*00";
    gros += phrase + "\r\n" + (i % 3 == 0 ? "commentaire\r\n" : "");
    grosAttendu += phrase + "\r\n";
  }
  const std::string sansFin = "$" + std::string(300000, 'Z');
  const std::string ignoree = "x" + std::string(300000, 'Z');
  const Cas cas[] = {
      {"fichier de plusieurs mégaoctets", gros, grosAttendu, 60000},
      {"une seule ligne sans CR", sansFin, sansFin + "\r\n", 1},
      {"une ligne qui remplit juste un morceau", "$" + std::string((1 << 16) - 1, 'Z') + "\r\n$B\r\n",
       "$" + std::string((1 << 16) - 1, 'Z') + "\r\n$B\r\n", 2},
      {"une longue ligne ignorée puis une phrase", ignoree + "\r\n$A*41\r\n", "$A*41\r\n", 1},
  };
  for (const auto& c : cas) {
    port.ecrit.clear();
    port.plusLongueSortie = 0;
    const auto bilan = envoyerContenu(c.contenu);
    EXPECT_FALSE(bilan.erreur) << c.nom;
    EXPECT_EQ(bilan.envoyees, c.phrases) << c.nom;
    EXPECT_TRUE(port.ecrit == c.attendu) << c.nom << ": " << port.ecrit.size() << " octets au lieu de " << c.attendu.size();
    EXPECT_LE(port.plusLongueSortie, 100000u) << c.nom;
  }
}

TEST_F(EnvoiTest, FichierVideOuvreEtFermeLePortSansToucherAuCompte) {
  const auto bilan = envoyerContenu("");
  EXPECT_FALSE(bilan.erreur);
  EXPECT_EQ(apresOuverture(), (Lignes{"PortOpen 1", "PortOpen 0"}));
}

TEST_F(EnvoiTest, FichierDEchangeIllisibleFermeLePortEtNommeLeFichier) {
  struct Cas {
    const char* nom;
    bool dossier;
    int numero;
  };
  for (const Cas& c : {Cas{"absent", false, ENOENT}, Cas{"un dossier", true, EISDIR}}) {
    journal.lignes.clear();
    std::filesystem::remove_all(fichier().chemin);
    if (c.dossier) std::filesystem::create_directory(fichier().chemin);
    const auto bilan = envoyer();
    ASSERT_TRUE(bilan.erreur) << c.nom;
    EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::FichierIllisible) << c.nom;
    EXPECT_EQ(bilan.erreur->numeroSysteme, c.numero) << c.nom;
    EXPECT_EQ(bilan.erreur->fichier, "c:\\$_t_e_m_p") << c.nom;
    EXPECT_EQ(bilan.erreur->chemin, fichier().chemin.string()) << c.nom;
    EXPECT_EQ(apresOuverture(), (Lignes{"PortOpen 1", "abandonner"})) << c.nom;
    EXPECT_FALSE(port.PortOpen()) << c.nom;
  }
}

TEST_F(EnvoiTest, PortQuiNeSOuvrePasNeLitPasLeFichier) {
  numeroPort = 3;
  port.echecOuverture = Erreur::Genre::PortIntrouvable;
  port.numeroEchecOuverture = ENOENT;
  const auto bilan = envoyerContenu("$A*41\r\n");
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::PortIntrouvable);
  EXPECT_EQ(bilan.erreur->numeroSysteme, ENOENT);
  EXPECT_EQ(bilan.erreur->numeroPort, 3);
  EXPECT_EQ(bilan.erreur->peripherique, "/dev/ttyS2");
  EXPECT_EQ(apresOuverture(), (Lignes{"PortOpen 1", "abandonner"}));
}

TEST_F(EnvoiTest, LiaisonCoupeeEnCoursArreteToutEtCompteCeQuiEstParti) {
  port.echecOutputNumero = 2;
  const auto bilan = envoyerContenu("$A*41\r\n\r\n$B*42\r\n\r\n$C*43\r\n");
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::LiaisonCoupee);
  EXPECT_EQ(bilan.envoyees, 1);
  EXPECT_EQ(apresOuverture(), (Lignes{"PortOpen 1", "fenetre ", "Output $A*41\\r\\n", "fenetre $A*41\\r\\n", "Sleep 600",
                                      "result 1", "fenetre ", "result 1", "fenetre ", "Output !", "abandonner"}));
}

TEST_F(EnvoiTest, InterruptionApresUnePhrase) {
  interrompu = [this] { return !port.ecrit.empty(); };
  const auto bilan = envoyerContenu("$A*41\r\n$B*42\r\n");
  ASSERT_TRUE(bilan.erreur);
  EXPECT_EQ(bilan.erreur->genre, Erreur::Genre::Interruption);
  EXPECT_EQ(bilan.envoyees, 1);
  EXPECT_EQ(port.ecrit, "$A*41\r\n");
  EXPECT_EQ(journal.lignes.back(), "abandonner");
}

}  // namespace
}  // namespace zor::serie
