// The person's turn in the started program, played with real keys and clicks on the board
// window: typed moves whatever Easy Moves says, a Return refused under a held checker, a
// typed step refused and taken back at the bar, the Command-click's combined move with a checker on the bar, Easy Moves turned on with a
// checker held, and "+" typed as a person types it. Every row is played by side 0 and again by side 1 on the mirrored board.
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "display/board_images.h"
#include "display/board_rebuild.h"
#include "display/message_line.h"
#include "display/move_markers.h"
#include "flow/game_loop.h"
#include "flow/turn.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/move_entry_state.h"
#include "interaction/typed_moves.h"
#include "rules/play_search.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/clock.h"
#include "runtime/core/random.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/input.h"
#include "shell/board_window_events.h"
#include "shell/quit_game.h"
#include "started_program.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/menu_numbers.h"
#include "state/message_numbers.h"
#include "state/display_settings.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/quit_services.h"
#include "state/search_services.h"
#include "state/shell_services.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "support/mouse_script.h"
#include "support/qt_helpers.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using Board = CheckedArray<int16_t, 25>;

Board mirrored(const Board& b) {
  Board m{};
  for (int p = 0; p <= 25; ++p) m[p] = static_cast<int16_t>(-b[25 - p]);
  return m;
}

// Side 0's program point p as the side's own program point.
int16_t sidesPoint(int16_t p, int16_t side) { return side == 0 ? p : static_cast<int16_t>(25 - p); }

// Where a person clicks to take or put a checker on program point p.
Point pointSpot(int16_t p) {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2),
          static_cast<int16_t>(L.pointGeometry[p][0] + L.pieceHeight / 2)};
}

QWindow* boardWindow() { return contentWidget(1)->windowHandle(); }

class PersonAtTheBoard : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDisplayServices();
    installInteractionServices();
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 3000);
  }
  void TearDown() override {
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    StartedProgram::TearDown();
  }
  // Side 0's position for `side` (mirrored for side 1), the person on roll against the
  // computer with the dice thrown; the board drawn.
  static void personPlays(const std::string& text, int16_t side) {
    testing::personToPlay(text + " | side 0");
    if (side == 1) {
      position.board = mirrored(position.board);
      std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
      testing::setSideOnRoll(1);
      position.playerType = {{{kComputerPlayer, kHumanPlayer}}};
    }
    playSearch.playLength = flow.movesAllowed;
    flow.moveNumber = 0;  // no step of the roll made: a double's steps count from here
    turnState.resumeWithDiceShown = -1;
    flow.abortTurn = 0;
    // A fresh record: an entry left there would be replayed as the next roll.
    record.gameRecordCount = 0;
    for (long n = 1; n <= 8; ++n) {
      record.gameRecord[n] = blankRecordEntry;
      record.gameRecord[n].side = kEmptyEntrySide;
    }
    redrawBoardWindow();
  }
  // Runs the person's turn: `steps` are queued at the move entry's first wait; once they are
  // done and the entry waits again the turn is left.
  void playTurnWith(const std::function<void()>& steps) {
    bool queued = false;
    script_.planner = [&] {
      if (moveEntry.waitingForMove == 0) return;
      if (!queued) {
        queued = true;
        steps();
        return;
      }
      flow.abortTurn = kLeaveTurn;
    };
    playTurn();
    script_.planner = nullptr;
    EXPECT_FALSE(script_.spent) << "the turn did not end";
  }
  void type(const char* keys) {
    script_.then([keys] { testing::typeText(1, keys); });
  }
  testing::MouseScript script_;
};

// A board of side 0 with the changes made; for side 1 mirrored.
Board expectedBoard(const Board& start, const std::vector<std::pair<int, int>>& changes, int16_t side) {
  Board b = side == 1 ? mirrored(start) : start;
  for (auto [p, by] : changes) b[p] = static_cast<int16_t>(b[p] + by);
  return side == 1 ? mirrored(b) : b;
}

