#pragma once
// The real main window on Qt for a test, built with the test seams (the messages answered by a
// script, the end of the program observed), shown, and brought to the type step through both
// "Ok" buttons.
#include <gtest/gtest.h>

#include <QTest>

#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::test {

class FenetreQt : public ::testing::Test {
 protected:
  void SetUp() override {
    fenetre = &form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  QWidget* w(const Controle& c) { return form.widget(c); }

  ScriptMessages messages;
  ObservateurFin fin;
  QPointer<qt::Form1Qt> fenetre;
  app::Form1 modele{qt::servicesQt(services(messages, fin), fenetre)};
  qt::Form1Qt form{modele};
};

// A window of its own, at the type step, for one case of a table: a quit path ends its program
// once, after which it takes nothing more.
struct FenetreQtSeule {
  FenetreQtSeule() {
    fenetre = &form;
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    modele.ok_Click();
    modele.ok1_Click();
  }
  QWidget* w(Controle app::Form1::*controle) { return form.widget(modele.*controle); }

  ScriptMessages messages;
  ObservateurFin fin;
  QPointer<qt::Form1Qt> fenetre;
  app::Form1 modele{qt::servicesQt(services(messages, fin), fenetre)};
  qt::Form1Qt form{modele};
};

class FenetreQtEtapeType : public FenetreQt {
 protected:
  void SetUp() override {
    FenetreQt::SetUp();
    modele.ok_Click();
    modele.ok1_Click();
  }
};

}  // namespace zor::test
