// The window program's command line.
#include <gtest/gtest.h>

#include "app/lancement.h"

namespace zor::app {
namespace {

TEST(Lancement, UnFichierAuPlusEtLesOptionsConnues) {
  using Q = Lancement::Quoi;
  struct Cas {
    std::vector<std::string> arguments;
    Q quoi;
    std::optional<std::string> fichier;
  } cas[] = {
      {{}, Q::Fenetre, std::nullopt},
      {{"trace.gpx"}, Q::Fenetre, "trace.gpx"},
      {{"--", "--version"}, Q::Fenetre, "--version"},
      {{"trace.gpx", "--version"}, Q::Version, std::nullopt},
      {{"-x", "--help"}, Q::Aide, std::nullopt},
      {{"-h"}, Q::Aide, std::nullopt},
      {{"-"}, Q::Fenetre, "-"},
      {{"-platform"}, Q::Erreur, std::nullopt},
      {{"a.gpx", "b.gpx"}, Q::Erreur, std::nullopt},
  };
  for (const Cas& c : cas) {
    const Lancement l = analyserLancement(c.arguments);
    const std::string quoi = c.arguments.empty() ? "(rien)" : c.arguments.front();
    EXPECT_EQ(l.quoi, c.quoi) << quoi;
    EXPECT_EQ(l.fichier, c.fichier) << quoi;
    EXPECT_EQ(l.erreur.empty(), c.quoi != Q::Erreur) << quoi;
  }
  EXPECT_NE(usageFenetre("zor.exe").find("zor-cli.exe --help"), std::string::npos);
  EXPECT_EQ(usageFenetre("zor.exe").find("man "), std::string::npos);
}

}  // namespace
}  // namespace zor::app
