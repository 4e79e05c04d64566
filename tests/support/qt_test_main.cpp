#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// The window tests need an application object; they run on the offscreen platform, so no
// display is needed. The last layout is kept in a state folder of the test's own, never in
// the user's.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QTemporaryDir state;
  if (qEnvironmentVariableIsEmpty("VD_KILL_CHILD")) {
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
