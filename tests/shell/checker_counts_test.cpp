// Each side keeps its fifteen checkers (board, bar, the hand, the tray) through what a
// person does at odd moments in the started program: Roll or Pass Dice or a right-click
// while the dice are chosen by hand after the computer's move, a resize of the window
// while the computer's checkers land and hit, each landing's sound giving the window its
// events, a Shift-click in the wait after the computer's move or the person's; and New Game
// chosen in a wait scores nothing.
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include <cstdlib>
#include <string>

#include "../display/board_fixture.h"
#include "audio/sound_effects.h"
#include "display/audio_install.h"
#include "display/board_rebuild.h"
#include "display/dice_display.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "dialogs/blot_risk_window.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/question_window.h"
#include "runtime/core/clock.h"
#include "runtime/qt/controls.h"
#include "shell/board_window_events.h"
#include "state/board_command_services.h"
#include "started_program.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/game_record_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/sound_services.h"
#include "state/storage_state.h"
#include "state/turn_flags.h"
#include "support/dice_chooser_spot.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

// "" when both sides have fifteen, else what each side has where.
std::string countsBroken() {
  int on[2] = {0, 0};
  const bool zeroPositive = position.playerDirection[0] > 0;
  for (int p = 0; p <= 25; ++p) {
    const int c = position.board[p];
    if (c != 0) on[(c > 0) == zeroPositive ? 0 : 1] += std::abs(c);
  }
  std::string broken;
  for (int s = 0; s <= 1; ++s) {
    const int held = s == position.currentPlayer ? boardInput.pickedCount : 0;
    const int tray = kCheckersPerSide - position.piecesOnBoard[s];
    if (on[s] + held + tray != kCheckersPerSide || tray < 0)
      broken += "side " + std::to_string(s) + ": board " + std::to_string(on[s]) + " hand " + std::to_string(held) +
                " tray " + std::to_string(tray) + "; ";
  }
  return broken;
}

class CheckerCounts : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDisplayServices();
    installInteractionServices();
    installBoardWindowHandler();
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 4000);
  }
  void TearDown() override {
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    shellFlags.quitRequested = 0;
    StartedProgram::TearDown();
  }
  void leave() {
    shellFlags.quitRequested = -1;
    flow.abortTurn = kLeaveTurn;
  }
  // The record holds count entries, every entry from the first blank.
  static void blankRecord(int16_t count) {
    record.gameRecordCount = count;
    for (long n = 1; n <= 8; ++n) {
      record.gameRecord[n] = blankRecordEntry;
      record.gameRecord[n].side = kEmptyEntrySide;
    }
  }
  // The person at the start with 3-1 to play and the cube off.
  static void personToPlayThreeOne() {
    testing::personToPlay("start | dice 3 1 | side 0");
    cube.cubeUsed = 0;
    playSearch.playLength = 2;
    turnState.resumeWithDiceShown = -1;
    blankRecord(0);
  }
  // Make Best Move chosen, then "Keep this move?" answered Yes (keep) or No; atFirstAsk
  // acts the first time the question waits, beforeAnswer just before the answer. The
  // counts are checked at every wait. Returns how often the question waited.
  int bestMoveAnswered(bool keep, std::function<void()> atFirstAsk, std::function<void()> beforeAnswer) {
    int questions = 0;
    bool asked = false;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      EXPECT_EQ(countsBroken(), "") << "question " << questions;
      if (panelWait.questionPanelUp != 0) {
        ++questions;
        if (questions == 1) {
          atFirstAsk();
        } else {
          beforeAnswer();
          script_.click(testing::middleOf(keep ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect));
        }
        return;
      }
      if (!asked) {
        asked = true;
        script_.then([] { choose(kComputerMenu, kMakeBestMoveItem); });
        return;
      }
      leave();
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_GE(questions, 2);
    EXPECT_EQ(countsBroken(), "");
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
    return questions;
  }
  testing::MouseScript script_;
};

