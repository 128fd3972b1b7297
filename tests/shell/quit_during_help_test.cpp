// A quit that comes while the plain help text waits (the system's terminate signal, the
// board's close box, File > Quit) ends that wait as well: the quit runs once and nothing
// is left waiting for a help window.
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "dialogs/dialogs_install.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "display/message_line.h"
#include "interaction/board_waits.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/help_text_window.h"
#include "shell/quit_game.h"
#include "shell/startup.h"
#include "dialog_script.h"
#include "started_program.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/quit_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/mouse_script.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

int exits = 0;

class QuitDuringHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    oldData_ = dataFolder();
    oldPreferences_ = preferencesFolder();
    start();
  }
  // The program as it starts, in folders of its own; the end of the process is counted.
  void start(std::initializer_list<void (*)()> services = {installFlowServices, installDialogServices}) {
    windowClose(1);
    testing::startRuntime();
    ASSERT_TRUE(setDataFolder(folder_.filePath("data").toStdString()));
    ASSERT_TRUE(setPreferencesFolder(folder_.filePath("config").toStdString()));
    testing::startShell(services);
    storage.firstRun = 0;
    turnServices.quitGame = quitGame;
    exits = 0;
    quitServices.endProcess = [](int) { ++exits; };
    testing::setPosition("start | side 0");
    diceState.diceShowing = 0;
    storage.gameModified = 0;  // nothing to ask about at the quit
  }
  void TearDown() override {
    for (int16_t n : {kHelpTextWindow, int16_t{1}}) windowClose(n);
    setEventSlice(2);
    setDataFolder(oldData_);
    setPreferencesFolder(oldPreferences_);
  }
  QTemporaryDir folder_;
  std::filesystem::path oldData_, oldPreferences_;
  UseVirtualClock clock_;
};

TEST_F(QuitDuringHelp, AQuitEndsTheHelpWaitAndQuitsOnce) {
  const struct {
    const char* name;
    std::function<void()> quit;
  } rows[] = {{"terminate signal", [] { std::raise(SIGTERM); }},
              {"board's close box", [] { testing::clickCloseBox(1); }},
              {"File Quit", [] { chooseMenuItem(kFileMenu, kQuitItem); }},
              {"the quit key in the help", [] {
                 testing::typeKey(kHelpTextWindow, Qt::Key_Q, Qt::ControlModifier);
                 QTest::keyRelease(contentWidget(kHelpTextWindow)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
               }}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    // The context help waits until it is closed; the quit comes inside that wait.
    const testing::HelpWaitOutcome help = testing::actInsideTheHelpWait(row.quit, 200);
    EXPECT_TRUE(help.acted);
    EXPECT_EQ(exits, 1) << "the quit did not run to its end";
    EXPECT_FALSE(help.forced) << "the help still waited after the quit";
    EXPECT_FALSE(windowExists(kHelpTextWindow));
    EXPECT_EQ(appEvents.helpTextShowing, 0);
    start();  // the next row is a fresh start
  }
}

// File > Quit chosen while the help text is open, with a game to keep: the question whether
// to save it comes on the board, and the click on its No answers it (the help window's
// wait, which takes no board click, is over).
TEST_F(QuitDuringHelp, TheSaveQuestionOfAQuitOverTheHelpIsAnsweredOnTheBoard) {
  start({installFlowServices, installDialogServices, installBoardServices});
  setMouseVector(mouseEventHook);
  turnServices.pumpEvents = FBHandleEvents;  // the board's waits pump as the program's do
  storage.gameModified = -1;
  shell.saveGameOnExit = 0;
  bool chosen = false;
  bool clicked = false;
  bool forced = false;
  int ticks = 0;
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (!chosen) {
      if (!textViewExists(kHelpTextWindow)) return;
      chosen = true;
      chooseMenuItem(kFileMenu, kQuitItem);
      return;
    }
    const Rect& no = interactionDisplay.noButtonRect;
    if (!clicked && panelWait.questionPanelUp != 0 && no.right > no.left) {
      clicked = true;
      const Point p{static_cast<int16_t>((no.left + no.right) / 2), static_cast<int16_t>((no.top + no.bottom) / 2)};
      testing::simulateMouse(testing::MouseScript::globalOf(p), true);
      testing::pressAt(1, p);
      testing::simulateMouse(testing::MouseScript::globalOf(p), false);
      testing::releaseAt(1, p);
      return;
    }
    if (clicked && exits == 0 && ++ticks == 300) {
      // The click was not taken: the waits are let go, or the test would wait for good.
      forced = true;
      flow.abortTurn = kLeaveTurn;
      windowClose(kHelpTextWindow);
    }
  });
  t.start(0);
  testing::typeKey(1, Qt::Key_H);
  t.stop();
  setMouseVector(nullptr);
  testing::clearSimulatedMouse();
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(clicked) << "no question came";
  EXPECT_FALSE(forced) << "the click on No was not taken";
  EXPECT_EQ(exits, 1);
  EXPECT_FALSE(windowExists(kHelpTextWindow));
}