TEST_F(PersonAtTheBoard, TypedMovesPlayFromThePointTypedWhateverEasyMovesSays) {
  for (const uint8_t easy : {uint8_t{0}, uint8_t{255}}) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      SCOPED_TRACE(std::string(easy ? "Easy Moves on" : "Easy Moves off") + ", side " + std::to_string(side));
      personPlays("start | dice 6 2", side);
      options.easyMoves = easy;
      const Board start = position.board;
      playTurnWith([this] { type("13.6\r8.2\r"); });
      EXPECT_EQ(position.board, expectedBoard(start,
                                              {{12, -1}, {18, 1}, {17, -1}, {19, 1}}, side));
      EXPECT_EQ(record.gameRecordCount, 2);
      EXPECT_TRUE(typedMove.typedMoveText.empty());
      testing::expectLikeAFreshRedraw("after the typed play");
    }
  }
}

// The person's 9 and 10 against two checkers on its 3, with 6-6: after 10.6 typed no 6 is
// left to play. With Auto Pass the turn passes at once, as after the same move clicked;
// without it the move entry waits for the person again.
TEST_F(PersonAtTheBoard, AutoPassPassesTheTurnAfterATypedMoveLeavesNoPlay) {
  UseVirtualClock clock;  // the notice's pause
  for (const uint8_t autoPass : {uint8_t{255}, uint8_t{0}}) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      SCOPED_TRACE(std::string(autoPass ? "Auto Pass on" : "Auto Pass off") + ", side " + std::to_string(side));
      personPlays("16:1 15:1 22:-2 | dice 6 6", side);
      options.autoPass = autoPass;
      const Board start = position.board;
      bool queued = false;
      bool typed = false;  // the keys were handled: the typed move is played
      bool waitedAgain = false;
      script_.planner = [&] {
        if (moveEntry.waitingForMove == 0) return;
        if (!queued) {
          queued = true;
          script_.then([&typed] { testing::typeText(1, "10.6\r"), typed = true; });
        }
        if (!typed) return;
        waitedAgain = true;
        flow.abortTurn = kLeaveTurn;
      };
      playTurn();
      script_.planner = nullptr;
      EXPECT_TRUE(typed);
      EXPECT_EQ(waitedAgain, autoPass == 0);
      EXPECT_EQ(position.board, expectedBoard(start, {{15, -1}, {21, 1}}, side));
    }
  }
}

// A typed move holds its checker in the hand's list only, on its point: a resize let in while
// its refusal is shown (a spoken message waits for the voice) gives nothing back, and each
// side keeps its fifteen.
TEST_F(PersonAtTheBoard, AResizeWhileATypedMoveIsRefusedAddsNoChecker) {
  static void (*shown)() = nullptr;
  shown = interactionServices.displayMessage;
  interactionServices.displayMessage = [] {
    shown();
    if (boardInput.pickedCount == 0 || hand.typedMovePending == 0) return;
    const Rect content = windowContentRect(1);
    testing::userResize(1, content.width() + 90, content.height() + 70);
    for (int i = 0; i < 5; ++i) pollEvents();
  };
  installBoardWindowHandler();
  personPlays("start | dice 3 4", 0);
  const Board start = position.board;
  playTurnWith([this] { type("13.6\r"); });  // no 6 was thrown
  interactionServices.displayMessage = shown;
  EXPECT_EQ(position.board, start);
  EXPECT_EQ(position.piecesOnBoard[0], kCheckersPerSide);
  EXPECT_EQ(boardInput.pickedCount, 0);
}

