// The board panels that any click or key takes down (the pip count, the race estimate and
// the move list), in the started program with real key events: a key under a panel only
// takes it down, the help key asks for help and leaves it up, and the Commands items that
// act on the board directly (the dice, the cube, who is ahead) only take it down too, while
// the Settings items that draw the board anew take it down first and then act.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "display/board_rebuild.h"
#include "flow/turn_services.h"
#include "interaction/board_question.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "display/board_overlay.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/interaction_state.h"
#include "state/board_requests.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/shell_services.h"
#include "shell/board_window_events.h"
#include "started_program.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

std::string ran;  // the stand-ins that ran, one letter each

// What a command leaves behind: the header's command counts (die1 the move lists, die2 the
// pip panels, distance the cube advice), the verdicts asked for, the board, the roll, the
// cube and the stand-ins that ran.
struct Trace {
  int16_t moveLists = 0, pipPanels = 0, cubeAdvice = 0, verdicts = 0, movesLeft = 0, diceShowing = 0, cubeValue = 0;
  decltype(position.board) board{};
  std::string ran;
  bool operator==(const Trace&) const = default;
};

Trace trace() {
  const GameRecordEntry& h = record.gameRecord[0];
  return Trace{h.die1,          h.die2,
               h.distance,      static_cast<int16_t>(flow.whoIsAheadUses[0] + flow.whoIsAheadUses[1]),
               flow.movesLeft,  diceState.diceShowing,
               cube.cubeValue,  position.board,
               ran};
}

struct Panel {
  const char* name;
  const char* key;  // the letter that puts it up
  bool diceShowing;
};
constexpr Panel kPanels[] = {{"pip count", "p", false}, {"race estimate", "r", false}, {"move list", "s", true}};

// A question put up over the panel and answered No by a click posted at its button.
void askedUnderThePanel() {
  closeBoardOverlay();
  interaction.messageLines[1] = "Save the game?";
  interaction.messageLineCount = 1;
  drawBoardQuestion();
  boardInput.clickH = testing::middleOf(interactionDisplay.noButtonRect).h;
  boardInput.clickV = testing::middleOf(interactionDisplay.noButtonRect).v;
  flow.keyCommandBusy = -1;
  waitForBoardClick();
  closeBoardOverlay();
}

class BoardPanelKeys : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDisplayServices();
    installInteractionServices();
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 3000);
    boardCommandServices.showBlotRisk = [] { ran += 'B'; };
    boardCommandServices.openNotePad = [] { ran += 'N'; };
    boardCommandServices.showContextHelp = [] { ran += 'H'; };
  }
  void TearDown() override {
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    StartedProgram::TearDown();
  }
  // The person on roll against the computer at the start, the cube centred, the 4-2 thrown
  // or still to throw.
  static void personOnRoll(bool diceShowing) {
    testing::personToPlay("start | dice 4 2 | side 0");
    if (!diceShowing) diceState.diceShowing = 0;
    cube.cubeUsed = -1;
    record.gameRecord[0] = GameRecordEntry{};
    flow.whoIsAheadUses = {};
    ran.clear();
    redrawBoardWindow();
  }
  // Puts the panel up with its key; at the first wait `under` runs, at every later one the
  // board is clicked away from the panel. The number of waits seen.
  int showPanel(const Panel& p, const std::function<void()>& under) {
    int looks = 0;
    script_.planner = [&] {
      // The searches pump too: only the panel's own wait counts.
      if (panelWait.clickWaitRunning != -1) return;
      if (++looks == 1 && under) {
        script_.then(under);
        return;
      }
      script_.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
    };
    testing::typeText(1, p.key);
    FBHandleEvents();
    script_.planner = nullptr;
    EXPECT_FALSE(script_.spent) << p.name << ": the wait did not end";
    return looks;
  }
  // The trace a click under the panel leaves: the panel's own count and nothing else.
  Trace closedByAClick(const Panel& p) {
    personOnRoll(p.diceShowing);
    EXPECT_EQ(showPanel(p, nullptr), 1) << p.name;
    return trace();
  }
  testing::MouseScript script_;
};

