// The first start on a real X server with no window manager, keys typed at the keyboard
// (through the server, to whichever window holds the keys): once the boxes are answered,
// the board takes Ctrl+Q without a click, and the name typed is kept.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dialogs/message_boxes.h"
#include "display/message_line.h"
#include "runtime/qt/qd_types.h"
#include "runtime/qt/windows.h"
#include "shell/startup.h"
#include "support/private_x_server.h"
#include "own_folders.h"

namespace bg {
namespace {

constexpr char kChildTest[] = "NoWindowManager.DISABLED_TheProgramAnsweredAtTheKeyboard";
constexpr int kKeysWentNowhere = 5;
constexpr int kEnoughTicks = 2000;  // the watcher's ticks before it gives up
constexpr int kChildMs = 60000;

int step = 0;
int ticks = 0;

// What a person types, sent to the window that holds the keys now.
void typeAtTheKeyboard(const QStringList& what) {
  if (QProcess::execute(QStringLiteral("xdotool"), what) != 0) std::_Exit(kKeysWentNowhere);
}

bool holdsTheKeys(int16_t n) { return windowVisible(n) && QApplication::activeWindow() == contentWidget(n); }

// Each key waits for the box it answers to be up; the board's keys wait for nothing.
void answerAtTheKeyboard() {
  if (++ticks > kEnoughTicks) std::_Exit(kKeysWentNowhere);
  switch (step) {
    case 0:
      if (!holdsTheKeys(kLargeMessageWindow)) return;
      typeAtTheKeyboard({QStringLiteral("key"), QStringLiteral("Return")});
      break;
    case 1:
      if (!holdsTheKeys(kNameEntryWindow)) return;
      typeAtTheKeyboard({QStringLiteral("type"), QStringLiteral("Ann")});
      typeAtTheKeyboard({QStringLiteral("key"), QStringLiteral("Return")});
      break;
    case 2:
      if (windowExists(kNameEntryWindow) || frontWindow() != 1 || modalWindowUp()) return;
      typeAtTheKeyboard({QStringLiteral("key"), QStringLiteral("ctrl+q")});
      break;
    case 3:
      if (emptyRect(interactionDisplay.noButtonRect)) return;  // the question whether to save the game
      typeAtTheKeyboard({QStringLiteral("key"), QStringLiteral("n")});
      break;
    default: return;
  }
  ++step;
}

// Run only by the test below, in a process of its own on the private X server.
TEST(NoWindowManager, DISABLED_TheProgramAnsweredAtTheKeyboard) {
  testing::OwnFolders::enter(std::filesystem::path(qgetenv(testing::kChildFoldersVariable).toStdString()));
  // The pointer rests off every window: keys reach only the window that holds them.
  typeAtTheKeyboard({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
  static QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, answerAtTheKeyboard);
  watcher.start(5);
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  runApplication(1, argv);
}

TEST(NoWindowManager, AfterTheFirstStartBoxesCtrlQReachesTheBoardWithoutAClick) {
  const testing::PrivateXServer x;
  if (!x.running()) GTEST_SKIP() << x.problem().toStdString();
  ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      << "xdotool types the keys: tools/deps.sh installs it";
  const testing::OwnFolders folders("bg-no-wm-");
  const testing::ChildRun run = x.runChildTest(kChildTest, folders.root(), kChildMs);
  ASSERT_TRUE(run.ended) << "the program did not end: Ctrl+Q at the keyboard went nowhere";
  EXPECT_EQ(run.status, QProcess::NormalExit);
  EXPECT_EQ(run.exitCode, 0) << "Ctrl+Q and N at the keyboard did not end the program\n" << run.said;
  QFile prefs(QString::fromStdString(folders.preferences().string()));
  ASSERT_TRUE(prefs.open(QIODevice::ReadOnly));
  EXPECT_TRUE(prefs.readAll().contains("Ann"));
}

}  // namespace
}  // namespace bg