// A click on a checker and Game > Roll Out Position taken in one look at the events: the
// set-up window opens first, and the click, taken after it, picked the checker up under the
// window. The rollout then began holding it and handed it to the other side.
TEST_F(PersonAtTheBoard, AClickTakenWithTheRolloutsMenuPicksNothingUpUnderItsWindow) {
  personPlays("start | dice 3 4", 0);
  installDialogServices();
  installRolloutServices();
  const Board start = position.board;
  playTurnWith([this] {
    script_.then([] {
      testing::MouseScript::clickNow(pointSpot(12));
      choose(kGameMenu, kRolloutItem);
    });
    script_.then([] {
      EXPECT_TRUE(windowExists(kRolloutSetupWindow));
      EXPECT_EQ(boardInput.pickedCount, 0) << "nothing is held under the set-up window";
      pressButton(kRolloutSetupWindow, 1);
    });
  });
  EXPECT_TRUE(rolloutInProgress());
  EXPECT_EQ(rolloutStats.rolloutStartBoard, start) << "the rollout starts from the whole position";
  EXPECT_EQ(boardInput.pickedCount, 0);
  restoreSettingsAfterRollout();
}

// Held, the Return is refused and the entry it ended is gone: the next one typed plays.
TEST_F(PersonAtTheBoard, AReturnRefusedUnderAHeldCheckerLeavesNothingForTheNextEntry) {
  for (const int16_t side : {int16_t{0}, int16_t{1}}) {
    SCOPED_TRACE("side " + std::to_string(side));
    personPlays("start | dice 5 3", side);
    const Board start = position.board;
    const int16_t thirteen = sidesPoint(12, side);
    playTurnWith([this, thirteen] {
      script_.click(pointSpot(thirteen));
      type("13.5\r");
      script_.then([] { EXPECT_EQ(boardInput.pickedCount, 1) << "the checker stays in the hand"; });
      script_.click(pointSpot(thirteen));  // put back
      type("8.3\r");
      type("13.5\r");
    });
    EXPECT_EQ(position.board, expectedBoard(start, {{12, -1}, {20, 1}}, side));
    EXPECT_EQ(record.gameRecordCount, 2);
  }
}

// The pixels of the board window inside r.
QImage windowPixels(const QRect& r) {
  const GrafPort* w = windowPort(1);
  return w->image.copy(r.translated(-w->origin));
}

// The person alone on its 10 against two checkers on its 2, with 6-2: only one die plays and
// it must be the 6. 10.2 typed is refused with the box, the box closed with Return and the
// step taken back at the middle of the bar: the roll stays in hand, its dice on the board
// where they were, and 10.6 typed plays it.
TEST_F(PersonAtTheBoard, ATypedStepRefusedAndTakenBackAtTheBarLeavesTheRollToPlay) {
  UseVirtualClock clock;  // the notice's pause before the refusal
  for (const int16_t side : {int16_t{0}, int16_t{1}}) {
    SCOPED_TRACE("side " + std::to_string(side));
    personPlays("15:1 23:-2 | dice 6 2", side);
    installDialogServices();  // the box; after the first start's welcome
    installFlowServices();     // the take-back at the bar
    // Return typed into the box once it is up.
    static void (*box)(std::string_view, std::string_view) = nullptr;
    static bool boxShown = false;
    box = searchServices.showTitledText;
    boxShown = false;
    searchServices.showTitledText = [](std::string_view title, std::string_view text) {
      QTimer::singleShot(0, [] {
        boxShown = windowExists(kExplanationWindow);
        testing::typeKey(kExplanationWindow, Qt::Key_Return);
      });
      box(title, text);
    };
    record.gameRecord[1].side = side;  // the roll, as the roll stage writes it
    record.gameRecord[1].die1 = 6;
    record.gameRecord[1].die2 = 2;
    computeMaxPipsUsable();
    options.autoPass = 255;
    const Board start = position.board;
    QRect dice;
    QImage diceBefore;
    bool takenBack = false;
    playTurnWith([&] {
      dice = QRect(std::min(diceState.drawnDieLeft[0], diceState.drawnDieLeft[1]), display.diceTop,
                   std::abs(diceState.drawnDieLeft[1] - diceState.drawnDieLeft[0]) + layout.dieWidth, layout.dieHeight);
      diceBefore = windowPixels(dice);
      type("10.2\r");
      script_.click({layout.boardCentreX, layout.boardCentreY});  // the middle of the bar
      script_.then([&] {
        takenBack = true;
        EXPECT_EQ(position.board, start) << "the step went back";
        EXPECT_TRUE(windowPixels(dice) == diceBefore) << "the dice show on the board as before";
      });
      type("10.6\r");
    });
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(takenBack) << "the turn went on after the take-back";
    EXPECT_EQ(position.board, expectedBoard(start, {{15, -1}, {21, 1}}, side));
    script_ = testing::MouseScript{};  // steps a turn left early never took
    testing::pumpWithScript(script_, 3000);
  }
}

