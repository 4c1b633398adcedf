// zor-cli upload / download and zor-sim, run as a user runs them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <filesystem>

#include "tests/serial/outils_serie.h"
#include "tests/support/seams.h"

namespace zor::test {
namespace {

namespace fs = std::filesystem;

QString programme(const char* nom) {
  const char* dossier = std::getenv("ZOR_BUILD_DIR");
  return QString::fromStdString((fs::path(dossier != nullptr ? dossier : ZOR_DOSSIER_CONSTRUCTION) / nom).string());
}

struct Resultat {
  int code = -1;
  std::string sortie, erreurs;
};

Resultat lancer(const char* nom, const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(programme(nom), arguments);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
          p.readAllStandardError().toStdString()};
}

// zor-sim running beside the test; its first line names the device.
class Simulateur {
 public:
  explicit Simulateur(const QStringList& arguments) {
    processus_.start(programme("zor-sim"), arguments);
    processus_.waitForStarted();
    while (!processus_.canReadLine() && processus_.waitForReadyRead(5000)) {
    }
    const QString ligne = QString::fromUtf8(processus_.readLine()).trimmed();
    peripherique_ = ligne.section(QLatin1Char('='), 1);
  }
  ~Simulateur() {
    processus_.terminate();
    processus_.waitForFinished(5000);
  }
  QString peripherique() const { return peripherique_; }
  // What it printed, once `attendu` shows up (or after 5 s).
  std::string sortie(const std::string& attendu) {
    for (int i = 0; i < 50 && texte_.find(attendu) == std::string::npos; ++i) {
      processus_.waitForReadyRead(100);
      texte_ += processus_.readAllStandardOutput().toStdString();
    }
    return texte_;
  }

 private:
  QProcess processus_;
  QString peripherique_;
  std::string texte_;
};

TEST(Outils, EnvoiVersLeSimulateur) {
  LecteurCTemporaire dossier;
  const fs::path fichier = dossier.chemin() / "echange.txt";
  ecrireOctets(fichier, "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*00\r\n\r\n");
  Simulateur gps({"recevoir"});
  ASSERT_TRUE(gps.peripherique().startsWith("/dev/"));
  const auto r = lancer("zor-cli", {"upload", "--port", gps.peripherique(), QString::fromStdString(fichier.string())});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("2 : $GPWPL,4530.123,N,00130.456,E,PDC0020A*00"), std::string::npos) << r.erreurs;
  const std::string vu = gps.sortie("port fermé");
  EXPECT_NE(vu.find("somme juste   CR LF  4800 8N2  $GPWPL,4530.123,N,00130.456,E,PDC0010C*59"), std::string::npos) << vu;
  EXPECT_NE(vu.find("somme fausse (attendue 58) CR LF  4800 8N2  $GPWPL,4530.123,N,00130.456,E,PDC0020A*00"),
            std::string::npos)
      << vu;
}

TEST(Outils, ReceptionDepuisLeSimulateur) {
  LecteurCTemporaire dossier;
  auto enregistrement = [](const char* tete) {
    std::string s = tete;
    s.resize(62, ' ');
    return s;
  };
  const std::string a = enregistrement("WP1"), b = enregistrement("WP2"), c = enregistrement("WP3");
  ecrireOctets(dossier.chemin() / "gps.txt", a + "\n" + b + "\n" + c + "\n");
  ecrireOctets(dossier.chemin() / "sortie.txt", "ancien");
  Simulateur gps({"envoyer", QString::fromStdString((dossier.chemin() / "gps.txt").string()), "--debit", "0", "--attente",
                  "0", "--bruit", "xx"});
  auto env = QProcessEnvironment::systemEnvironment();
  env.insert("ZOR_COMM2", gps.peripherique());
  const auto r = lancer("zor-cli", {"download", "--port", "2", "-o", QString::fromStdString((dossier.chemin() / "sortie.txt").string())},
                        env);
  EXPECT_EQ(r.code, 0) << r.erreurs;
  // Reads start after the first CR, so each holds LF, a record and its CR.
  EXPECT_EQ(lireOctets(dossier.chemin() / "sortie.txt"), "\n" + c + "\r" + "\n" + a + "\r" + "\n" + b + "\r" + "\r\n");
  EXPECT_NE(r.erreurs.find("3 enregistrement(s) reçu(s)."), std::string::npos) << r.erreurs;
  EXPECT_NE(gps.sortie("caractère 26").find("caractère 26 reçu du programme"), std::string::npos);
}

TEST(Outils, ReceptionSurUnGpsMuetAvecDelaiCourt) {
  PairePty pty;
  const auto r = lancer("zor-cli", {"download", "--port", QString::fromStdString(pty.esclave()), "--timeout", "0.3"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "\r\n");
  EXPECT_NE(r.erreurs.find("depuis 0,3 secondes"), std::string::npos) << r.erreurs;
  EXPECT_EQ(pty.lire(1), "\x1a");
}

TEST(Outils, EchecsEtErreursDUsage) {
  LecteurCTemporaire dossier;
  ecrireOctets(dossier.chemin() / "e.txt", "$A*41\r\n");
  ecrireOctets(dossier.chemin() / "sortie.txt", "ancien");
  const QString e = QString::fromStdString((dossier.chemin() / "e.txt").string());
  const QString absent = QString::fromStdString((dossier.chemin() / "ttyAbsent").string());
  PairePty pty;
  const QString port = QString::fromStdString(pty.esclave());
  struct Cas {
    const char* nom;
    QStringList arguments;
    const char* message;
  };
  const Cas cas[] = {
      {"périphérique absent", {"upload", "--port", absent, e}, "est introuvable"},
      {"pas un port série", {"upload", "--port", "/dev/null", e}, "n'est pas un port série"},
      {"fichier absent", {"upload", "--port", port, QString::fromStdString((dossier.chemin() / "non.txt").string())},
       "Impossible de lire le fichier"},
      {"numéro hors de 1 à 4", {"upload", "--port", "7", e}, "1 à 4"},
      {"sans port", {"upload", e}, "il manque --port"},
      {"sans fichier", {"upload", "--port", "1"}, "il manque le fichier"},
      {"délai négatif", {"download", "--port", "1", "--timeout", "-2"}, "--timeout"},
      {"délai infini", {"download", "--port", "1", "--timeout", "inf"}, "--timeout"},
      {"délai démesuré", {"download", "--port", "1", "--timeout", "1e300"}, "--timeout"},
      {"réception sur un port absent",
       {"download", "--port", absent, "-o", QString::fromStdString((dossier.chemin() / "sortie.txt").string())},
       "n'a pas été modifié"},
  };
  for (const auto& c : cas) {
    const auto r = lancer("zor-cli", c.arguments);
    EXPECT_EQ(r.code, 2) << c.nom;
    EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << c.nom << "\n" << r.erreurs;
  }
  EXPECT_EQ(lireOctets(dossier.chemin() / "sortie.txt"), "ancien");
}

}  // namespace
}  // namespace zor::test
