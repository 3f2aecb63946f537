// The Qt host tests need one QApplication for the whole run.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
  // No display is needed; the test environment sets this too, the line makes running the
  // binary by hand work the same way.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir runtime;
  if (!getenv("XDG_RUNTIME_DIR") && runtime.isValid()) {
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
  }
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