// Command (Ctrl here) asks Easy Moves for one checker moved by several dice only, even with
// a checker on the bar: the entering step with one die is not what was asked for.
TEST_F(PersonAtTheBoard, ACommandClickWithACheckerOnTheBarLooksOnlyForTheCombinedMove) {
  struct Row {
    int16_t to;  // side 0's program point clicked
    bool command;
    std::vector<std::pair<int, int>> changes;
  };
  const Row rows[] = {
      {3, true, {}},                    // the 3 alone would enter: not asked for
      {3, false, {{25, -1}, {3, 1}}},   // a plain click enters with the 3
  };
  for (const Row& r : rows) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      SCOPED_TRACE("to " + std::to_string(r.to) + (r.command ? " with Command" : "") + ", side " + std::to_string(side));
      personPlays("25:1 12:14 1:-15 | dice 3 1", side);
      options.easyMoves = 255;
      const Board start = position.board;
      const Point at = pointSpot(sidesPoint(r.to, side));
      const bool command = r.command;
      playTurnWith([this, at, command] {
        script_.then([at, command] {
          const Qt::KeyboardModifiers mods = command ? Qt::ControlModifier : Qt::NoModifier;
          if (command) QTest::keyPress(boardWindow(), Qt::Key_Control, Qt::ControlModifier);
          testing::simulateMouse(testing::MouseScript::globalOf(at), true);
          QTest::mousePress(contentWidget(1), Qt::LeftButton, mods, testing::widgetPointOf(1, at));
          testing::simulateMouse(testing::MouseScript::globalOf(at), false);
          QTest::mouseRelease(contentWidget(1), Qt::LeftButton, mods, testing::widgetPointOf(1, at));
        });
        // Let go of Command once the click was taken.
        script_.then([] { QTest::keyRelease(boardWindow(), Qt::Key_Control, Qt::NoModifier); });
      });
      EXPECT_EQ(position.board, expectedBoard(start, r.changes, side));
    }
  }
}

// Easy Moves turned on with a checker held: a click low in an own stack picks up one more
// checker, as before, instead of playing an easy move that drops the hand.
TEST_F(PersonAtTheBoard, EasyMovesTurnedOnWithACheckerHeldKeepsTheHand) {
  for (const int16_t side : {int16_t{0}, int16_t{1}}) {
    SCOPED_TRACE("side " + std::to_string(side));
    personPlays("start | dice 5 3", side);
    options.easyMoves = 0;
    options.selectOneOnly = 0;  // more than one checker may be held
    const int16_t eight = sidesPoint(17, side);
    const BoardLayout& L = layout;
    // The lowest of the three checkers there, not the top one.
    const Point low{pointSpot(eight).h, static_cast<int16_t>(eight >= 13 ? L.fieldBottom - L.stackStep / 2
                                                                        : L.fieldTop + L.pointMargin / 2 + L.stackStep / 2)};
    int16_t held = 0;
    int16_t onBoard = 0;
    playTurnWith([this, side, low, &held, &onBoard] {
      script_.click(pointSpot(sidesPoint(19, side)));
      script_.then([] { options.easyMoves = 255; });
      script_.click(low);
      script_.then([side, &held, &onBoard] {
        held = boardInput.pickedCount;
        for (int16_t p = 0; p <= 25; ++p)
          if (position.board[p] * position.playerDirection[side] > 0) onBoard = static_cast<int16_t>(onBoard + std::abs(position.board[p]));
      });
    });
    EXPECT_EQ(held, 2);
    EXPECT_EQ(onBoard + held, kCheckersPerSide);
    EXPECT_EQ(record.gameRecordCount, 0);
  }
}