TEST_F(BoardPanelKeys, AKeyUnderAPanelOnlyTakesItDownAndTheHelpKeyLeavesItUp) {
  // A command letter of every kind, digits and a point of a typed move, and the help key.
  std::vector<Trace> clicked;
  for (const Panel& p : kPanels) clicked.push_back(closedByAClick(p));
  // "?": a question asked and answered under the panel first, as the quit's save question
  // is; the panel's wait goes on after it.
  for (const char* keys : {"m", "d", "w", "p", "r", "s", "b", "c", "i", "n", "84", "h", "?m"}) {
    for (size_t n = 0; n < std::size(kPanels); ++n) {
      const Panel& p = kPanels[n];
      const std::string what = std::string(p.name) + " under " + keys;
      Trace expected = clicked[n];
      const bool help = std::string(keys) == "h";
      if (help) expected.ran += 'H';
      personOnRoll(p.diceShowing);
      bool secondBox = false;
      const int looks = showPanel(p, [keys, &secondBox] {
        if (keys[0] == '?') askedUnderThePanel();
        testing::typeText(1, keys[0] == '?' ? keys + 1 : keys);
        FBHandleEvents();
        secondBox = overlay.overlayShown != 0;
      });
      EXPECT_EQ(looks, help ? 2 : 1) << what;
      EXPECT_FALSE(secondBox) << what;
      EXPECT_TRUE(trace() == expected) << what << ": something ran under the panel";
      EXPECT_EQ(display.overlayActive, 0) << what;
      EXPECT_EQ(panelWait.panelCloseWait, 0) << what;
      testing::expectLikeAFreshRedraw(what);
    }
  }
}

// The dice item would roll or hand over the dice behind the panel, the cube item double
// (for the other side under Analyse Last Play), the verdict re-analyse the position the
// panel shows.
TEST_F(BoardPanelKeys, TheDiceCubeAndVerdictItemsOnlyTakeAPanelDown) {
  std::vector<Trace> clicked;
  for (const Panel& p : kPanels) clicked.push_back(closedByAClick(p));
  for (const int16_t item : {kDiceActionItem, kCubeActionItem, kWhoIsAheadItem}) {
    for (size_t n = 0; n < std::size(kPanels); ++n) {
      const Panel& p = kPanels[n];
      const std::string what = std::string(p.name) + " under item " + std::to_string(item);
      const Trace& expected = clicked[n];
      personOnRoll(p.diceShowing);
      const int looks = showPanel(p, [item] { choose(kComputerMenu, item); });
      EXPECT_EQ(looks, 1) << what;
      EXPECT_TRUE(trace() == expected) << what << ": something ran under the panel";
      EXPECT_EQ(cube.doublePending, 0) << what;
      EXPECT_EQ(display.overlayActive, 0) << what;
      testing::expectLikeAFreshRedraw(what);
    }
  }
  // With no panel up the items act as before.
  personOnRoll(false);
  choose(kComputerMenu, kWhoIsAheadItem);
  EXPECT_EQ(flow.whoIsAheadUses[0] + flow.whoIsAheadUses[1], 1);
}

