// Escape cancels a box: one with only a Done or OK closes as by its button, and what it
// would have changed stays as it was.
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/blot_risk_window.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/question_window.h"
#include "dialogs/statistics_dialogs.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/dialog_script.h"
#include "shell/startup.h"
#include "state/board_command_services.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/storage_state.h"
#include "state/shell_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int16_t kSoundWindow = 332;

class EscapeClosesBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;  // no welcome box at the first redraw
    boardCommandServices.showBlotRisk = showBlotRisk;
    testing::setPosition("start | side 0");
  }
  void TearDown() override {
    for (int16_t n : {kInfoBoxWindow, kSoundWindow, kTournamentStatsWindow, int16_t{1}}) windowClose(n);
    setEventSlice(2);
  }
};

// Boxes with a loop of their own: Escape typed once the loop runs. A box Escape leaves
// open is closed by its button after a while, so that the test ends either way.
struct LoopBox {
  const char* name;
  int16_t window;
  std::function<void()> open;  // returns when the box has closed
};

TEST_F(EscapeClosesBoxes, BoxesWithTheirOwnLoopCloseOnEscape) {
  const LoopBox rows[] = {
      {"information", kInformationWindow, [] { showMessageBox("Something to read."); }},
      {"board-frame help", kLargeMessageWindow, [] { chooseMenuItem(kComputerMenu, kFrameHelpItem), FBHandleEvents(); }},
      {"blot risk", kExplanationWindow, [] { testing::typeKey(1, Qt::Key_B), FBHandleEvents(); }},
      {"name entry", kNameEntryWindow, [] { chooseMenuItem(kPlayerMenu, kEnterNameItem), FBHandleEvents(); }},
  };
  for (const LoopBox& row : rows) {
    bool escaped = false;
    bool closedByButton = false;
    int ticks = 0;
    QTimer t;
    const int16_t box = row.window;
    QObject::connect(&t, &QTimer::timeout, [&] {
      if (!windowExists(box) || modalLoopWindow() != box) return;
      if (!escaped) {
        escaped = true;
        testing::typeKey(box, Qt::Key_Escape);
      } else if (++ticks == 30) {
        closedByButton = true;
        pressButton(box, 1);
      }
    });
    t.start(0);
    row.open();
    t.stop();
    EXPECT_TRUE(escaped) << row.name;
    EXPECT_FALSE(closedByButton) << row.name << ": Escape left the box open";
    EXPECT_FALSE(windowExists(box)) << row.name;
    testing::expectBackOnTheBoard(row.name);
  }
}

TEST_F(EscapeClosesBoxes, EscapeInTheNameEntryKeepsTheName) {
  shell.playerNames[0] = "Alice";
  int ticks = 0;
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (!windowExists(kNameEntryWindow) || modalLoopWindow() != kNameEntryWindow) return;
    if (ticks++ == 0) {
      testing::typeText(kNameEntryWindow, "Bob");
      testing::typeKey(kNameEntryWindow, Qt::Key_Escape);
    } else if (ticks == 30) {
      pressButton(kNameEntryWindow, 1);  // Escape left it open
    }
  });
  t.start(0);
  chooseMenuItem(kPlayerMenu, kEnterNameItem);
  FBHandleEvents();
  t.stop();
  EXPECT_LT(ticks, 30);
  EXPECT_EQ(shell.playerNames[0].view(), "Alice");
}

// Boxes the dispatcher serves: Escape is their Done.
TEST_F(EscapeClosesBoxes, DispatchedBoxesWithOnlyADoneCloseOnEscape) {
  // Tournament statistics, from the Player menu during a match.
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 5;
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kTournamentStatsItem, kTournamentStatsWindow));
  testing::typeKey(kTournamentStatsWindow, Qt::Key_Escape);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kTournamentStatsWindow); }, 6));
  testing::expectBackOnTheBoard("tournament statistics");
  flow.tournamentGoing = 0;
  // The help text box over the sound dialog: Escape goes back to the sound dialog, a second
  // Escape cancels that.
  ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, kSoundDialogItem, kSoundWindow));
  testing::clickControl(kSoundWindow, kSoundHelpButton);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kInfoBoxWindow); }, 6));
  testing::typeKey(kInfoBoxWindow, Qt::Key_Escape);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kInfoBoxWindow); }, 6));
  testing::expectDialogInFront(kSoundWindow, "back on the sound dialog");
  testing::typeKey(kSoundWindow, Qt::Key_Escape);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kSoundWindow); }, 6));
  testing::expectBackOnTheBoard("sound dialog");
}

}  // namespace
}  // namespace bg