// "+" is Shift and "=" on most keyboards: the held Shift is no Shift-click, and the dice
// roll as they do for the keypad's "+". Commands > Roll or Pass Dice is a click on the
// dice as well: it rolls them, but only for the wait that runs as it is chosen. Chosen
// where no wait runs, or under a question on the board, it leaves nothing for the roll's
// wait to take: the dice wait for the person.
TEST_F(PersonAtTheBoard, PlusRollsTypedWithShiftOrOnTheKeypad) {
  constexpr Qt::KeyboardModifier kMenuItem = Qt::KeyboardModifierMask;  // no key: the menu item
  enum class When { kAtTheWait, kBeforeTheWait, kUnderAQuestion };
  struct Row {
    Qt::KeyboardModifier mods;
    When when = When::kAtTheWait;
  };
  const Row rows[] = {{Qt::ShiftModifier}, {Qt::KeypadModifier}, {Qt::NoModifier}, {kMenuItem},
                      {kMenuItem, When::kBeforeTheWait}, {kMenuItem, When::kUnderAQuestion}};
  for (const Row& r : rows) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      const Qt::KeyboardModifier mods = r.mods;
      SCOPED_TRACE((mods == kMenuItem ? std::string("Roll or Pass Dice") : "modifiers " + std::to_string(int(mods))) +
                   ", when " + std::to_string(int(r.when)) + ", side " + std::to_string(side));
      personPlays("start | dice 5 3", side);
      diceState.diceShowing = 0;
      turnState.resumeWithDiceShown = 0;
      // The hand-over gives the turn to the person.
      testing::setSideOnRoll(static_cast<int16_t>(1 - side));
      bool typed = false;
      bool rolled = false;
      if (r.when == When::kBeforeTheWait) choose(kComputerMenu, kDiceActionItem);
      script_.planner = [&] {
        if (turnState.awaitingDiceClick != 0 && !typed) {
          typed = true;
          if (r.when == When::kBeforeTheWait) return;
          if (mods == kMenuItem) {
            script_.then([&r] {
              if (r.when == When::kUnderAQuestion) panelWait.questionPanelUp = -1;
              choose(kComputerMenu, kDiceActionItem);
              panelWait.questionPanelUp = 0;
            });
            return;
          }
          // Pressed with its modifier held; let go once the wait has taken the key.
          script_.then([mods] { QTest::keyPress(boardWindow(), '+', mods); });
          script_.then([mods] {
            QTest::keyRelease(boardWindow(), '+', mods);
            QTest::keyRelease(boardWindow(), Qt::Key_Shift, Qt::NoModifier);
          });
          return;
        }
        if (moveEntry.waitingForMove != 0) {
          rolled = diceState.diceShowing != 0 && position.currentPlayer == side;
          flow.abortTurn = kLeaveTurn;
        } else if (typed && turnState.awaitingDiceClick != 0) {
          flow.abortTurn = kLeaveTurn;  // still waiting for the roll
        }
      };
      playTurn();
      script_.planner = nullptr;
      EXPECT_TRUE(typed) << "the roll did not wait for the person";
      EXPECT_EQ(rolled, r.when == When::kAtTheWait);
      EXPECT_FALSE(script_.spent);
    }
  }
}

// The opening dice: the computer's 6 against the person's 4; the opening book's second
// reply the first time it is asked, its first after that.
int bookAsked = 0;
int32_t secondDie = 0;
int32_t computerOpensWithSixFour(int32_t n) {
  if (n == 4) return ++bookAsked == 1 ? 4 : 1;
  return n == 6 ? secondDie : 1;  // slot 1 of the pool, refilled with the second die
}

