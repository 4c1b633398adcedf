// The about box on its own: its window, its controls and texts, and how it goes away.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "about/frmabout.h"
#include "tests/about/outils_apropos.h"
#include "tests/support/seams.h"

namespace zor::apropos {
namespace {

class FrmAboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    boite = new frmAbout(messages.repondeur(), lanceur.lanceur());
    boite->afficher();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(boite));
  }
  void TearDown() override {
    delete boite.data();
    test::viderSuppressions();
  }
  // Whether the box was unloaded and is gone, widgets and all.
  bool disparue() {
    test::viderSuppressions();
    return boite.isNull();
  }

  test::ScriptMessages messages;
  test::LanceurObserve lanceur;
  test::RegistreTemporaire registre;  // empty: no system-information program anywhere
  QPointer<frmAbout> boite;
};

TEST_F(FrmAboutTest, ControlesALeurPlaceAvecLeursTextes) {
  struct Cas {
    QWidget* controle;
    int gauche, haut, largeur, hauteur;
    QString texte;
  };
  const QString description = QStringLiteral(
      "Cette application permet d'injecter un profil de carte ou des waypoints dans un ZOR FX312 4X4 à partir d'un "
      "fichier format ZOR (*.txt), ou G7towin (*txt) ou directement issu d'Autoroute Express (*axe). Il permet "
      "également de recupérer les waypoint du GPS ( en *.txt) pour sauvegarde.");
  const Cas cas[] = {
      {boite->cmdOK, 4245, 2625, 1260, 345, QStringLiteral("OK")},
      {boite->cmdSysInfo, 4260, 3075, 1245, 345, QStringLiteral("&Infos système...")},
      {boite->lblDescription, 1050, 1125, 3885, 1170, description},
      {boite->lblDisclaimer, 255, 2640, 3870, 825,
       QStringLiteral("Avertissement: Toutes découvertes de bugs ou demande de modifications doivent être remontées à ") +
           kAdresseBugs + u'.'},
      {boite->lblTitle, 1050, 240, 3885, 480, QStringLiteral("ZOR")},
      {boite->lblVersion, 1050, 780, 3885, 225, QStringLiteral("Version 3.0.0")},
  };
  for (const auto& c : cas) {
    const QString nom = c.controle->objectName();
    EXPECT_EQ(c.controle->geometry(),
              QRect(boite->px(c.gauche), boite->px(c.haut), boite->px(c.largeur), boite->px(c.hauteur)))
        << nom.toStdString();
    const QString texte = qobject_cast<QLabel*>(c.controle) ? qobject_cast<QLabel*>(c.controle)->text()
                                                             : qobject_cast<QPushButton*>(c.controle)->text();
    EXPECT_EQ(texte, c.texte) << nom.toStdString();
    EXPECT_TRUE(c.controle->isVisible()) << nom.toStdString();
  }
  EXPECT_EQ(boite->windowTitle(), QStringLiteral("À propos de ZOR"));
  for (QLabel* noir : {boite->lblDescription, boite->lblDisclaimer, boite->lblTitle})
    EXPECT_EQ(noir->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_TRUE(boite->lblDescription->wordWrap());
  // The bug-report address is one of the project's own, on a domain reserved for examples.
  EXPECT_TRUE(kAdresseBugs.endsWith(QStringLiteral(".example")));
}

TEST_F(FrmAboutTest, FenetreFixeHorsDeLaBarreDesTachesALaPlacePrevue) {
  const Qt::WindowFlags drapeaux = boite->windowFlags();
  EXPECT_EQ(boite->windowType(), Qt::Tool);
  EXPECT_FALSE(drapeaux & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(drapeaux & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(drapeaux & Qt::WindowCloseButtonHint);
  EXPECT_EQ(boite->geometry(), QRect(boite->px(2340), boite->px(1935), boite->px(5730), boite->px(3555)));
  EXPECT_EQ(boite->minimumSize(), boite->maximumSize());
  EXPECT_FALSE(boite->isModal());
  EXPECT_EQ(boite->parentWidget(), nullptr);
  EXPECT_TRUE(boite->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_FALSE(boite->windowIcon().isNull());
  EXPECT_NEAR(QFontInfo(boite->font()).pointSizeF(), 8.25, 0.5);
}

TEST_F(FrmAboutTest, IconeDe32PixelsDessineeParLeProgramme) {
  const QImage image = imageAPropos().toImage();
  EXPECT_EQ(image.size(), QSize(32, 32));
  int peints = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) peints += qAlpha(image.pixel(x, y)) > 0;
  EXPECT_GT(peints, 200);
  EXPECT_EQ(boite->picIcon->pos(), QPoint(boite->px(240), boite->px(240)));
  EXPECT_EQ(boite->picIcon->size(), QSize(32, 32));
}

TEST_F(FrmAboutTest, SeparateurGraveDeDeuxLignes) {
  const QImage image = boite->grab().toImage();
  const int x = boite->px(3000);
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2445))), QColor(128, 128, 128));
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2460))), QColor(255, 255, 255));
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2460) + 1)), QColor(255, 255, 255));
  EXPECT_NE(QColor(image.pixel(x, boite->px(2460) + 2)), QColor(255, 255, 255));
  EXPECT_NE(QColor(image.pixel(x, boite->px(2445) - 1)), QColor(128, 128, 128));
  // The grey line starts a little left of the white one.
  EXPECT_EQ(QColor(image.pixel(boite->px(90), boite->px(2445))), QColor(128, 128, 128));
  EXPECT_EQ(boite->Line1[0].epaisseur, 2);
  EXPECT_EQ(boite->Line1[1].couleur, QColor(128, 128, 128));
}

