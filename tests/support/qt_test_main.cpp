// Test entry for the Qt areas: one QApplication for the whole program, headless, on a
// fixed 1024 x 768 screen so window geometry is the same on every machine.
#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "runtime/qt/input.h"
#include "support/test_time_limit.h"

// Fontconfig keeps caches for the life of the process; a test that ends the process from
// inside the program (a death test) must not fail on them. Memory the speech library itself
// loses now and then when speech is cut short is not ours to free, nor what the desktop bus
// library keeps for a program started on a real X server.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libespeak-ng\nleak:libdbus-1\n";
}

// The simulated mouse and keys live outside the program's state, so its reset does not reach
// them: every test starts with the real ones, whatever the test before it left behind.
class ClearSimulatedInput final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    bg::testing::clearSimulatedMouse();
    bg::testing::clearSimulatedModifiers();
  }
};

int main(int argc, char** argv) {
  // Each test process gets a home of its own: the tests save preferences and games, which must
  // never reach the user's folders nor meet those of a test program running beside this one.
  const QString home = QDir::temp().filePath(QStringLiteral("bg-test-home-%1").arg(getpid()));
  QDir(home).removeRecursively();
  QDir().mkpath(home);
  qputenv("HOME", home.toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toLocal8Bit());
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    const QString config = QDir::temp().filePath(QStringLiteral("bg-test-screen-%1.json").arg(getpid()));
    QFile f(config);
    if (f.open(QIODevice::WriteOnly)) {
      f.write(R"({"synchronousWindowSystemEvents": true, "windowFrameMargins": false,
                  "screens": [{"name": "main", "x": 0, "y": 0, "width": 1024, "height": 768,
                               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.0}]})");
      f.close();
      platform = "offscreen:configfile=" + config.toLocal8Bit();
    } else {
      platform = "offscreen";
    }
  }
  qputenv("QT_QPA_PLATFORM", platform);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ClearSimulatedInput);
  bg::testing::limitEachTestsTime();
  const int status = RUN_ALL_TESTS();
  QFile::remove(QDir::temp().filePath(QStringLiteral("bg-test-screen-%1.json").arg(getpid())));
  QDir(home).removeRecursively();
  return status;
}