// I typed at the person's roll right after the computer's opening play: the play is made
// again at once, the same one, and the person's roll is asked for as before, on the board
// and with the record the play left. The computer plays side 1, then side 0. An opponent
// chosen with the I (the computer again, or two people and then the computer, which
// plays side 1) leaves the game the replay was asked in: the computer chooses its play
// afresh, and the book's other reply is what it plays.
TEST_F(PersonAtTheBoard, ReplayAfterTheComputersOpeningMakesTheSamePlayAtOnce) {
  const struct {
    int16_t computer;
    std::vector<int16_t> opponents;  // Game menu items chosen with the I
    const char* name;
  } rows[] = {{1, {}, "replayed"},
              {0, {}, "replayed"},
              {1, {kComputerOpponentItem}, "Play Against the Computer"},
              {1, {kTwoPlayersItem, kComputerOpponentItem}, "Two Players, then the computer"}};
  UseVirtualClock clock;  // the notice of the opponent chosen stays its time
  for (const auto& r : rows) {
    const int16_t computer = r.computer;
    SCOPED_TRACE(std::string(r.name) + ", computer side " + std::to_string(computer));
    const bool replayed = r.opponents.empty();
    const int16_t person = static_cast<int16_t>(1 - computer);
    testing::setPosition("start | side 0");
    position.playerType[computer] = kComputerPlayer;
    position.playerType[person] = kHumanPlayer;
    flow.opponentMode = kComputerOpponent;
    position.openingPhase = -1;
    diceState.diceShowing = 0;
    cube.cubeUsed = 0;
    settings.rerollFirstRoll = 0;
    settings.whoRollsFirst = 1;
    record.gameRecordCount = 0;
    for (long n = 1; n <= 8; ++n) {
      record.gameRecord[n] = blankRecordEntry;
      record.gameRecord[n].side = kEmptyEntrySide;
    }
    redrawBoardWindow();
    // Die 1 is side 0's, die 2 side 1's.
    bookAsked = 0;
    diceState.dicePool[1] = computer == 0 ? 6 : 4;
    secondDie = computer == 0 ? 4 : 6;
    const RandomHook before = setRandomHook(computerOpensWithSixFour);
    Board played{};
    std::vector<GameRecordEntry> entries;
    int replayWaits = 0;
    bool typed = false;
    script_.planner = [&] {
      if (turnState.awaitingDiceClick == 0) return;
      if (record.gameRecordCount == 0 && !typed) {
        script_.click(testing::diceSpot());  // the opening roll
        return;
      }
      if (!typed) {
        typed = true;
        played = position.board;
        for (int16_t n = 1; n <= record.gameRecordCount; ++n) entries.push_back(record.gameRecord[n]);
        script_.then([&r] {
          testing::typeKey(1, Qt::Key_I);
          for (const int16_t item : r.opponents) {
            choose(kGameMenu, item);
            // The pair's box, with the names it offers.
            if (windowExists(kScoreboardWindow)) testing::typeKey(kScoreboardWindow, Qt::Key_Return), FBHandleEvents();
          }
        });
        return;
      }
      ++replayWaits;
      shellFlags.quitRequested = -1;
      flow.abortTurn = kLeaveTurn;
    };
    gameLoopStep();
    setRandomHook(before);
    script_.planner = nullptr;
    shellFlags.quitRequested = 0;
    EXPECT_FALSE(script_.spent);
    ASSERT_TRUE(typed);
    EXPECT_EQ(replayWaits, 1);
    EXPECT_EQ(entries.size(), 2u) << "the computer played both dice";
    std::vector<GameRecordEntry> now;
    for (int16_t n = 1; n <= record.gameRecordCount; ++n) now.push_back(record.gameRecord[n]);
    if (replayed) {
      EXPECT_EQ(position.board, played) << "the same play, made again";
      EXPECT_TRUE(now == entries) << "the record holds the play once";
    } else {
      EXPECT_NE(position.board, played) << "the play asked for in the game left was made again";
      ASSERT_EQ(now.size(), 2u) << "the computer played both dice";
      EXPECT_EQ(now[0].side, computer);
      EXPECT_EQ((std::vector<int16_t>{now[0].die1, now[0].die2}), (std::vector<int16_t>{entries[0].die1, entries[0].die2}));
    }
    EXPECT_EQ(position.currentPlayer, person) << "the person's roll";
    EXPECT_EQ(position.openingPhase, 0);
    EXPECT_TRUE(notices.empty());
  }
}

