// main() of every test program: the toolkit runs on the offscreen platform, so widget tests
// drive the real window without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("ZOR_SOURCE_DIR", ZOR_SOURCE_DIR_DEFAUT, 0);
  ::setenv("ZOR_BUILD_DIR", ZOR_BUILD_DIR_DEFAUT, 0);
  // The developer's own zor.conf must not choose the devices behind Comm1 to Comm4 here.
  ::setenv("XDG_CONFIG_HOME", ZOR_BUILD_DIR_DEFAUT "/tests/sans-configuration", 1);
  // What a download rescues goes into the tests' own folder, not into the developer's.
  ::setenv("XDG_STATE_HOME", ZOR_BUILD_DIR_DEFAUT "/tests/etat", 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
