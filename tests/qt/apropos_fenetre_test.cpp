// The about box as the main window opens it on Qt, and the end of the program with both windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "tests/support/fenetre.h"

namespace zor::qt {
namespace {

void viderSuppressions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int boitesOuvertes() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<FrmAboutQt*>(w) != nullptr && w->isVisible()) ++n;
  return n;
}

class AProposFenetreTest : public test::FenetreQt {
 protected:
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmAboutQt*>(w) != nullptr) delete w;
    viderSuppressions();
  }
  void choisirAPropos() {
    QMenuBar* barre = form.menuBar();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(form.action(modele.zorfrmabout)).center());
  }
};

TEST_F(AProposFenetreTest, LeMenuAProposOuvreUneSeuleBoiteSansBloquerLaFenetre) {
  ASSERT_EQ(form.menuBar()->actions().size(), 1);
  EXPECT_EQ(form.action(modele.zorfrmabout)->text(), QStringLiteral("A propos"));
  choisirAPropos();
  QPointer<FrmAboutQt> boite = form.boiteAPropos();
  ASSERT_NE(boite, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(boite));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The main window keeps working while the box is open.
  QTest::mouseClick(w(modele.ok), Qt::LeftButton);
  EXPECT_TRUE(w(modele.Comm)->isVisible());
  // Chosen again: the same box, brought to the front.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  choisirAPropos();
  EXPECT_EQ(form.boiteAPropos(), boite.data());
  EXPECT_EQ(boitesOuvertes(), 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(boite));
  // Esc in the box closes the box only.
  QTest::keyClick(boite->widget(modele.boiteAPropos()->cmdOK), Qt::Key_Escape);
  viderSuppressions();
  EXPECT_TRUE(boite.isNull());
  EXPECT_FALSE(fin.termine());
  EXPECT_TRUE(form.isVisible());
  // And the next choice loads a new box.
  choisirAPropos();
  EXPECT_EQ(boitesOuvertes(), 1);
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

TEST_F(FinAvecLaBoiteTest, LaBoiteGardeLeProgrammeEnVieJusquaSaFermeture) {
  struct Cas {
    const char* nom;
    bool boite;
    std::function<void(FrmAboutQt&, apropos::frmAbout&)> fermer;
  };
  const Cas cas[] = {
      {"sans boîte", false, {}},
      {"OK", true, [](FrmAboutQt& b, apropos::frmAbout& m) { QTest::mouseClick(b.widget(m.cmdOK), Qt::LeftButton); }},
      {"Echap", true, [](FrmAboutQt& b, apropos::frmAbout& m) { QTest::keyClick(b.widget(m.cmdOK), Qt::Key_Escape); }},
      {"case de fermeture", true, [](FrmAboutQt& b, apropos::frmAbout&) { b.windowHandle()->close(); }},
  };
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  for (const auto& c : cas) {
    QPointer<Form1Qt> pointeur;
    app::Form1 modele{servicesQt(test::services(fin, messages), pointeur)};
    Form1Qt form(modele);
    pointeur = &form;
    form.show();
    bool encoreEnVie = !c.boite;
    QPointer<FrmAboutQt> boite;
    std::vector<std::function<void()>> etapes{[&] { form.close(); }};
    if (c.boite)
      etapes = {[&] { form.action(modele.zorfrmabout)->trigger(); },
                [&] {
                  boite = form.boiteAPropos();
                  form.close();
                },
                // Several turns of the loop later, the program still runs with the box alone.
                [&] { encoreEnVie = boite && boite->isVisible() && !form.isVisible(); },
                [&] {
                  if (boite) c.fermer(*boite, *modele.boiteAPropos());
                }};
    EXPECT_EQ(executer(etapes), 0) << c.nom;
    EXPECT_TRUE(encoreEnVie) << c.nom;
    EXPECT_TRUE(boite.isNull()) << c.nom;
    EXPECT_FALSE(fin.termine()) << c.nom;
  }
}

}  // namespace
}  // namespace zor::qt