// Settings > Flip Board after a typed step is refused, whether the roll plays both dice or,
// with the 5 blocked, only the step made: the board stays as played and the turn goes on.
TEST_F(PersonAtTheBoard, FlipBoardIsRefusedOnceAStepOfTheRollIsPlayed) {
  for (const char* dice : {"dice 2 1", "dice 5 2"}) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      SCOPED_TRACE(std::string(dice) + ", side " + std::to_string(side));
      personPlays(std::string("1:2 6:-2 8:-2 13:-11 | ") + dice, side);
      computeMaxPipsUsable();  // as the turn's start finds the play length
      options.autoPass = 0;
      const Board start = position.board;
      playTurnWith([this] {
        type("24.2\r");
        script_.then([] { chooseMenuItem(kSettingsMenu, kFlipBoardItem); });
      });
      EXPECT_EQ(position.board, expectedBoard(start, {{1, -1}, {3, 1}}, side));
      EXPECT_EQ(position.currentPlayer, side);
      EXPECT_EQ(record.gameRecordCount, 1);
    }
  }
}

// During the move a click on the cube, and * typed, say why no double is offered.
TEST_F(PersonAtTheBoard, TheCubeClickedOrTypedDuringTheMoveSaysWhy) {
  UseVirtualClock clock;  // the refusal's pause
  static std::vector<int> shown;
  shown.clear();
  interactionServices.displayMessage = [] { shown.push_back(interaction.messageNumber), displayMessage(); };
  cube.cubeOwner = kCubeCentred;
  personPlays("start | dice 3 1", 0);
  playTurnWith([this] {
    script_.clickWhere([] {
      const int16_t c = displaySettings.playDirection;
      return testing::middleOf(makeRect(layout.cubeX[c], layout.cubeY[kCubeCentred], layout.cubeX[c] + layout.cubeWidth[c],
                                        layout.cubeY[kCubeCentred] + layout.cubeHeight[c]));
    });
    type("*");
  });
  EXPECT_EQ(shown, (std::vector<int>{kDiceShowingMessage, kDiceShowingMessage}));
}

