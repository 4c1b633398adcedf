// The about box as the main window opens it, and the end of the program with both windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QToolButton>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "about/frmabout.h"
#include "app/form1.h"
#include "tests/about/outils_apropos.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

int boitesOuvertes() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<apropos::frmAbout*>(w) != nullptr && w->isVisible()) ++n;
  return n;
}

class AProposFenetreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<apropos::frmAbout*>(w) != nullptr) delete w;
    test::viderSuppressions();
  }
  void choisirAPropos() {
    QMenuBar* barre = form.menuBar();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(form.zorfrmabout).center());
  }

  test::ObservateurFin fin;
  test::ScriptMessages messages;
  Form1 form{test::services(fin, messages)};
};

TEST_F(AProposFenetreTest, LeMenuAProposOuvreLaBoiteSansBloquerLaFenetre) {
  EXPECT_EQ(form.zorfrmabout->text(), QStringLiteral("A propos"));
  EXPECT_EQ(form.boiteAPropos(), nullptr);
  choisirAPropos();
  apropos::frmAbout* boite = form.boiteAPropos();
  ASSERT_NE(boite, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(boite));
  EXPECT_EQ(boite->windowTitle(), QStringLiteral("À propos de ZOR"));
  EXPECT_EQ(boite->parentWidget(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The main window keeps working while the box is open.
  QTest::mouseClick(form.ok, Qt::LeftButton);
  EXPECT_TRUE(form.Comm->isVisible());
  EXPECT_TRUE(boite->isVisible());
}

TEST_F(AProposFenetreTest, ChoisirDeuxFoisMontreUneSeuleBoiteRameneeDevant) {
  choisirAPropos();
  QPointer<apropos::frmAbout> premiere = form.boiteAPropos();
  ASSERT_TRUE(QTest::qWaitForWindowActive(premiere));
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  choisirAPropos();
  EXPECT_EQ(form.boiteAPropos(), premiere.data());
  EXPECT_EQ(boitesOuvertes(), 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(premiere));
}

TEST_F(AProposFenetreTest, ApresOkLaBoiteEstRechargeeAvecSesTextesRemisANeuf) {
  choisirAPropos();
  QPointer<apropos::frmAbout> premiere = form.boiteAPropos();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(premiere));
  premiere->setWindowTitle(QStringLiteral("autre"));
  premiere->lblTitle->setText(QStringLiteral("autre"));
  premiere->lblVersion->setText(QStringLiteral("autre"));
  QTest::mouseClick(premiere->cmdOK, Qt::LeftButton);
  EXPECT_EQ(boitesOuvertes(), 0);

  // Chosen again at once, before the unloaded box is even destroyed, and after.
  for (bool detruite : {false, true}) {
    if (detruite) {
      QTest::mouseClick(form.boiteAPropos()->cmdOK, Qt::LeftButton);
      test::viderSuppressions();
      EXPECT_TRUE(premiere.isNull());
    }
    choisirAPropos();
    apropos::frmAbout* nouvelle = form.boiteAPropos();
    ASSERT_NE(nouvelle, nullptr);
    EXPECT_NE(nouvelle, premiere.data());
    EXPECT_TRUE(nouvelle->isVisible());
    EXPECT_EQ(nouvelle->windowTitle(), QStringLiteral("À propos de ZOR"));
    EXPECT_EQ(nouvelle->lblTitle->text(), QStringLiteral("ZOR"));
    EXPECT_EQ(nouvelle->lblVersion->text(), QStringLiteral("Version 3.0.0"));
    EXPECT_EQ(boitesOuvertes(), 1);
  }
}

TEST_F(AProposFenetreTest, EchapDansLaBoiteNeFermeQueLaBoite) {
  choisirAPropos();
  QPointer<apropos::frmAbout> boite = form.boiteAPropos();
  ASSERT_TRUE(QTest::qWaitForWindowActive(boite));
  QTest::keyClick(boite->cmdOK, Qt::Key_Escape);
  test::viderSuppressions();
  EXPECT_TRUE(boite.isNull());
  EXPECT_FALSE(fin.termine());
  EXPECT_TRUE(form.isVisible());
}

// The program ends with its last window: the main window closed, an open about box keeps it
// running until the box is closed too.
class FinAvecLaBoiteTest : public ::testing::Test {
 protected:
  // Runs the real event loop over `etapes`, 50 ms apart; gives up after 5 s.
  int executer(std::vector<std::function<void()>> etapes) {
    int i = 0;
    for (auto& etape : etapes) QTimer::singleShot(50 * ++i, qApp, etape);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
  }
  test::ObservateurFin fin;
  test::ScriptMessages messages;
};

TEST_F(FinAvecLaBoiteTest, SansBoiteFermerLaFenetreTermineLeProgramme) {
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  Form1 form{test::services(fin, messages)};
  form.show();
  EXPECT_EQ(executer({[&] { form.close(); }}), 0);
}

TEST_F(FinAvecLaBoiteTest, LaBoiteGardeLeProgrammeEnVieJusquaSaFermeture) {
  struct Cas {
    const char* nom;
    std::function<void(apropos::frmAbout&)> fermer;
  };
  const Cas cas[] = {
      {"OK", [](apropos::frmAbout& b) { QTest::mouseClick(b.cmdOK, Qt::LeftButton); }},
      {"Echap", [](apropos::frmAbout& b) { QTest::keyClick(b.cmdOK, Qt::Key_Escape); }},
      {"case de fermeture", [](apropos::frmAbout& b) { b.windowHandle()->close(); }},
  };
  for (const auto& c : cas) {
    Form1 form{test::services(fin, messages)};
    form.show();
    bool encoreEnVie = false;
    QPointer<apropos::frmAbout> boite;
    const int code = executer({
        [&] { form.zorfrmabout->trigger(); },
        [&] {
          boite = form.boiteAPropos();
          form.close();
        },
        // Several turns of the loop later, the program still runs with the box alone.
        [&] { encoreEnVie = boite && boite->isVisible() && !form.isVisible(); },
        [&] {
          if (boite) c.fermer(*boite);
        },
    });
    EXPECT_TRUE(encoreEnVie) << c.nom;
    EXPECT_EQ(code, 0) << c.nom;
    EXPECT_TRUE(boite.isNull()) << c.nom;
    EXPECT_FALSE(fin.termine()) << c.nom;
  }
}

}  // namespace
}  // namespace zor::app
