// The about box on Qt: its window, a widget where the box puts each control, and how it goes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "qt/apparence.h"
#include "qt/apropos_qt.h"
#include "tests/about/outils_apropos.h"
#include "tests/support/seams.h"

namespace zor::qt {
namespace {

void viderSuppressions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class FrmAboutQtTest : public ::testing::Test {
 public:
  void SetUp() override { ouvrir(); }
  void TearDown() override {
    delete boite.data();
    viderSuppressions();
  }
  void ouvrir() {
    modele = std::make_unique<apropos::frmAbout>(apropos::frmAbout::Services{messages.repondeur(), lanceur.lanceur()});
    boite = new FrmAboutQt(*modele);
    boite->afficher();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(boite));
  }
  // Whether the box was unloaded and its window is gone, widgets and all.
  bool disparue() {
    viderSuppressions();
    return modele->decharge() && boite.isNull();
  }
  QPushButton* bouton(const Controle& c) { return qobject_cast<QPushButton*>(boite->widget(c)); }

  test::ScriptMessages messages;
  test::LanceurObserve lanceur;
  test::RegistreTemporaire registre;  // empty: no system-information program anywhere
  std::unique_ptr<apropos::frmAbout> modele;
  QPointer<FrmAboutQt> boite;
};

TEST_F(FrmAboutQtTest, ChaqueControleALaPlaceEtAvecLeTexteDuModele) {
  for (Controle* c : modele->controles()) {
    QWidget* w = boite->widget(*c);
    ASSERT_NE(w, nullptr) << c->nom();
    const Rectangle& r = c->description().position;
    EXPECT_EQ(w->pos(), QPoint(boite->px(r.gauche), boite->px(r.haut))) << c->nom();
    if (c->genre() == Genre::Image) {
      EXPECT_EQ(w->size(), QSize(32, 32));  // it sizes itself to its picture
      continue;
    }
    EXPECT_EQ(w->size(), QSize(boite->px(r.largeur), boite->px(r.hauteur))) << c->nom();
    const QString texte = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : bouton(*c)->text();
    EXPECT_EQ(texte.toStdString(), c->Caption()) << c->nom();
    if (c->description().texte) {
      EXPECT_EQ(w->palette().color(QPalette::WindowText), QColor(Qt::black)) << c->nom();
    }
  }
  EXPECT_EQ(boite->windowTitle(), QStringLiteral("À propos de ZOR"));
  EXPECT_EQ(modele->lblVersion.Caption(), "Version 3.0.0");
  EXPECT_EQ(modele->lblDescription.Caption(),
            "Cette application permet d'injecter un profil de carte ou des waypoints dans un ZOR FX312 4X4 à partir "
            "d'un fichier format ZOR (*.txt), ou G7towin (*txt) ou directement issu d'Autoroute Express (*axe). Il "
            "permet également de recupérer les waypoint du GPS ( en *.txt) pour sauvegarde.");
}

TEST_F(FrmAboutQtTest, FenetreFixeHorsDeLaBarreDesTachesALaPlacePrevue) {
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
  EXPECT_NEAR(QFontInfo(boite->font()).pointSizeF(), 8.25, 0.5);
  const QImage icone = pixmap(Image::APropos, 32).toImage();
  int peints = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) peints += qAlpha(icone.pixel(x, y)) > 0;
  EXPECT_GT(peints, 200);
}

TEST_F(FrmAboutQtTest, SeparateurGraveDeDeuxLignes) {
  const QImage image = boite->grab().toImage();
  const int x = boite->px(3000);
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2445))), QColor(128, 128, 128));
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2460))), QColor(255, 255, 255));
  EXPECT_EQ(QColor(image.pixel(x, boite->px(2460) + 1)), QColor(255, 255, 255));
  EXPECT_NE(QColor(image.pixel(x, boite->px(2460) + 2)), QColor(255, 255, 255));
  EXPECT_NE(QColor(image.pixel(x, boite->px(2445) - 1)), QColor(128, 128, 128));
  // The grey line starts a little left of the white one.
  EXPECT_EQ(QColor(image.pixel(boite->px(90), boite->px(2445))), QColor(128, 128, 128));
}

TEST_F(FrmAboutQtTest, OkEstLeBoutonParDefautEtALeFocus) {
  EXPECT_TRUE(bouton(modele->cmdOK)->isDefault());
  EXPECT_EQ(boite->focusWidget(), bouton(modele->cmdOK));
  QTest::keyClick(bouton(modele->cmdOK), Qt::Key_Tab);
  EXPECT_EQ(boite->focusWidget(), bouton(modele->cmdSysInfo));
}

TEST_F(FrmAboutQtTest, ChaqueFaconDeFermerDechargeLaBoite) {
  struct Cas {
    const char* nom;
    std::function<void(FrmAboutQtTest&)> fermer;
  };
  const Cas cas[] = {
      {"clic sur OK", [](FrmAboutQtTest& t) { QTest::mouseClick(t.bouton(t.modele->cmdOK), Qt::LeftButton); }},
      {"Entrée", [](FrmAboutQtTest& t) { QTest::keyClick(t.bouton(t.modele->cmdOK), Qt::Key_Return); }},
      {"Echap", [](FrmAboutQtTest& t) { QTest::keyClick(t.bouton(t.modele->cmdOK), Qt::Key_Escape); }},
      {"Echap avec le focus sur l'autre bouton",
       [](FrmAboutQtTest& t) {
         t.bouton(t.modele->cmdSysInfo)->setFocus();
         QTest::keyClick(t.bouton(t.modele->cmdSysInfo), Qt::Key_Escape);
       }},
      {"case de fermeture", [](FrmAboutQtTest& t) { t.boite->close(); }},
      {"fermeture par le gestionnaire de fenêtres", [](FrmAboutQtTest& t) { t.boite->windowHandle()->close(); }},
  };
  for (const auto& c : cas) {
    if (disparue()) ouvrir();
    c.fermer(*this);
    EXPECT_TRUE(disparue()) << c.nom;
  }
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(FrmAboutQtTest, InfosSystemeIndisponiblesDonneLeMessageEtLaBoiteResteOuverte) {
  registre.supprimer();
  QTest::mouseClick(bouton(modele->cmdSysInfo), Qt::LeftButton);
  ASSERT_EQ(messages.vus().size(), 1u);
  EXPECT_EQ(messages.vus().front().texte, "Les informations système ne sont pas disponibles actuellement");
  EXPECT_TRUE(lanceur.lances().empty());
  EXPECT_FALSE(disparue());
  EXPECT_TRUE(boite->isVisible());
  // Enter on the focused system-information button presses it, not "OK".
  bouton(modele->cmdSysInfo)->setFocus();
  QTest::keyClick(bouton(modele->cmdSysInfo), Qt::Key_Return);
  EXPECT_EQ(messages.vus().size(), 2u);
  EXPECT_FALSE(disparue());
}

TEST_F(FrmAboutQtTest, InfosSystemeLanceLeProgrammeDuRegistre) {
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
}  // namespace zor::qt