// With Show Possible Moves on, the markers on the board are those of the point under the
// mouse with the dice held, and nothing else: a checker put back on its point shows that
// point's again, and after a step taken back with the right button the point the mouse
// then points at is marked with the die given back. Erased, they leave the board as a
// fresh redraw draws it.
TEST_F(PersonAtTheBoard, PossibleMoveMarkersAreThoseOfThePointUnderTheMouse) {
  struct Row {
    const char* name;
    int16_t under;                  // the person's point the mouse ends over
    std::vector<int16_t> landings;  // the person's points marked, with 6-2
    std::function<void(testing::MouseScript&, int16_t)> act;
  };
  // The person's point n as a program point of `side`.
  auto at = [](int16_t n, int16_t side) { return pointSpot(sidesPoint(static_cast<int16_t>(25 - n), side)); };
  const Row rows[] = {
      {"put back on its point", 13, {7, 11, 5},
       [at](testing::MouseScript& s, int16_t side) {
         s.moveTo(at(13, side));
         s.click(at(13, side));
         s.click(at(13, side));
       }},
      {"a clicked step taken back", 8, {2, 6},
       [at](testing::MouseScript& s, int16_t side) {
         s.click(at(13, side));
         s.click(at(7, side));
         s.then([at, side] { testing::clickAt(1, at(7, side), Qt::RightButton); });
         s.moveTo(at(8, side));
       }},
      {"a typed step taken back", 8, {2, 6},
       [at](testing::MouseScript& s, int16_t side) {
         s.moveTo(at(13, side));
         s.then([] { testing::typeText(1, "13.6\r"); });
         s.then([at, side] { testing::clickAt(1, at(13, side), Qt::RightButton); });
         s.moveTo(at(8, side));
       }},
  };
  installBoardWindowHandler();
  for (const Row& row : rows) {
    for (const int16_t side : {int16_t{0}, int16_t{1}}) {
      SCOPED_TRACE(std::string(row.name) + ", side " + std::to_string(side));
      rebuildBoardForWindowSize();  // the board's pictures, as the first start draws them
      personPlays("start | dice 6 2", side);
      displaySettings.showPossibleMoves = -1;
      options.rightMouseActionNP = kRightClickTakesBack;
      const Board start = position.board;
      bool checked = false;
      playTurnWith([&] {
        row.act(script_, side);
        // The idle mouse looks at the board between these pumps.
        for (int i = 0; i < 5; ++i) script_.then([] {});
        script_.then([&] {
          checked = true;
          EXPECT_EQ(position.board, start);
          EXPECT_EQ(boardInput.pickedCount, 0);
          const BoardLayout& L = layout;
          int entries = 0;
          for (const MoveMarker& m : moveMarkerState.moveMarkers) entries += m.left != 0 ? 1 : 0;
          EXPECT_EQ(entries, static_cast<int>(row.landings.size()));
          for (const int16_t n : row.landings) {
            const int16_t p = sidesPoint(static_cast<int16_t>(25 - n), side);
            const int16_t top = p <= 12 ? static_cast<int16_t>(L.fieldTop - L.markerRect.height() - 1) : L.fieldBottom;
            const QRect r(L.markerX[p], top, L.markerRect.width(), L.markerRect.height());
            const GrafPort* green = boardImages.greenMarkerWorld;
            EXPECT_TRUE(windowPixels(r) == green->image.copy(QRect(0, 0, r.width(), r.height()).translated(-green->origin)))
                << "no marker beside the " << n << " point";
          }
          erasePossibleMoveMarkers();
          testing::expectLikeAFreshRedraw("markers erased");
        });
      });
      EXPECT_TRUE(checked);
    }
  }
}

// Flip Board while the roll is in hand, a step played, then File > Quit: the step goes back
// with its own die, so the roll saved is the whole roll and not one die beside a zero.
TEST_F(PersonAtTheBoard, AStepPlayedAfterAFlipGoesBackWithItsDieAtTheQuit) {
  personPlays("1:2 12:5 17:3 19:4 20:1 6:-5 8:-3 13:-5 24:-2 | dice 6 3", 0);
  options.easyMoves = 255;
  chooseMenuItem(kSettingsMenu, kFlipBoardItem);
  FBHandleEvents();
  ASSERT_EQ(position.board[1], 2) << "flipped";
  // The turn comes back with the dice shown.
  turnState.resumeWithDiceShown = -1;
  flow.abortTurn = 0;
  // The 6 takes a checker from the 1-point to the 7-point.
  playTurnWith([this] { script_.click(pointSpot(7)); });
  ASSERT_EQ(position.board[7], 1) << "the 6 played";
  int exits = 0;
  static int* exitCount = nullptr;
  exitCount = &exits;
  quitServices.endProcess = [](int) { ++*exitCount; };
  shellServices.saveAskedBeforeQuitFailed = [] { return quitState.saveAnswer = kSaveAnsweredNo, false; };  // No
  quitGame();
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(position.board[1], 2) << "the step went back";
  EXPECT_EQ(diceState.dice[0].value + diceState.dice[1].value, 9);
  EXPECT_GT(diceState.dice[0].value, 0);
  EXPECT_GT(diceState.dice[1].value, 0);
}

}  // namespace
}  // namespace bg
