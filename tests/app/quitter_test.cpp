// Every way out of the program, and the ways that must not end it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/form1.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

class QuitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  test::ObservateurFin fin;
  test::ScriptMessages messages;
  Form1 form{test::services(fin, messages)};
};

TEST_F(QuitterTest, BoutonQuitterTermineSansQuestion) {
  QTest::mouseClick(form.sortie, Qt::LeftButton);
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(QuitterTest, EchapTermineQuelQueSoitLeControleQuiALeFocus) {
  struct Cas {
    const char* nom;
    std::function<QWidget*(Form1&)> focus;
  };
  const Cas cas[] = {
      {"option", [](Form1& f) -> QWidget* { return f.profil; }},
      {"liste des ports fermée", [](Form1& f) -> QWidget* { return f.Comm; }},
      {"liste des types fermée", [](Form1& f) -> QWidget* { return f.nom; }},
      {"bouton", [](Form1& f) -> QWidget* { return f.ouvrir; }},
  };
  form.ok_Click();
  form.ok1_Click();
  for (const auto& c : cas) {
    const int avant = fin.fois();
    QWidget* cible = c.focus(form);
    cible->setFocus();
    QApplication::processEvents();
    QWidget* recoit = QApplication::focusWidget() ? QApplication::focusWidget() : cible;
    QTest::keyClick(recoit, Qt::Key_Escape);
    EXPECT_EQ(fin.fois(), avant + 1) << c.nom;
  }
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(QuitterTest, EchapAvecLeFocusSurLaFenetreElleMeme) {
  form.sortie->hide();  // as during a download: only the window's own handler can see Esc
  for (QWidget* w : form.client()->findChildren<QWidget*>()) w->setFocusPolicy(Qt::NoFocus);
  form.setFocus();
  QTest::keyClick(&form, Qt::Key_A);
  EXPECT_FALSE(fin.termine());
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(fin.fois(), 1);
}

TEST_F(QuitterTest, DoubleClicSurLeFondDemandeConfirmationPuisTerminePourLesDeuxReponses) {
  for (auto reponse : {platform::Reponse::Ok, platform::Reponse::Cancel}) {
    const int avant = fin.fois();
    const std::size_t vus = messages.vus().size();
    messages.repondre(reponse);
    QTest::mouseDClick(form.client(), Qt::LeftButton, {}, QPoint(form.px(3000), form.px(2600)));
    ASSERT_EQ(messages.vus().size(), vus + 1);
    const auto& vu = messages.vus().back();
    EXPECT_EQ(vu.texte, QStringLiteral("êtes-vous sûr de vouloir quitter le programme?"));
    EXPECT_EQ(vu.titre, QStringLiteral("ZOR"));
    EXPECT_EQ(vu.boutons, platform::Boutons::OkCancel);
    EXPECT_EQ(vu.icone, platform::Icone::Aucune);
    EXPECT_EQ(fin.fois(), avant + 1);
  }
}

TEST_F(QuitterTest, DoubleClicSurUnControleNeFaitRien) {
  form.ok_Click();
  form.ok1_Click();
  for (QWidget* w : std::initializer_list<QWidget*>{form.zor, form.prtd, form.Typef, form.result, form.Label1,
                                                    form.profil}) {
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(2, 2));
  }
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
}  // namespace zor::app
