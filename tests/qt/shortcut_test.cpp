// Shortcut files and the Startup folder as desktop entries.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include "host/posix/gbk_convert.h"
#include "host/qt/qt_host.h"
#include "test_form.h"

namespace quarvel::qt_testing {
namespace {

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previousConfig); }
  Text Path(const QString& name) const {
    return posix::FromNativePath((dir.path() + "/" + name).toStdString());
  }

  QTemporaryDir dir;
  QByteArray previousConfig;
  QtHost host;
};

TEST_F(ShortcutTest, AShortcutRecordsItsTargetWhateverCharactersThePathHolds) {
  // A target with blanks, Chinese and the characters a desktop entry must escape.
  QDir(dir.path()).mkpath(QStringLiteral("程序 $1/100%"));
  const Text target = Path(QStringLiteral("程序 $1/100%/quar\"vel`"));
  QFile program(QString::fromStdString(posix::ToNativePath(target)));
  ASSERT_TRUE(program.open(QIODevice::WriteOnly));
  program.close();

  ASSERT_TRUE(host.CreateShortcut(Path(QStringLiteral("快捷")), target, "Quarvel"));
  // No dot in the name: ".lnk" is added, and the shortcut is a desktop entry beside it.
  EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/快捷.desktop")));
  EXPECT_TRUE(host.FileExists(Path(QStringLiteral("快捷.lnk"))));
  EXPECT_EQ(host.ShortcutTarget(Path(QStringLiteral("快捷.lnk"))), target);
  EXPECT_EQ(host.ShortcutTarget(Path(QStringLiteral("missing.lnk"))), "");
  EXPECT_TRUE(host.DeleteFile(Path(QStringLiteral("快捷.lnk"))));
  EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/快捷.desktop")));
}

TEST_F(ShortcutTest, AForeignEntryGivesItsProgramAndArgumentsWithoutFieldCodes) {
  QFile entry(dir.path() + "/other.desktop");
  ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
  entry.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/other --new-window %u\n");
  entry.close();
  EXPECT_EQ(host.ShortcutTarget(Path("other.lnk")), "\\usr\\bin\\other --new-window");
}

TEST_F(ShortcutTest, AutorunPutsAnEntryIntoTheAutostartFolderAndTakesItAway) {
  EXPECT_FALSE(host.SetAutorun("Quarvel", Path("no-such-program")));
  const Text target = Path("quarvel");
  QFile program(dir.path() + "/quarvel");
  ASSERT_TRUE(program.open(QIODevice::WriteOnly));
  program.close();

  ASSERT_TRUE(host.SetAutorun("Quarvel", target));
  const Text startup = host.SpecialFolder(SpecialFolderKind::Startup);
  EXPECT_EQ(startup, Path("config/autostart/"));
  EXPECT_TRUE(QFile::exists(dir.path() + "/config/autostart/Quarvel.desktop"));
  EXPECT_TRUE(host.FileExists(startup + "Quarvel.lnk"));
  EXPECT_EQ(host.ShortcutTarget(startup + "Quarvel.lnk"), target);

  EXPECT_TRUE(host.CancelAutorun("Quarvel"));
  EXPECT_FALSE(host.FileExists(startup + "Quarvel.lnk"));
  EXPECT_FALSE(host.CancelAutorun("Quarvel"));
}

}  // namespace
}  // namespace quarvel::qt_testing
