// Escape cancels a box: one with only a Done or OK closes as by its button, and what it
// would have changed stays as it was. The close box a window manager draws on every box
// does what Escape does.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/blot_risk_window.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "flow/game_loop.h"
#include "rollout/rollout_results_window.h"
#include "state/shell_services.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
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
    // The interaction's services include the named help texts the help buttons show.
    testing::startShell({installFlowServices, installDialogServices, installInteractionServices});
    storage.firstRun = 0;  // no welcome box at the first redraw
    boardCommandServices.showBlotRisk = showBlotRisk;
    testing::setPosition("start | side 0");
  }
  void TearDown() override {
    for (int16_t n : {kInfoBoxWindow, kSoundWindow, kTournamentStatsWindow, kSessionStatsWindow, kGameStatsWindow,
                      kMoreScoresWindow, kScoreboardWindow, kAboutWindow, kSpeakDiceWindow, kAutomaticMovesWindow,
                      kClickAfterMoveWindow, kRolloutSetupWindow, kDisplaySettingsWindow, kQuestionWindow, int16_t{1}})
      windowClose(n);
    setEventSlice(2);
  }
};

// Escape typed, or the window manager's close box clicked.
enum class Way { kEscape, kCloseBox };
constexpr Way kWays[] = {Way::kEscape, Way::kCloseBox};
std::string nameOf(Way w) { return w == Way::kEscape ? " by Escape" : " by its close box"; }
void leave(int16_t box, Way w) {
  if (w == Way::kEscape)
    testing::typeKey(box, Qt::Key_Escape);
  else
    testing::clickCloseBox(box);
}

// Boxes with a loop of their own: Escape typed once the loop runs. A box Escape leaves
// open is closed by its button after a while, so that the test ends either way.
struct LoopBox {
  const char* name;
  int16_t window;
  std::function<void()> open;  // returns when the box has closed
};

TEST_F(EscapeClosesBoxes, BoxesWithTheirOwnLoopCloseOnEscapeAndTheirCloseBox) {
  const LoopBox rows[] = {
      {"information", kInformationWindow, [] { showMessageBox("Something to read."); }},
      {"board-frame help", kLargeMessageWindow, [] { chooseMenuItem(kComputerMenu, kFrameHelpItem), FBHandleEvents(); }},
      {"blot risk", kExplanationWindow, [] { testing::typeKey(1, Qt::Key_B), FBHandleEvents(); }},
      {"name entry", kNameEntryWindow, [] { chooseMenuItem(kPlayerMenu, kEnterNameItem), FBHandleEvents(); }},
  };
  for (const Way way : kWays) {
    for (const LoopBox& row : rows) {
      const std::string name = row.name + nameOf(way);
      bool escaped = false;
      bool closedByButton = false;
      int ticks = 0;
      QTimer t;
      const int16_t box = row.window;
      QObject::connect(&t, &QTimer::timeout, [&] {
        if (!windowExists(box) || modalLoopWindow() != box) return;
        if (!escaped) {
          escaped = true;
          leave(box, way);
        } else if (++ticks == 30) {
          closedByButton = true;
          pressButton(box, 1);
        }
      });
      t.start(0);
      row.open();
      t.stop();
      EXPECT_TRUE(escaped) << name;
      EXPECT_FALSE(closedByButton) << name << ": the box stayed open";
      EXPECT_FALSE(windowExists(box)) << name;
      testing::expectBackOnTheBoard(name);
    }
  }
}

// Escape leaves the name as it was. The field's own menu (its right button) closed with
// Escape closes that menu only: Return then keeps the name typed.
TEST_F(EscapeClosesBoxes, EscapeInTheNameEntryKeepsTheName) {
  const struct {
    bool fieldMenu;
    const char* kept;
  } rows[] = {{false, "Alice"}, {true, "Bob"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fieldMenu ? "the field's menu, then Return" : "Escape");
    shell.playerNames[0] = "Alice";
    int ticks = 0;
    bool menuShown = false;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] {
      if (!windowExists(kNameEntryWindow) || modalLoopWindow() != kNameEntryWindow) return;
      ++ticks;
      if (ticks == 1) {
        testing::typeText(kNameEntryWindow, "Bob");
        if (!row.fieldMenu) {
          testing::typeKey(kNameEntryWindow, Qt::Key_Escape);
        } else {
          // What the right button gives the field.
          auto* field = contentWidget(kNameEntryWindow)->findChild<QLineEdit*>();
          QContextMenuEvent asked(QContextMenuEvent::Mouse, field->rect().center(),
                                  field->mapToGlobal(field->rect().center()));
          QApplication::sendEvent(field, &asked);
        }
      } else if (row.fieldMenu && !menuShown) {
        if (QWidget* menu = QApplication::activePopupWidget()) {
          menuShown = true;
          QTest::keyClick(menu, Qt::Key_Escape);
        }
      } else if (row.fieldMenu && QApplication::activePopupWidget() == nullptr && ticks < 30) {
        testing::typeKey(kNameEntryWindow, Qt::Key_Return);
      } else if (ticks == 30) {
        pressButton(kNameEntryWindow, 1);  // Escape left it open
      }
    });
    t.start(0);
    chooseMenuItem(kPlayerMenu, kEnterNameItem);
    FBHandleEvents();
    t.stop();
    EXPECT_LT(ticks, 30);
    EXPECT_EQ(menuShown, row.fieldMenu);
    EXPECT_EQ(shell.playerNames[0].view(), std::string_view(row.kept));
  }
}