TEST_F(FrmAboutTest, OkEstLeBoutonParDefautEtAnnulerEtALeFocus) {
  EXPECT_TRUE(boite->cmdOK->isDefault());
  EXPECT_EQ(boite->focusWidget(), boite->cmdOK);
  // Tab order: OK, then the system-information button.
  EXPECT_EQ(boite->cmdOK->nextInFocusChain(), boite->picIcon);
  boite->cmdOK->setFocus();
  QTest::keyClick(boite->cmdOK, Qt::Key_Tab);
  EXPECT_EQ(boite->focusWidget(), boite->cmdSysInfo);
}

TEST_F(FrmAboutTest, ChaqueFaconDeFermerDechargeLaBoite) {
  struct Cas {
    const char* nom;
    std::function<void(frmAbout&)> fermer;
  };
  const Cas cas[] = {
      {"clic sur OK", [](frmAbout& b) { QTest::mouseClick(b.cmdOK, Qt::LeftButton); }},
      {"Entrée", [](frmAbout& b) { QTest::keyClick(b.cmdOK, Qt::Key_Return); }},
      {"Echap", [](frmAbout& b) { QTest::keyClick(b.cmdOK, Qt::Key_Escape); }},
      {"Echap avec le focus sur l'autre bouton",
       [](frmAbout& b) {
         b.cmdSysInfo->setFocus();
         QTest::keyClick(b.cmdSysInfo, Qt::Key_Escape);
       }},
      {"case de fermeture", [](frmAbout& b) { b.close(); }},
      {"fermeture par le gestionnaire de fenêtres", [](frmAbout& b) { b.windowHandle()->close(); }},
  };
  for (const auto& c : cas) {
    if (boite.isNull()) {
      boite = new frmAbout(messages.repondeur(), lanceur.lanceur());
      boite->afficher();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(boite));
    }
    c.fermer(*boite);
    EXPECT_TRUE(boite.isNull() || boite->decharge()) << c.nom;
    EXPECT_TRUE(disparue()) << c.nom;
  }
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(FrmAboutTest, InfosSystemeIndisponiblesDonneLeMessageEtLaBoiteResteOuverte) {
  registre.supprimer();
  QTest::mouseClick(boite->cmdSysInfo, Qt::LeftButton);
  ASSERT_EQ(messages.vus().size(), 1u);
  EXPECT_EQ(messages.vus().front().texte, QStringLiteral("Les informations système ne sont pas disponibles actuellement"));
  EXPECT_TRUE(lanceur.lances().empty());
  EXPECT_FALSE(disparue());
  EXPECT_TRUE(boite->isVisible());
  EXPECT_FALSE(boite->decharge());

  // Enter on the focused system-information button presses it, not "OK".
  boite->cmdSysInfo->setFocus();
  QTest::keyClick(boite->cmdSysInfo, Qt::Key_Return);
  EXPECT_EQ(messages.vus().size(), 2u);
  EXPECT_FALSE(disparue());
}

TEST_F(FrmAboutTest, InfosSystemeLanceLeProgrammeDuRegistre) {
  test::LecteurCTemporaire lecteurC;
  registre.ecrire("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                  "\"PATH\"=\"C:\\\\Outils\\\\MSINFO32.EXE\"\n");
  ASSERT_TRUE(QTest::qWaitForWindowActive(boite));
  // Alt+I, the button's access key; the button shows itself pressed a moment before it acts.
  QTest::keySequence(boite->windowHandle(), QKeySequence(QStringLiteral("Alt+I")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !lanceur.lances().empty(); }, 2000));
  ASSERT_EQ(lanceur.lances().size(), 1u);
  EXPECT_EQ(lanceur.lances().front(), lecteurC.chemin() / "Outils" / "MSINFO32.EXE");
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_FALSE(disparue());
}

}  // namespace
}  // namespace zor::apropos
