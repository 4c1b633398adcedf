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

// Every ending of a download: the file planted before is replaced only by a download that
// ended as it should; any other ending leaves it byte for byte, keeps everything received
// after the first CR in a file readable by the user alone, and says what that file holds.
TEST(Telechargement, SeuleUneFinEnRegleRemplaceLeFichier) {
  const std::string a = lecture('A'), b = lecture('B'), c = lecture('C');
  const std::string ancien("ancien\r\n\xe9\x00", 10);
  std::string sansFin = "\r";
  for (char t = 'A'; t <= 'Z'; ++t) sansFin += lecture(t);
  std::string position;
  while (position.size() < 300) position += "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
  struct Cas {
    const char* nom;
    bool existait;
    std::string flux;  // all there at once
    std::function<void(test::ScenarioLiaison&, Telechargement&)> preparer;
    std::optional<std::string> nouveau;  // the file afterwards; nothing: as it was
    std::optional<std::string> secours;  // what is kept elsewhere
    std::vector<std::string> resume;     // paragraphs of the summary, in order; empty: nothing to say
  };
  const auto rien = [](test::ScenarioLiaison&, Telechargement&) {};
  const std::string intact = " ; c:\\zor.txt n'a pas été modifié.";
  const Cas cas[] = {
      {"réussi", true, "\r" + a + b + c + a + b, rien, b + c + a + "\r\n", std::nullopt, {}},
      {"réussi, fichier nouveau", false, "\r" + a + b + c + a + b, rien, b + c + a + "\r\n", std::nullopt, {}},
      {"rien reçu", true, "", rien, std::nullopt, std::nullopt,
       {"Le GPS n'a rien envoyé", "Rien n'a été reçu : c:\\zor.txt n'a pas été modifié."}},
      {"rien reçu, fichier absent", false, "", rien, std::nullopt, std::nullopt, {"Rien n'a été reçu"}},
      {"un enregistrement puis le silence", true, "xx\r" + a, rien, std::nullopt, a,
       {"Le GPS n'a rien envoyé", "Ce qui a été reçu après la première fin de ligne (64 octets, 1 ligne) a été gardé dans "}},
      {"trois enregistrements puis le silence", false, "\r" + a + b + c, rien, std::nullopt, a + b + c,
       {"(192 octets, 3 lignes) a été gardé dans "}},
      {"un CR puis le silence", true, "bruit\r", rien, std::nullopt, std::nullopt,
       {"Rien n'a été reçu après la première fin de ligne : c:\\zor.txt n'a pas été modifié."}},
      {"le caractère 26 du GPS puis le silence", true, "\r" + a + b + "\x1a", rien, std::nullopt, a + b + "\x1a",
       {"(129 octets, 3 lignes) a été gardé dans "}},
      {"--max", true, sansFin,
       [](test::ScenarioLiaison&, Telechargement& d) { d.reception.lecturesMax = 3; }, std::nullopt, sansFin.substr(1),
       {"sans revenir à son deuxième enregistrement", "(1664 octets, 26 lignes) a été gardé dans "}},
      {"interrompu", true, "\r" + a + b + c + a + c,
       [](test::ScenarioLiaison& s, Telechargement& d) {
         d.reception.interrompu = [&s] { return s.horloge->maintenant() - Instant{} > 1000ms; };
       },
       std::nullopt, a + b + c + a + c, {"Transfert interrompu", "(320 octets, 5 lignes) a été gardé dans "}},
      {"position au lieu des waypoints", true, "\r" + position, rien, std::nullopt, position,
       {"envoie sa position ($GPRMC)", "réglez le GPS pour envoyer ses waypoints", "(350 octets, 5 lignes) a été gardé dans "}},
      {"bruit sans fin de ligne", true, std::string(1307, 'x'), rien, std::nullopt, std::nullopt,
       {"1024 octets sans aucune fin de ligne",
        "Aucune fin de ligne dans les 1307 octets reçus : c:\\zor.txt n'a pas été modifié."}},
      {"port refusé", true, "",
       [](test::ScenarioLiaison& s, Telechargement&) {
         s.refus = [](const PortDesigne& p) { return erreurDuPort(p, Erreur::Genre::PortOccupe, EBUSY); };
       },
       std::nullopt, std::nullopt, {"déjà utilisé par un autre programme", "Rien n'a été reçu"}},
  };
  for (const Cas& k : cas) {
    test::LecteurCTemporaire lecteur;
    test::VariableEnvironnement etat("XDG_STATE_HOME", (lecteur.chemin() / "etat").string());
    const std::filesystem::path chemin = lecteur.chemin() / "zor.txt";
    if (k.existait) test::ecrireOctets(chemin, ancien);
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.ajouter(k.flux);
    Telechargement demande;
    demande.fichier = {chemin, "c:\\zor.txt"};
    demande.reception.silenceMax = 2s;
    k.preparer(s, demande);
    MSComm port{test::servicesScriptes(s)};
    const auto bilan = telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
    EXPECT_FALSE(port.PortOpen()) << k.nom;
    EXPECT_FALSE(s.ouvert) << k.nom;
    EXPECT_EQ(bilan.ecrit, k.nouveau.has_value()) << k.nom;
    if (k.nouveau || k.existait) {
      EXPECT_EQ(test::visible(test::lireOctets(chemin)), test::visible(k.nouveau.value_or(ancien))) << k.nom;
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
    ASSERT_EQ(!bilan.secours.empty(), k.secours.has_value()) << k.nom;
    if (k.secours) {
      EXPECT_EQ(test::visible(test::lireOctets(bilan.secours)), test::visible(*k.secours)) << k.nom << ": all that came";
      EXPECT_TRUE(test::seulementPourMoi(bilan.secours)) << k.nom;
      EXPECT_NE(resume.find("gardé dans " + bilan.secours.string() + intact), std::string::npos) << k.nom << "\n" << resume;
    }
  }
}

// The download ended as it should, but its file refuses the text: the file keeps what it held,
// and the text it would have held is kept elsewhere, counted as the file would have counted it.
TEST(Telechargement, FichierQuiRefuseLeTexte) {
  test::LecteurCTemporaire lecteur;
  test::VariableEnvironnement etat("XDG_STATE_HOME", (lecteur.chemin() / "etat").string());
  const std::filesystem::path dossier = lecteur.chemin() / "cle";
  const std::string a = lecture('A'), b = lecture('B'), c = lecture('C');
  struct Cas {
    FichierNomme fichier;
    bool retire;  // the folder goes (a USB stick pulled out) while the receiver sends
    int numero;
  };
  for (const Cas& k : {Cas{{dossier / "zor.txt", "c:\\zor.txt"}, true, ENOENT}, Cas{{"/dev/full", "/dev/full"}, false, ENOSPC}}) {
    std::filesystem::create_directories(dossier);
    test::ecrireOctets(dossier / "zor.txt", "ancien");
    test::HorlogeFactice h;
    test::ScenarioLiaison s{&h};
    s.arrivees.ajouter("\r" + a + b + c + a + b);
    if (k.retire) s.surEcriture = [&] { std::filesystem::remove_all(dossier); };
    Telechargement demande;
    demande.fichier = k.fichier;
    MSComm port{test::servicesScriptes(s)};
    const auto bilan = telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
    EXPECT_FALSE(bilan.ecrit) << k.fichier.nom;
    EXPECT_NE(std::filesystem::exists(dossier), k.retire) << "nothing made again where the folder was";
    ASSERT_TRUE(bilan.erreurFichier) << k.fichier.nom;
    EXPECT_EQ(bilan.erreurFichier->numeroSysteme, k.numero) << k.fichier.nom;
    ASSERT_FALSE(bilan.secours.empty()) << k.fichier.nom;
    EXPECT_EQ(test::lireOctets(bilan.secours), b + c + a + "\r\n") << k.fichier.nom;
    const std::string resume = resumer(bilan, demande);
    EXPECT_NE(resume.find("Impossible d'écrire le fichier " + k.fichier.nom), std::string::npos) << resume;
    EXPECT_NE(resume.find("3 enregistrement(s) reçu(s) ont été gardés dans " + bilan.secours.string() + " ; " +
                          k.fichier.nom + " n'a pas été modifié."),
              std::string::npos)
        << resume;
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

// Sessions recorded with zor-cli download --brut, replayed byte for byte at their times: each
// must give the download file beside it (.attendu), or, for a session that cannot end as it
// should, leave the file alone and keep what came (.secours).
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
    test::VariableEnvironnement etat("XDG_STATE_HOME", (lecteur.chemin() / "etat").string());
    Telechargement demande;
    demande.fichier = {lecteur.chemin() / "zor.txt", "c:\\zor.txt"};
    MSComm port{test::servicesScriptes(s)};
    const auto bilan = telecharger(port, h, demande, {[](std::string_view) {}, [](int) {}});
    std::filesystem::path attendu = entree.path();
    if (std::filesystem::exists(attendu.replace_extension(".attendu"))) {
      EXPECT_EQ(test::visible(test::lireOctets(demande.fichier.chemin)), test::visible(test::lireOctets(attendu)))
          << entree.path();
    } else {
      EXPECT_FALSE(std::filesystem::exists(demande.fichier.chemin)) << entree.path();
      EXPECT_EQ(test::visible(test::lireOctets(bilan.secours)),
                test::visible(test::lireOctets(attendu.replace_extension(".secours"))))
          << entree.path();
    }
    ++rejoues;
  }
  EXPECT_GE(rejoues, 2);
}

}  // namespace
}  // namespace zor::serie
