#pragma once
// The real main window for a test, built with the test seams (the messages answered by a
// script, the end of the program observed), shown, and brought to the type step through both
// "Ok" buttons.
#include <gtest/gtest.h>

#include <QTest>

#include "app/form1.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::test {

class FenetreEtapeType : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.ok_Click();
    form.ok1_Click();
  }
  ScriptMessages messages;
  ObservateurFin fin;
  app::Form1 form{services(messages, fin)};
};

}  // namespace zor::test