// The computer (side 1) has played 13/7 13/9 with 6-4; the person rolls next and chooses
// the dice by hand. With one die chosen, the dice command or a right-click has nothing of
// the person's roll to take back: the computer's move stays.
TEST_F(CheckerCounts, NothingIsTakenBackWhileTheDiceAreChosenByHand) {
  enum class Act { DiceCommand, RightClick };
  for (const Act act : {Act::DiceCommand, Act::RightClick}) {
    SCOPED_TRACE(act == Act::DiceCommand ? "Roll or Pass Dice" : "right-click");
    testing::personToPlay("1:2 12:5 17:3 19:5 6:-5 8:-3 13:-3 7:-1 9:-1 24:-2 | side 0");
    settings.inputDice = -1;
    options.rightMouseActionNP = kRightClickTakesBack;
    blankRecord(2);
    const int16_t moves[2][3] = {{13, 7, 6}, {13, 9, 4}};
    for (int16_t n = 1; n <= 2; ++n) {
      GameRecordEntry& e = record.gameRecord[n];
      e.side = 1;
      e.die1 = 6;
      e.die2 = 4;
      e.fromPoint = moves[n - 1][0];
      e.toPoint = moves[n - 1][1];
      e.distance = moves[n - 1][2];
      e.moveNumber = n;
    }
    // What the computer's turn left: all of its roll played.
    flow.movesAllowed = 2;
    flow.movesLeft = 0;
    flow.moveNumber = 2;
    playSearch.playLength = 2;
    testing::setSideOnRoll(1);  // the hand-over gives the roll to the person
    diceState.diceShowing = 0;
    redrawBoardWindow();
    const auto boardBefore = position.board;
    int chooserWaits = 0;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      EXPECT_EQ(countsBroken(), "") << "at wait " << chooserWaits;
      if (turnState.awaitingDiceClick != 0 && diceChooser.chooseDiceOpen == 0) {
        script_.click(testing::diceSpot());
        return;
      }
      if (diceChooser.chooseDiceOpen == 0 || chooserWaits == 3) {
        leave();
        return;
      }
      ++chooserWaits;
      if (chooserWaits == 1) {
        script_.click(testing::chooserFaceSpot(5));
      } else if (chooserWaits == 2) {
        script_.then([act] {
          if (act == Act::DiceCommand) {
            choose(kComputerMenu, kDiceActionItem);
          } else {
            const Point p = testing::pointSpot(20);
            testing::clickAt(1, p, Qt::RightButton);
          }
        });
      }
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_EQ(chooserWaits, 3);
    EXPECT_EQ(countsBroken(), "");
    EXPECT_EQ(position.board, boardBefore) << "the computer's move stays";
    EXPECT_EQ(record.gameRecordCount, 2);
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

using Board = CheckedArray<int16_t, 25>;

Board mirrored(const Board& b) {
  Board m{};
  for (int p = 0; p <= 25; ++p) m[p] = static_cast<int16_t>(-b[25 - p]);
  return m;
}

int landings = 0;
CheckedArray<int16_t, 1> countsBefore{};

// The window is resized by the person just before each landing's sound lets the events in;
// no checker is borne off, so the counts the trays show never change.
void resizeThenSound() {
  // The second and third landings: the computer's checker on the blot, the blot on the bar.
  if (++landings >= 2) testing::userResize(1, landings % 2 == 0 ? 760 : 700, landings % 2 == 0 ? 560 : 520);
  playPieceSound();
  EXPECT_EQ(position.piecesOnBoard, countsBefore) << "after landing " << landings;
}

// The computer has one checker left, on its 8-point, and rolls 2-1: both ways to play it
// land on the person's blot on the computer's 5-point. The window changes size at every
// landing; the counts hold, on the board and in the trays as drawn.
TEST_F(CheckerCounts, AResizeWhileTheComputersCheckerHitsKeepsTheCounts) {
  installAudioServices();
  soundServices.playPieceSound = resizeThenSound;
  settings.soundOptions.soundOn = 255;
  for (const int16_t computer : {int16_t{1}, int16_t{0}}) {
    SCOPED_TRACE(computer == 1 ? "computer side 1" : "computer side 0");
    const int16_t person = static_cast<int16_t>(1 - computer);
    testing::personToPlay("5:1 20:5 21:5 22:4 8:-1 | side 0");
    if (computer == 0) {
      position.board = mirrored(position.board);
      std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
      position.playerType = {{{kComputerPlayer, kHumanPlayer}}};
    }
    cube.cubeUsed = 0;  // no double before the roll
    blankRecord(0);
    // The roll comes from the record, as a roll taken back is rolled again.
    record.gameRecord[1].side = computer;
    record.gameRecord[1].die1 = 2;
    record.gameRecord[1].die2 = 1;
    testing::setSideOnRoll(person);  // the hand-over gives the roll to the computer
    diceState.diceShowing = 0;
    redrawBoardWindow();
    landings = 0;
    countsBefore = position.piecesOnBoard;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      EXPECT_EQ(countsBroken(), "");
      leave();
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_GE(landings, 2) << "the computer's checker and the one it hit land";
    EXPECT_EQ(position.board[position.barPoint[person]], position.playerDirection[person]) << "hit";
    EXPECT_EQ(countsBroken(), "");
    EXPECT_EQ(position.piecesOnBoard[computer], 1);
    EXPECT_EQ(position.piecesOnBoard[person], kCheckersPerSide);
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

// With Click After Move on, a Shift-click in the wait after a move: after the computer's it
// ends the computer's turn as any click does, its roll (a double or not) played once; after
// the person's 3-1 it takes back the person's last step, and the turn goes on.
TEST_F(CheckerCounts, AShiftClickAfterAMoveEndsTheComputersTurnOrTakesBackThePersonsStep) {
  UseVirtualClock clock;  // the computer's pause before its play
  options.clickAfterComputerMove = 255;
  options.clickAfterHumanMove = 255;
  options.rightMouseActionNP = kRightClickTakesBack;
  const struct {
    int16_t mover;  // 1: the computer, with 2 and this; 0: the person, with 3-1
    int16_t secondDie;
  } rows[] = {{1, 1}, {1, 2}, {0, 1}};
  // The person's 8/5 6/5 (program points 17/20 19/20), each checker taken and put down.
  constexpr int16_t kPersonsClicks[] = {17, 20, 19, 20};
  for (const auto& row : rows) {
    SCOPED_TRACE((row.mover == 1 ? "the computer's 2-" : "the person's 3-") + std::to_string(row.secondDie));
    if (row.mover == 1) {
      testing::personToPlay("start | side 0");
      cube.cubeUsed = 0;
      blankRecord(0);
      record.gameRecord[1].side = 1;  // the computer's roll, from the record
      record.gameRecord[1].die1 = 2;
      record.gameRecord[1].die2 = row.secondDie;
      testing::setSideOnRoll(0);  // the hand-over gives the roll to the computer
      diceState.diceShowing = 0;
    } else {
      personToPlayThreeOne();
      flow.moveNumber = 0;  // no step of the roll made yet
    }
    redrawBoardWindow();
    const auto start = position.board;
    bool shiftClicked = false;
    bool wentOn = false;
    size_t clicks = 0;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      if (shiftClicked) {
        // The wait after it: the person's, the roll's last step to play again.
        wentOn = position.currentPlayer == 0 && diceState.diceShowing != 0 && flow.movesLeft == 1;
        leave();
        return;
      }
      if (flow.rollWaitActive == 0) {
        if (row.mover == 1 || clicks == std::size(kPersonsClicks))
          leave();
        else
          script_.click(testing::pointSpot(kPersonsClicks[clicks++]));
        return;
      }
      shiftClicked = true;
      QWindow* board = contentWidget(1)->windowHandle();
      script_.then([board] {
        QTest::keyPress(board, Qt::Key_Shift, Qt::ShiftModifier);
        testing::clickAt(1, testing::pointSpot(20), Qt::LeftButton, Qt::ShiftModifier);
      });
      script_.then([board] { QTest::keyRelease(board, Qt::Key_Shift, Qt::NoModifier); });
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_TRUE(shiftClicked);
    if (row.mover == 1) {
      EXPECT_EQ(record.gameRecordCount, row.secondDie == 2 ? 4 : 2) << "the computer's roll played once";
    } else {
      EXPECT_TRUE(wentOn) << "the turn went on";
      auto played = start;
      --played[17], ++played[20];  // 8/5 stays, 6/5 went back
      EXPECT_EQ(position.board, played);
    }
    EXPECT_EQ(countsBroken(), "");
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

// Make Best Move, then the B key while "Keep this move?" waits: the blot count's box is
// read and closed, the question answered Yes or No; both sides keep fifteen.
TEST_F(CheckerCounts, BlotRiskAskedWhileTheBestMoveWaitsForItsAnswer) {
  installDialogServices();
  boardCommandServices.showBlotRisk = showBlotRisk;
  storage.firstRun = 0;  // the welcome was read long ago
  QTimer reader;
  int boxesRead = 0;
  QObject::connect(&reader, &QTimer::timeout, [&boxesRead] {
    if (!windowExists(kExplanationWindow)) return;
    ++boxesRead;
    pressButton(kExplanationWindow, 1);
  });
  reader.start(0);
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "kept" : "taken back");
    personToPlayThreeOne();
    redrawBoardWindow();
    bestMoveAnswered(keep, [this] { script_.then([] { testing::typeKey(1, Qt::Key_B); }); }, [] {});
    EXPECT_EQ(boxesRead, keep ? 1 : 2) << "the blot count was shown";
  }
}

// Make Best Move, then a right-click while "Keep this move?" waits, then Yes or No: the
// right-click takes nothing back behind the question, and both sides keep fifteen.
TEST_F(CheckerCounts, ARightClickWhileTheBestMoveWaitsForItsAnswerTakesNothingBack) {
  options.rightMouseActionNP = kRightClickTakesBack;
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "kept" : "taken back");
    personToPlayThreeOne();
    redrawBoardWindow();
    const auto start = position.board;
    CheckedArray<int16_t, 25> played{};
    bestMoveAnswered(
        keep,
        [&] {
          played = position.board;
          script_.then([] { testing::clickAt(1, testing::pointSpot(20), Qt::RightButton); });
        },
        [&] { EXPECT_EQ(position.board, played) << "nothing taken back behind the question"; });
    EXPECT_NE(played, start) << "the best move was played";
    if (!keep) {
      EXPECT_EQ(position.board, start) << "No takes the whole move back";
    }
  }
}

// Make Best Move or Show Best Moves chosen together with Flip Board, after an earlier best
// move was taken back, or Flip Board reaching the program while the search for the best
// move lets the window have its events: the flip leaves the turn, so nothing is played or
// listed for the other side, and no use of the list is counted.
bool flipInSearch = false;
void (*programPoll)() = nullptr;
int listsShown = 0;

TEST_F(CheckerCounts, MakeBestMoveWhileTheTurnIsLeftPlaysNothing) {
  const struct {
    const char* name;
    int16_t item;
    bool inSearch;
  } rows[] = {{"Make Best Move after the flip", kMakeBestMoveItem, false},
              {"Show Best Moves after the flip", kShowBestMovesItem, false},
              {"the flip while Make Best Move searches", kMakeBestMoveItem, true}};
  programPoll = turnServices.pollEvents;
  turnServices.pollEvents = [] {
    programPoll();
    if (flipInSearch && turnFlags.computerMovesForHuman != 0) {
      flipInSearch = false;
      chooseMenuItem(kSettingsMenu, kFlipBoardItem);
      FBHandleEvents();
    }
  };
  turnServices.showAnalysisWindow = [] { ++listsShown; };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    personToPlayThreeOne();
    // The other side's checkers stand where the person's best move starts from none.
    testing::setPosition("24:2 13:5 8:3 6:5 21:-5 22:-5 23:-5 | dice 3 1 | side 0");
    redrawBoardWindow();
    bestMoveAnswered(false, [] {}, [] {});
    const auto start = position.board;
    const int16_t listUses = record.gameRecord[0].die1;
    listsShown = 0;
    bool asked = false;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      EXPECT_EQ(countsBroken(), "");
      EXPECT_EQ(panelWait.questionPanelUp, 0) << "no move to keep";
      if (!asked) {
        asked = true;
        script_.then([&row] {
          flipInSearch = row.inSearch;
          if (!row.inSearch) chooseMenuItem(kSettingsMenu, kFlipBoardItem);
          chooseMenuItem(kComputerMenu, row.item);
        });
        return;
      }
      leave();
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_FALSE(flipInSearch) << "the search let no events in";
    EXPECT_EQ(countsBroken(), "");
    for (int p = 0; p <= 25; ++p) EXPECT_EQ(position.board[p], -start[25 - p]) << "only flipped, point " << p;
    EXPECT_EQ(listsShown, 0);
    // The search made before the flip came in counts as a use of the list.
    EXPECT_EQ(record.gameRecord[0].die1, listUses + (row.inSearch ? 1 : 0));
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

// Settings > Flip Board on a board with checkers borne off, drawn or, while a rollout
// plays on a hidden board, not drawn: each side's count goes with its checkers.
TEST_F(CheckerCounts, FlipBoardCarriesTheCountsWithTheCheckersDrawnOrNot) {
  for (const bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "board hidden by a rollout" : "board drawn");
    testing::personToPlay("3:-1 11:1 13:1 17:1 19:-1 20:1 21:1 22:-1 | side 1");
    diceState.diceShowing = 0;
    playSearch.playLength = 0;
    redrawBoardWindow();
    rollout.rolloutRunning = hidden ? 255 : 0;
    rollout.noPause = hidden ? -1 : 0;
    rollout.rolloutShowBoard = 0;
    choose(kSettingsMenu, kFlipBoardItem);
    rollout.rolloutRunning = 0;
    rollout.noPause = 0;
    EXPECT_EQ(position.board[22], 1) << "flipped";
    EXPECT_EQ(countsBroken(), "");
  }
}

// Set Up Position and Set Up from Cleared Board chosen while Make Best Move's search tries
// plays on the board (its pump lets the choices in): the editor waits for the search, and
// the board the search puts back keeps both sides at fifteen.
TEST_F(CheckerCounts, TheEditorDoesNotStartUnderARunningSearch) {
  for (const int16_t item : {kSetupCurrentItem, kSetupEmptyItem}) {
    SCOPED_TRACE(item == kSetupCurrentItem ? "Set Up Position" : "Set Up from Cleared Board");
    personToPlayThreeOne();
    settings.noPumpDuringSearch = 0;  // the search gives the window its events
    redrawBoardWindow();
    bool asked = false;
    bool editorSeen = false;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      editorSeen = editorSeen || boardState.setupInProgress != 0;
      if (!asked) {
        asked = true;
        // Both choices are made at once: the second reaches the program during the first.
        script_.then([item] {
          chooseMenuItem(kComputerMenu, kMakeBestMoveItem);
          chooseMenuItem(kSettingsMenu, item);
        });
        return;
      }
      EXPECT_EQ(countsBroken(), "");
      leave();
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_FALSE(editorSeen) << "no editor under the search";
    EXPECT_EQ(countsBroken(), "");
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

// New Game chosen in each wait of a game barely begun: the game is left, nothing is scored
// and no end of the game is shown, and the new game begins.
TEST_F(CheckerCounts, ANewGameAskedInAnyWaitScoresNothing) {
  const struct {
    const char* name;
    bool chosen;       // the dice chosen by hand: New Game on their panel
    int16_t onRoll;    // the side the hand-over takes the roll from; -1: the person's move
  } rows[] = {{"the computer's dice chosen by hand", true, 0},
              {"the person's dice chosen by hand", true, 1},
              {"the person's roll", false, 1},
              {"the person's move", false, -1}};
  static int endsShown = 0;
  turnServices.showEndGameDialog = [](std::string_view) { ++endsShown; };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    endsShown = 0;
    flow.scores[0] = flow.scores[1] = 0;
    settings.inputDice = row.chosen ? -1 : 0;
    if (row.onRoll < 0) {
      personToPlayThreeOne();
    } else {
      // The person has played 8/5 6/5.
      testing::personToPlay("24:2 13:5 8:2 6:4 5:2 1:-2 12:-5 17:-3 19:-5 | side 0");
      cube.cubeUsed = 0;
      blankRecord(0);
      testing::setSideOnRoll(row.onRoll);
      diceState.diceShowing = 0;
    }
    redrawBoardWindow();
    const int16_t gamesBefore = flow.gamesThisRun;
    bool asked = false;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      if (asked) return leave();
      if (turnState.awaitingDiceClick != 0 && diceChooser.chooseDiceOpen == 0 && row.chosen)
        return script_.click(testing::diceSpot());
      ASSERT_EQ(diceChooser.chooseDiceOpen != 0, row.chosen) << "another wait came first";
      asked = true;
      script_.then([] { choose(kGameMenu, kNewGameItem); });
    };
    gameLoopStep();
    EXPECT_FALSE(script_.spent);
    EXPECT_TRUE(asked);
    EXPECT_EQ(endsShown, 0) << "no end of a game";
    EXPECT_EQ(flow.scores[0] + flow.scores[1], 0);
    EXPECT_EQ(flow.gamesThisRun, gamesBefore + 1) << "the new game has begun";
    shellFlags.quitRequested = 0;
    script_.planner = nullptr;
  }
}

}  // namespace
}  // namespace bg
