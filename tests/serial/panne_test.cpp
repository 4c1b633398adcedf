// What the user is told: the port as "Comm2" with its device, or the file with its path, and
// the system's reason, for every kind of failure.
#include <gtest/gtest.h>

#include "serial/panne.h"

namespace zor::serie {
namespace {

TEST(Panne, ChaqueMessageNommeLePortLePeripheriqueEtLaRaison) {
  using G = Panne::Genre;
  const std::pair<G, const char*> cas[] = {
      {G::PortIntrouvable, "introuvable"}, {G::PortOccupe, "déjà utilisé"},        {G::PortInterdit, "pas le droit"},
      {G::PasUnPort, "pas un port série"},  {G::PortRefuse, "Impossible d'ouvrir"}, {G::LiaisonCoupee, "coupée"},
  };
  for (const auto& [genre, cle] : cas) {
    Panne p;
    p.genre = genre;
    p.numeroPort = 2;
    p.peripherique = "/dev/ttyS1";
    p.raison = "la raison du système";
    const QString t = decrire(p);
    EXPECT_TRUE(t.contains(QStringLiteral("Comm2 (/dev/ttyS1)"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("la raison du système"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QString::fromUtf8(cle))) << t.toStdString();
    EXPECT_EQ(t.contains(QStringLiteral("dialout")), genre == G::PortInterdit) << t.toStdString();
  }
}

TEST(Panne, PeripheriqueNommeDirectementEtSilence) {
  Panne p;
  p.genre = Panne::Genre::Silence;
  p.peripherique = "/dev/ttyUSB0";
  p.silenceMs = 30000;
  const QString t = decrire(p);
  EXPECT_TRUE(t.startsWith(QStringLiteral("Le GPS n'a rien envoyé sur le port de communication /dev/ttyUSB0 depuis 30 secondes.")))
      << t.toStdString();
  EXPECT_FALSE(t.contains(QStringLiteral("Comm")));
  p.silenceMs = 2500;
  EXPECT_TRUE(decrire(p).contains(QStringLiteral("depuis 2,5 secondes.")));
}

TEST(Panne, FichiersNommesCommeLeProgrammeEtSurCeSysteme) {
  Panne p;
  p.genre = Panne::Genre::FichierNonCreable;
  p.peripherique = "c:\\zor.txt";
  p.chemin = "/home/u/zor.txt";
  p.raison = "Permission denied";
  EXPECT_EQ(decrire(p), QStringLiteral("Impossible de créer le fichier c:\\zor.txt (/home/u/zor.txt) : Permission denied."));
  p.genre = Panne::Genre::FichierIllisible;
  p.peripherique = p.chemin = "echange.txt";
  p.raison = "No such file or directory";
  EXPECT_EQ(decrire(p), QStringLiteral("Impossible de lire le fichier echange.txt : No such file or directory."));
}

}  // namespace
}  // namespace zor::serie
