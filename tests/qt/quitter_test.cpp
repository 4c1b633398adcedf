// How the Qt window hands the user's ways out to the model: Esc whatever has the focus, the
// double click on the background only, the close box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "tests/support/fenetre.h"

namespace zor::qt {
namespace {

using QuitterTest = test::FenetreQt;

TEST_F(QuitterTest, BoutonQuitterTermineSansQuestion) {
  QTest::mouseClick(w(modele.sortie), Qt::LeftButton);
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_TRUE(messages.vus().empty());
}

TEST(Quitter, EchapTermineQuelQueSoitLeControleQuiALeFocus) {
  struct Cas {
    const char* nom;
    Controle app::Form1::*focus;
  };
  const Cas cas[] = {
      {"option", &app::Form1::profil},
      {"liste des ports fermée", &app::Form1::Comm},
      {"liste des types fermée", &app::Form1::nom},
      {"bouton", &app::Form1::ouvrir},
  };
  for (const auto& c : cas) {
    test::FenetreQtSeule f;
    QWidget* cible = f.w(c.focus);
    cible->setFocus();
    QApplication::processEvents();
    QWidget* recoit = QApplication::focusWidget() ? QApplication::focusWidget() : cible;
    QTest::keyClick(recoit, Qt::Key_Escape);
    EXPECT_EQ(f.fin.fois(), 1) << c.nom;
    EXPECT_TRUE(f.messages.vus().empty()) << c.nom;
  }
}

TEST_F(QuitterTest, EchapAvecLeFocusSurLaFenetreElleMeme) {
  modele.sortie.Visible(false);  // as during a download: only the window's own handler can see Esc
  for (QWidget* w : form.client()->findChildren<QWidget*>()) w->setFocusPolicy(Qt::NoFocus);
  form.setFocus();
  QTest::keyClick(&form, Qt::Key_A);
  EXPECT_FALSE(fin.termine());
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(fin.fois(), 1);
}

TEST(Quitter, DoubleClicSurLeFondDemandeConfirmationPuisTerminePourLesDeuxReponses) {
  for (auto reponse : {Reponse::Ok, Reponse::Cancel}) {
    test::FenetreQtSeule f;
    f.messages.repondre(reponse);
    QTest::mouseDClick(f.form.client(), Qt::LeftButton, {}, QPoint(f.form.px(3000), f.form.px(2600)));
    EXPECT_EQ(f.messages.vus().size(), 1u);
    EXPECT_EQ(f.fin.fois(), 1);
  }
}

TEST_F(QuitterTest, DoubleClicSurUnControleNeFaitRien) {
  modele.ok_Click();
  modele.ok1_Click();
  for (const Controle* c : {&modele.zor, &modele.prtd, &modele.Typef, &modele.result, &modele.Label1, &modele.profil})
    QTest::mouseDClick(w(*c), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_FALSE(fin.termine());
}

TEST_F(QuitterTest, FermerLaFenetreNeTerminePasAuMilieuDUnGestionnaire) {
  // Closing goes through the unload handler and simply closes the window: the program ends
  // with its last window, not through the immediate end.
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(fin.termine());
}

// The program's real end: the quit path ends the event loop and exec() returns, so that main()
// returns and every window, device and file goes with its owner; a click that was already
// queued behind the quit path runs nothing.
TEST(FinDuProgramme, LaBoucleSArreteEtRienNeSExecuteApres) {
  struct Cas {
    const char* nom;
    std::function<void(Form1Qt&)> quitter;
  };
  const Cas cas[] = {
      {"Quitter", [](Form1Qt& f) { QTest::mouseClick(f.widget(f.modele().sortie), Qt::LeftButton); }},
      {"Echap", [](Form1Qt& f) { QTest::keyClick(f.widget(f.modele().profil), Qt::Key_Escape); }},
      {"double clic et sa question",
       [](Form1Qt& f) { QTest::mouseDClick(f.client(), Qt::LeftButton, {}, QPoint(f.px(3000), f.px(2600))); }},
  };
  for (const Cas& c : cas) {
    test::ScriptMessages messages;
    app::Services services = test::services(messages);
    services.fin = nullptr;  // the real one
    QPointer<Form1Qt> pointeur;
    app::Form1 modele{servicesQt(std::move(services), pointeur)};
    Form1Qt form(modele);
    pointeur = &form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form)) << c.nom;
    QTimer::singleShot(0, &form, [&] {
      QMetaObject::invokeMethod(
          &form, [&] { QTest::mouseClick(form.widget(modele.ok), Qt::LeftButton); }, Qt::QueuedConnection);
      c.quitter(form);
    });
    QTimer garde;
    garde.callOnTimeout([] { QCoreApplication::exit(99); });
    garde.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << c.nom;
    // What the loop left queued reaches the window now, as it would in a loop still running.
    QCoreApplication::processEvents();
    EXPECT_TRUE(modele.termine()) << c.nom;
    EXPECT_TRUE(modele.ok.Visible() && !modele.Comm.Visible()) << c.nom << " : le clic en attente a été pris";
  }
}

}  // namespace
}  // namespace zor::qt
