#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// The window tests need an application object; they run on the offscreen platform, so no
// display is needed. The last layout and the view settings are kept in folders of the
// test's own, never in the user's.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QTemporaryDir state, config;
  if (qEnvironmentVariableIsEmpty("VD_KILL_CHILD")) {
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