// Drawn anew under a waiting panel the board would come back with the panel's stale
// background when the panel goes, or with no panel while its wait went on: the item takes
// the panel down, acts, and the wait is over without a click.
TEST_F(BoardPanelKeys, TheSettingsItemsThatRedrawTheBoardTakeAPanelDownAndAct) {
  struct Item {
    int16_t item;
    const char* name;
    std::function<int()> seen;  // what the item changes (nothing for the plain redraws)
  };
  const std::vector<Item> items = {
      {kPlayDirectionItem, "play direction", [] { return int{displaySettings.playDirection}; }},
      {kSwapColoursItem, "swap colours", [] { return int{display.playerColors[0]}; }},
      {kFlipBoardItem, "flip board", [] { return int{flow.abortTurn}; }},  // the start looks the same flipped
      {kRedrawBoardItem, "redraw board", [] { return 0; }},
      {kFitWindowItem, "fit window", [] { return 0; }},
  };
  for (const Item& it : items) {
    for (const Panel& p : kPanels) {
      const std::string what = std::string(p.name) + " under " + it.name;
      personOnRoll(p.diceShowing);
      flow.abortTurn = 0;
      const int before = it.seen();
      const int16_t item = it.item;
      const int looks = showPanel(p, [item] { choose(kSettingsMenu, item); });
      EXPECT_EQ(looks, 1) << what << ": the wait went on after the item";
      if (it.item != kRedrawBoardItem && it.item != kFitWindowItem) {
        EXPECT_NE(it.seen(), before) << what << ": no change";
      }
      EXPECT_EQ(display.overlayActive, 0) << what;
      EXPECT_EQ(panelWait.panelCloseWait, 0) << what;
      // The flip leaves the turn to the game loop, which draws the side to move again.
      if (flow.abortTurn == 0) testing::expectLikeAFreshRedraw(what);
    }
  }
  // Display Settings draws the board anew at Done: the panel is down while its window is up.
  for (const Panel& p : kPanels) {
    personOnRoll(p.diceShowing);
    EXPECT_EQ(showPanel(p, [] { choose(kSettingsMenu, kDisplaySettingsItem); }), 1) << p.name;
    EXPECT_TRUE(windowExists(kDisplaySettingsWindow)) << p.name;
    EXPECT_EQ(display.overlayActive, 0) << p.name;
    testing::typeKey(kDisplaySettingsWindow, Qt::Key_Escape);
    EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kDisplaySettingsWindow); }, 5)) << p.name;
    testing::expectLikeAFreshRedraw(p.name);
  }
}

// A resize builds the board anew at its new size: the panel comes down and its wait ends,
// with no patch of the old board put back over the new one.
TEST_F(BoardPanelKeys, AResizeTakesAPanelDownAndEndsItsWait) {
  installBoardWindowHandler();
  for (const Panel& p : kPanels) {
    personOnRoll(p.diceShowing);
    const QSize content = contentWidget(1)->size();
    const int16_t widthBefore = display.boardWidth;
    bool resized = false;
    int clicks = 0;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning != -1) return;
      if (!resized) {
        resized = true;
        script_.then([content] { testing::userResize(1, content.width() + 120, content.height() + 90); });
        return;
      }
      // Only once the new size is built and nothing has ended the wait: a wait that goes on
      // is ended by this click.
      if (display.boardWidth == widthBefore || interactionDisplay.boardInputEvent != 0) return;
      ++clicks;
      script_.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
    };
    testing::typeText(1, p.key);
    FBHandleEvents();
    script_.planner = nullptr;
    EXPECT_FALSE(script_.spent) << p.name << ": the wait did not end";
    EXPECT_EQ(clicks, 0) << p.name << ": the wait went on after the resize";
    EXPECT_NE(display.boardWidth, widthBefore) << p.name << ": the board follows the window";
    EXPECT_EQ(display.overlayActive, 0) << p.name;
    EXPECT_EQ(panelWait.panelCloseWait, 0) << p.name;
    testing::expectLikeAFreshRedraw(p.name);
    testing::userResize(1, content.width(), content.height());
    testing::pumpUntil([widthBefore] { return display.boardWidth == widthBefore; }, 5);
  }
}

// The verdict answers its request: one left set would make the next stray key end a click
// wait (the roll wait then ends the turn) as if the board had been clicked.
TEST_F(BoardPanelKeys, TheVerdictLeavesNoRequestBehind) {
  const std::vector<std::pair<const char*, std::function<void()>>> roads = {
      {"the Commands item", [] { choose(kComputerMenu, kWhoIsAheadItem); }},
      {"the key", [] { testing::typeText(1, "w"), FBHandleEvents(); }},
  };
  for (const auto& [name, verdict] : roads) {
    personOnRoll(false);
    verdict();
    EXPECT_EQ(flow.whoIsAheadUses[0] + flow.whoIsAheadUses[1], 1) << name;
    EXPECT_EQ(boardRequests.requestCommandW, 0) << name;
    int looks = 0;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning != -1) return;
      if (++looks == 1) {
        script_.then([] { testing::typeText(1, "z"), FBHandleEvents(); });
        return;
      }
      script_.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
    };
    waitForClickOrKey();
    script_.planner = nullptr;
    EXPECT_EQ(looks, 2) << name << ": a stray key ended the wait";
  }
}

}  // namespace
}  // namespace bg
