// How the Qt window hands the user's ways out to the model: Esc whatever has the focus, the
// double click on the background only, the close box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
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

TEST_F(QuitterTest, EchapTermineQuelQueSoitLeControleQuiALeFocus) {
  struct Cas {
    const char* nom;
    const Controle& focus;
  };
  const Cas cas[] = {
      {"option", modele.profil},
      {"liste des ports fermée", modele.Comm},
      {"liste des types fermée", modele.nom},
      {"bouton", modele.ouvrir},
  };
  modele.ok_Click();
  modele.ok1_Click();
  for (const auto& c : cas) {
    const int avant = fin.fois();
    QWidget* cible = w(c.focus);
    cible->setFocus();
    QApplication::processEvents();
    QWidget* recoit = QApplication::focusWidget() ? QApplication::focusWidget() : cible;
    QTest::keyClick(recoit, Qt::Key_Escape);
    EXPECT_EQ(fin.fois(), avant + 1) << c.nom;
  }
  EXPECT_TRUE(messages.vus().empty());
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

TEST_F(QuitterTest, DoubleClicSurLeFondDemandeConfirmationPuisTerminePourLesDeuxReponses) {
  for (auto reponse : {Reponse::Ok, Reponse::Cancel}) {
    const int avant = fin.fois();
    const std::size_t vus = messages.vus().size();
    messages.repondre(reponse);
    QTest::mouseDClick(form.client(), Qt::LeftButton, {}, QPoint(form.px(3000), form.px(2600)));
    ASSERT_EQ(messages.vus().size(), vus + 1);
    EXPECT_EQ(fin.fois(), avant + 1);
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

}  // namespace
}  // namespace zor::qt