// While the help text is open the board's clicks are kept from the wait under it, which
// would take them once the help closes; a board wait begun meanwhile (a command chosen from
// the menu bar, the resignation's notice) takes them, or nothing could ever answer it.
TEST_F(QuitDuringHelp, TheBoardsClicksGoToAWaitBegunUnderTheHelpOnly) {
  setMouseVector(mouseEventHook);
  const struct {
    const char* name;
    int16_t helpShowing, boardWait;
    bool taken;
  } rows[] = {{"no help", 0, -1, true}, {"help over an older wait", -1, 0, false}, {"wait begun under the help", -1, -1, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    appEvents.helpTextShowing = row.helpShowing;
    panelWait.clickWaitRunning = row.boardWait;
    interactionDisplay.boardInputEvent = 0;
    testing::clickAt(1, Point{300, 200});
    testing::settle();
    EXPECT_EQ(interactionDisplay.boardInputEvent != 0, row.taken);
  }
  appEvents.helpTextShowing = 0;
  panelWait.clickWaitRunning = 0;
}

// The help's own wait starts with no board wait running, and the one it interrupted is
// running again when the help closes.
TEST_F(QuitDuringHelp, TheHelpSetsTheBoardWaitUnderItAsideForItsOwnTime) {
  panelWait.clickWaitRunning = -1;
  int16_t seen = 1;
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (!textViewExists(kHelpTextWindow) || seen != 1) return;
    seen = panelWait.clickWaitRunning;
    windowClose(kHelpTextWindow);
  });
  t.start(0);
  testing::typeKey(1, Qt::Key_H);
  t.stop();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(panelWait.clickWaitRunning, -1);
  panelWait.clickWaitRunning = 0;
}

// A command chosen while the help is open may begin a board wait of its own under it (the
// game going on, a new one started): the help's close box, Escape and Close item take the
// window away at once, not only when that wait has ended.
TEST_F(QuitDuringHelp, TheHelpClosesAtOnceOverAWaitBegunUnderIt) {
  start({installFlowServices, installDialogServices, installBoardServices});
  setMouseVector(mouseEventHook);
  turnServices.pumpEvents = FBHandleEvents;
  const struct {
    const char* name;
    std::function<void()> close;
  } rows[] = {{"close box", [] { testing::clickCloseBox(kHelpTextWindow); }},
              {"Escape", [] { testing::typeKey(kHelpTextWindow, Qt::Key_Escape); }},
              {"Close item", [] { chooseTextViewCommand(kHelpTextWindow, 3); }}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    bool closedUnderTheWait = false;
    const testing::HelpWaitOutcome help = testing::actInsideTheHelpWait(
        [&] {
          int ticks = 0;
          QTimer t;
          QObject::connect(&t, &QTimer::timeout, [&] {
            if (++ticks == 1) row.close();
            if (ticks < 40 && windowExists(kHelpTextWindow)) return;
            t.stop();
            closedUnderTheWait = !windowExists(kHelpTextWindow);
            testing::clickAt(1, Point{300, 200});  // ends the board's wait
          });
          t.start(0);
          waitForClickOrKey();
        },
        200);
    EXPECT_TRUE(help.acted);
    EXPECT_TRUE(closedUnderTheWait) << "the help stayed up while the wait under it ran";
    EXPECT_FALSE(help.forced);
    EXPECT_FALSE(windowExists(kHelpTextWindow));
    EXPECT_EQ(appEvents.helpTextShowing, 0);
  }
  setMouseVector(nullptr);
  panelWait.clickWaitRunning = 0;
}

}  // namespace
}  // namespace bg