// Boxes the dispatcher serves: Escape is their Done, back to the window they came from;
// there a second Escape closes that (a box with a Cancel cancels).
TEST_F(EscapeClosesBoxes, DispatchedBoxesCloseOnEscapeAndTheirCloseBox) {
  const auto fromMenu = [](int16_t menu, int16_t item) { return [=] { chooseMenuItem(menu, item); }; };
  const auto overBox = [](int16_t menu, int16_t item, int16_t under, int16_t button) {
    return [=] {
      ASSERT_TRUE(testing::openFromMenu(menu, item, under));
      testing::clickControl(under, button);
    };
  };
  const struct {
    const char* name;
    std::function<void()> open;
    int16_t window, under;
  } rows[] = {
      {"tournament statistics", fromMenu(kPlayerMenu, kTournamentStatsItem), kTournamentStatsWindow, 1},
      // Its control 2 is a figure, not a button.
      {"session statistics", fromMenu(kPlayerMenu, kSessionStatsItem), kSessionStatsWindow, 1},
      {"session statistics over the game's", overBox(kPlayerMenu, kGameStatsItem, kGameStatsWindow, 2),
       kSessionStatsWindow, kGameStatsWindow},
      {"more scores over the scoreboard", overBox(kPlayerMenu, kScoreboardItem, kScoreboardWindow, 25),
       kMoreScoresWindow, kScoreboardWindow},
      {"about", fromMenu(kInfoMenu, kInfoAboutItem), kAboutWindow, 1},
      {"help text over the sound dialog", overBox(kSettingsMenu, kSoundDialogItem, kSoundWindow, kSoundHelpButton),
       kInfoBoxWindow, kSoundWindow},
      {"game statistics", fromMenu(kPlayerMenu, kGameStatsItem), kGameStatsWindow, 1},
      // Boxes with a Cancel.
      {"speak dice", fromMenu(kSettingsMenu, kSpeakDiceItem), kSpeakDiceWindow, 1},
      {"automatic moves", fromMenu(kSettingsMenu, kAutomaticMovesItem), kAutomaticMovesWindow, 1},
      {"click after move", fromMenu(kSettingsMenu, kClickAfterMoveItem), kClickAfterMoveWindow, 1},
      {"rollout set-up", fromMenu(kGameMenu, kRolloutItem), kRolloutSetupWindow, 1},
      {"display settings", fromMenu(kSettingsMenu, kDisplaySettingsItem), kDisplaySettingsWindow, 1},
      {"close the session?", fromMenu(kGameMenu, kCloseSessionItem), kQuestionWindow, 1},
  };
  flow.tournamentGoing = 255;  // the tournament statistics are offered during a match
  flow.tournamentPoints = 5;
  for (const Way way : kWays) {
    for (const auto& row : rows) {
      const std::string name = row.name + nameOf(way);
      row.open();
      ASSERT_TRUE(testing::pumpUntil([&] { return windowExists(row.window); }, 6)) << name;
      leave(row.window, way);
      const bool escaped = testing::pumpUntil([&] { return !windowExists(row.window); }, 6);
      EXPECT_TRUE(escaped) << name << ": the box stayed open";
      if (!escaped) {  // its Done, so that the rows after it start on the board
        pressButton(row.window, 1);
        testing::pumpUntil([&] { return !windowExists(row.window); }, 6);
      }
      if (row.under != 1) {
        testing::expectDialogInFront(row.under, name);
        leave(row.under, way);
        const bool under = testing::pumpUntil([&] { return !windowExists(row.under); }, 6);
        EXPECT_TRUE(under) << name;
        if (!under) {
          pressButton(row.under, 1);
          testing::pumpUntil([&] { return !windowExists(row.under); }, 6);
        }
      }
      testing::expectBackOnTheBoard(name);
    }
  }
}

}  // namespace
}  // namespace bg
