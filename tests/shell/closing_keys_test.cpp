// The keys that close what they opened: Ctrl+H hides the game and brings it back, and
// the context help closes by the help key again, F1, Escape or its own Close item.
#include <QImage>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/dialogs_install.h"
#include "dialogs/text_windows.h"
#include "flow/game_loop.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "shell/menu_commands.h"
#include "state/dice_state.h"
#include "state/menu_numbers.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "dialog_script.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int16_t kScoreboard = 335;

class ClosingKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;  // no welcome box at the first redraw
  }
  void TearDown() override {
    if (gameHidden()) showGameWindows();
    for (int16_t n : {kHiddenGameWindow, kHelpTextWindow, kScoreboard, int16_t{1}}) windowClose(n);
    setEventSlice(2);
  }
  static void choose(int16_t menu, int16_t item) { chooseMenuItem(menu, item), FBHandleEvents(); }
};

TEST_F(ClosingKeys, CtrlHHidesTheGameAndBringsItBack) {
  for (int round = 1; round <= 2; ++round) {
    testing::typeKey(1, Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(testing::pumpUntil([] { return gameHidden(); }, 5)) << round;
    EXPECT_FALSE(windowVisible(1)) << round;
    testing::typeKey(kHiddenGameWindow, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(testing::pumpUntil([] { return !gameHidden(); }, 5)) << round;
    // The press closed the small window, so the key's release reaches the board.
    QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(currentKeyModifiers(), 0) << round;
    EXPECT_TRUE(windowVisible(1)) << round;
    EXPECT_FALSE(windowExists(kHiddenGameWindow)) << round;
  }
}

TEST_F(ClosingKeys, TheContextHelpClosesByItsKeysAndItsCloseItem) {
  struct Row {
    const char* name;
    std::function<void()> close;
  };
  const Row rows[] = {
      {"H", [] { testing::typeKey(kHelpTextWindow, Qt::Key_H); }},
      {"F1", [] { testing::typeKey(kHelpTextWindow, Qt::Key_F1); }},
      {"Escape", [] { testing::typeKey(kHelpTextWindow, Qt::Key_Escape); }},
      {"Close item", [] { chooseTextViewCommand(kHelpTextWindow, 3); }},
      // Print > Print Help Text is on the board's menu bar: the click there gives the board
      // the keys, and the print dialog hands them on as it closes. Escape goes wherever
      // they are then.
      {"Escape after Print Help Text", [] {
         contentWidget(1)->activateWindow();
         const PrintDialogResponder before = setPrintDialogResponder([] { return PrintDialogAnswer{}; });
         chooseMenuItem(kPrintMenu, kPrintHelpTextItem), FBHandleEvents();
         setPrintDialogResponder(before);
         QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
       }},
  };
  testing::setPosition("start | side 0");
  diceState.diceShowing = 0;
  for (const Row& row : rows) {
    const testing::HelpWaitOutcome help = testing::actInsideTheHelpWait(row.close, 40);
    EXPECT_TRUE(help.acted) << row.name;
    EXPECT_FALSE(help.forced) << row.name << " left the help open";
    EXPECT_FALSE(windowExists(kHelpTextWindow)) << row.name;
    EXPECT_EQ(appEvents.helpTextShowing, 0) << row.name;
  }
}

// A help page from the Info menu closes by Escape, as by its Close item, and gives the keys
// and the menus back to the board; the wait for a roll had taken the game's menus.
TEST_F(ClosingKeys, AHelpPageClosesByEscape) {
  disableGameMenusDuringWait();
  choose(kInfoMenu, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kHelpWindow); }, 5));
  testing::typeKey(kHelpWindow, Qt::Key_Escape);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kHelpWindow); }, 5));
  EXPECT_EQ(textWindows.helpOpen, 0);
  for (int16_t m : {kFileMenu, kEditMenu, kGameMenu, kSettingsMenu, kOptionsMenu})
    EXPECT_TRUE(menuItemEnabled(m, 0)) << m << ": the menus stay off";
}

// Items enabled again look as they did at the start: no empty check box where no item
// ever had a mark.
TEST_F(ClosingKeys, CommandsItemsEnabledAgainLookAsBefore) {
  QMenu* commands = menuWidget(kComputerMenu);
  ASSERT_NE(commands, nullptr);
  commands->adjustSize();
  const QImage before = commands->grab().toImage();
  choose(kGameMenu, kTwoPlayersItem);
  // Two players come in with the OK of the box for their names.
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kScoreboard); }, 5));
  testing::typeKey(kScoreboard, Qt::Key_Return);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kScoreboard); }, 5));
  EXPECT_FALSE(menuItemEnabled(kComputerMenu, kComputerMenuItem)) << "two people have no computer's items";
  choose(kGameMenu, kComputerOpponentItem);
  commands->adjustSize();
  const QImage after = commands->grab().toImage();
  EXPECT_EQ(before.size(), after.size());
  EXPECT_TRUE(before == after) << "the Commands menu looks different after its items came back";
}

}  // namespace
}  // namespace bg
