// "Lire du GPS" from the file to the summary: what the download file holds after each ending,
// what the user is told, and the recordings of real sessions replayed against the files they
// must give.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "serial/brut.h"
#include "serial/telechargement.h"
#include "tests/serial/liaison_scriptee.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;

std::string lecture(char tete) { return std::string(62, tete) + "\r\n"; }

TEST(Telechargement, FichierEtResumeSelonLaFin) {
  const std::string a = lecture('A'), b = lecture('B'), c = lecture('C');
  struct Cas {
    const char* nom;
    std::optional<std::string> avant;  // the download file before; nothing: absent
    FichierReception::Vidage vidage;
    std::string flux;                  // all there at once
    std::function<void(test::ScenarioLiaison&, Telechargement&)> preparer;
    std::optional<std::string> apres;  // the file afterwards (a failed download keeps all that
                                       // came after the first CR); nothing: absent
    std::vector<std::string> resume;   // paragraphs of the summary, in order; empty: nothing to say
    bool secours = false;              // the collected text went to a file of its own
  };
  const auto rien = [](test::ScenarioLiaison&, Telechargement&) {};
  const auto interrompre = [](test::ScenarioLiaison& s, Telechargement& d) {
    d.reception.interrompu = [&s] { return s.horloge->maintenant() - Instant{} > 1000ms; };
  };
  const std::string cycle = "\r" + a + b + c + a + b;
  const Cas cas[] = {
      {"réussi, fenêtre", "ancien", FichierReception::Vidage::Immediat, cycle, rien, b + c + a + "\r\n", {}},
      {"réussi, zor-cli", std::nullopt, FichierReception::Vidage::ALaFin, cycle, rien, b + c + a + "\r\n", {}},
      {"rien reçu : le fichier reste", "ancien", FichierReception::Vidage::Immediat, "", rien, "ancien",
       {"Le GPS n'a rien envoyé", "Rien n'a été reçu : c:\\zor.txt n'a pas été modifié."}},
      {"rien reçu, fichier absent", std::nullopt, FichierReception::Vidage::Immediat, "", rien, std::nullopt,
       {"Le GPS n'a rien envoyé", "Rien n'a été reçu"}},
      {"silence après deux lectures : écrit quand même", "ancien", FichierReception::Vidage::Immediat, "\r" + a + b + c,
       rien, a + b + c + "\r\n", {"Le GPS n'a rien envoyé", "2 enregistrement(s) reçu(s) ont été écrits dans c:\\zor.txt."}},
      {"interrompu : le fichier reste, le reçu est gardé", "ancien", FichierReception::Vidage::Immediat,
       "\r" + a + b + c + a + c, interrompre, "ancien",
       {"Transfert interrompu", "enregistrement(s) reçu(s) ont été gardés dans", "c:\\zor.txt n'a pas été modifié."},
       true},
      {"port refusé", "ancien", FichierReception::Vidage::Immediat, "",
       [](test::ScenarioLiaison& s, Telechargement&) {
         s.refus = [](const PortDesigne& p) { return erreurDuPort(p, Erreur::Genre::PortOccupe, EBUSY); };
       },
       "ancien", {"déjà utilisé par un autre programme", "Rien n'a été reçu"}},
  };
  for (const Cas& k : cas) {
    test::LecteurCTemporaire lecteur;
    test::VariableEnvironnement temporaire("TMPDIR", lecteur.chemin().string());
    const std::filesystem::path chemin = lecteur.chemin() / "zor.txt";
    if (k.avant) test::ecrireOctets(chemin, *k.avant);
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.ajouter(k.flux);
    Telechargement demande;
    demande.fichier = {chemin, "c:\\zor.txt"};
    demande.vidage = k.vidage;
    demande.reception.silenceMax = 2s;
    k.preparer(s, demande);
    MSComm port{test::servicesScriptes(s)};
    const auto bilan = telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
    EXPECT_FALSE(port.PortOpen()) << k.nom;
    EXPECT_FALSE(s.ouvert) << k.nom;
    if (k.apres) {
      EXPECT_EQ(test::visible(test::lireOctets(chemin)), test::visible(*k.apres)) << k.nom;
    } else {
      EXPECT_FALSE(std::filesystem::exists(chemin)) << k.nom;
    }
    const std::string resume = resumer(bilan, demande);
    std::size_t position = 0;
    for (const std::string& paragraphe : k.resume) {
      const std::size_t trouve = resume.find(paragraphe, position);
      EXPECT_NE(trouve, std::string::npos) << k.nom << ": « " << paragraphe << " » dans\n" << resume;
      if (trouve != std::string::npos) position = trouve;
    }
    if (k.resume.empty()) {
      EXPECT_EQ(resume, "") << k.nom;
    }
    EXPECT_EQ(!bilan.secours.empty(), k.secours) << k.nom;
    if (!bilan.secours.empty()) {
      EXPECT_EQ(test::lireOctets(bilan.secours), a + b + c + a + c) << k.nom << ": all that came";
    }
  }
}

TEST(Telechargement, FichierQuiNePeutEtreCreeNOuvrePasLePort) {
  test::LecteurCTemporaire lecteur;
  test::HorlogeFactice h;
  test::ScenarioLiaison s{&h};
  Telechargement demande;
  demande.fichier = {lecteur.chemin(), "c:\\zor.txt"};  // a folder
  MSComm port{test::servicesScriptes(s)};
  const auto bilan = telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
  EXPECT_FALSE(bilan.fichierOuvert);
  ASSERT_TRUE(bilan.erreurFichier);
  EXPECT_EQ(bilan.erreurFichier->genre, Erreur::Genre::FichierNonCreable);
  EXPECT_TRUE(s.ouverts.empty());
  EXPECT_EQ(resumer(bilan, demande), decrire(*bilan.erreurFichier));
}

// Sessions recorded with real receivers (zor-cli download --brut), replayed byte for byte at
// their times: each must give the download file beside it.
TEST(Telechargement, EnregistrementsRejoues) {
  const std::filesystem::path donnees = std::filesystem::path(std::getenv("ZOR_SOURCE_DIR")) / "tests/serial/donnees";
  int rejoues = 0;
  for (const auto& entree : std::filesystem::directory_iterator(donnees)) {
    if (entree.path().extension() != ".brut") continue;
    const auto arrivees = lireBrut(test::lireOctets(entree.path()));
    ASSERT_TRUE(arrivees) << entree.path();
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    for (const Arrivee& a : *arrivees)
      s.arrivees.ajouter(a.octets, std::chrono::microseconds(static_cast<long long>(a.millisecondes * 1000)));
    test::LecteurCTemporaire lecteur;
    Telechargement demande;
    demande.fichier = {lecteur.chemin() / "zor.txt", "c:\\zor.txt"};
    MSComm port{test::servicesScriptes(s)};
    telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
    std::filesystem::path attendu = entree.path();
    attendu.replace_extension(".attendu");
    EXPECT_EQ(test::visible(test::lireOctets(demande.fichier.chemin)), test::visible(test::lireOctets(attendu)))
        << entree.path();
    ++rejoues;
  }
  EXPECT_GE(rejoues, 2);
}

}  // namespace
}  // namespace zor::serie
