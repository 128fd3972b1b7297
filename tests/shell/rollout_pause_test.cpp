// The rollout's windows closed by their close boxes, a rollout refused when there is no
// game on the board, and a paused rollout giving the user's side its ordinary turn: the
// board drawn, the prompts on the message line, Start going on and Return ending at once.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "../display/board_fixture.h"
#include "dialogs/about_box.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "display/message_line.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/interaction_install.h"
#include "runtime/qt/cursors.h"
#include "shell/board_window_events.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "state/board_input.h"
#include "state/display_services.h"
#include "state/message_numbers.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/shell_flags.h"
#include "support/mouse_script.h"
#include "rollout_fixture.h"

namespace bg {
namespace {

using RolloutPause = testing::RolloutWindowsFixture;
using testing::kBarMenus;

// A race: quick games, side 1 to move first, so the board has changed by side 0's turn.
constexpr const char* kRace = "1:3 2:3 3:3 4:3 5:3 20:-3 21:-3 22:-3 23:-3 24:-3 | side 1";

bool menusEnabled() {
  for (int16_t m : kBarMenus)
    if (!menuItemEnabled(m, 0)) return false;
  return true;
}

TEST_F(RolloutPause, TheSetUpWindowsCloseBoxCancels) {
  ASSERT_TRUE(openSetup());
  EXPECT_TRUE(contentWidget(kRolloutSetupWindow)->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  typeInto(kSetupGamesField, "150");
  testing::clickCloseBox(kRolloutSetupWindow);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 5));
  EXPECT_EQ(rolloutSettings.gamesWanted, 1000) << "closing reads nothing";
  EXPECT_FALSE(rolloutInProgress());
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
  EXPECT_TRUE(menusEnabled());
}

// The About box chosen from the application menu before the rollout's game ends, and how
// the person closes it once the board is given back.
constexpr int16_t kAboutItem = 1;
struct AboutRow {
  const char* way;
  void (*close)();
};
constexpr AboutRow kAboutRows[] = {
    {"no About box", nullptr},
    {"Done", [] { testing::clickControl(kAboutWindow, 1); }},
    {"Return", [] { testing::typeKey(kAboutWindow, Qt::Key_Return); }},
    {"Escape", [] { testing::typeKey(kAboutWindow, Qt::Key_Escape); }},
    {"close box", [] { testing::clickCloseBox(kAboutWindow); }},
};

TEST_F(RolloutPause, TheResultsWindowsCloseBoxReturnsAndTheBoardsDoesNot) {
  for (const AboutRow& r : kAboutRows) {
    SCOPED_TRACE(r.way);
    testing::setPosition("start");
    flow.newGameRequested = 0;
    ASSERT_TRUE(startRolloutOf("20"));
    EXPECT_TRUE(contentWidget(kRolloutResultsWindow)->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    // The board's close box beside the rollout's window ends nothing.
    testing::clickCloseBox(1);
    testing::pumpUntil([] { return false; }, 3);
    EXPECT_TRUE(windowExists(kRolloutResultsWindow));
    EXPECT_EQ(rolloutSettings.rolloutStopFlag, 0);
    EXPECT_EQ(shellFlags.quitRequested, 0);

    testing::clickCloseBox(kRolloutResultsWindow);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5));
    EXPECT_EQ(rolloutSettings.rolloutStopFlag, -1) << "as Return: the next new game ends the rollout";
    EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
    EXPECT_FALSE(menusEnabled()) << "until the person's game is back";
    if (r.close != nullptr) {
      chooseMenuItem(kApplicationMenu, kAboutItem);
      ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kAboutWindow); }, 5));
    }
    nextRolloutGame();
    EXPECT_FALSE(rolloutInProgress());
    if (r.close != nullptr) {
      EXPECT_FALSE(menusEnabled()) << "not under the box";
      r.close();
      EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kAboutWindow); }, 6)) << "the box is closed";
      windowClose(kAboutWindow);
    }
    EXPECT_TRUE(menusEnabled());
  }
}

TEST_F(RolloutPause, ABoardWithoutAGameOrWithPartOfTheRollPlayedIsNotRolledOut) {
  struct Row {
    const char* position;
    int16_t movesLeft;
    int16_t movesAllowed;
    bool accepted;
  };
  const Row rows[] = {{"", 0, 2, false},      {"6:5 8:3", 0, 2, false}, {"19:-2", 0, 2, false},
                      {"6:1 19:-1", 0, 2, true}, {"start", 0, 2, true},   {"start", 2, 2, true},
                      {"start", 1, 2, false},    {"start", 3, 4, false},  {"start", 4, 4, true}};
  for (const Row& r : rows) {
    testing::setPosition(r.position);
    flow.movesLeft = r.movesLeft;
    flow.movesAllowed = r.movesAllowed;
    const auto board = position.board;
    const bool told = answerInformationBox([] { chooseMenuItem(kGameMenu, kRolloutItem); });
    testing::pumpUntil([] { return false; }, 3);
    const std::string row = std::string(r.position) + " " + std::to_string(r.movesLeft) + "/" + std::to_string(r.movesAllowed);
    EXPECT_EQ(told, !r.accepted) << row;
    EXPECT_EQ(windowExists(kRolloutSetupWindow), r.accepted) << row;
    EXPECT_EQ(position.board, board) << row;
    EXPECT_FALSE(rolloutInProgress()) << row;
    if (r.accepted) {
      click(kRolloutSetupWindow, 2);
      testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 5);
    }
    EXPECT_TRUE(menusEnabled()) << row;
  }
}

// What the user does at side 0's turns of a paused rollout, one step per pump.
struct PausedPlay {
  long pumps = 0;
  void (*realUpdate)() = nullptr;
  int stopAfterGames = 2;
  bool stopped = false;
  bool returnWhilePaused = false;
  bool holdWhenReturning = false;  // a checker picked up before Return
  bool holdWhenStarting = false;   // a checker picked up before Start
  int16_t heldAtStart = 0;
  std::string countsAfterStart = "not looked at";
  int16_t heldAtReturn = 0;
  CheckedArray<int16_t, 1> countsAtFirstWait{};
  int16_t heldAtFirstWait = -1;
  int step = 0;
  int countedAtPause = -1;
  bool endChecked = false;
  bool firstWaitSeen = false;
  int16_t diceAtFirstWait = 0;
  std::pair<int16_t, int16_t> rollAtFirstWait;
  bool rollAwaited = false;
  int16_t messageAtFirstWait = 0;
  CheckedArray<CheckedArray<DiceEntry, 1>, 1> slotsAtFirstWait;
  QRect differenceAtFirstWait{0, 0, 1, 1};
  QRect differenceAtTurn{0, 0, 1, 1};
  void (*realNextGame)() = nullptr;
  bool movedBeforeTurn = false;
  bool promptShown = false;
  int16_t promptNumber = 0;
  int16_t messageAtTurn = 0;
  int boardFlushesAtTurn = -1;
  int boardFlushesWhileRunning = -1;
  CheckedArray<CheckedArray<DiceEntry, 1>, 1> framesAtTurn;
  CheckedArray<int16_t, 25> boardAtEnd;
};
PausedPlay* play = nullptr;

int counted() { return rolloutStats.wins[0] + rolloutStats.wins[1]; }

// Point 12's checker place: no checker of either side there.
Point emptyPoint() {
  return {static_cast<int16_t>(layout.pointGeometry[12][5] + layout.pieceWidth / 2),
          static_cast<int16_t>(layout.pointGeometry[12][0] + layout.pieceHeight / 2)};
}

// Point 5's first checker place: side 0's checkers in the race.
Point sideZeroPoint() {
  return {static_cast<int16_t>(layout.pointGeometry[5][5] + layout.pieceWidth / 2),
          static_cast<int16_t>(layout.pointGeometry[5][0] + layout.pieceHeight / 2)};
}

// A click where the mouse is: the board reads the mouse's place when it takes the click.
void clickOnBoard(Point p) {
  const Point global = testing::MouseScript::globalOf(p);
  testing::simulateMouse(global, true);
  testing::pressAt(1, p);
  testing::simulateMouse(global, false);
  testing::releaseAt(1, p);
}

void leaveTheLoop() { testing::leaveTheMainLoop(); }

// The user presses Stop after a few games, at the pump the statistics make.
// The paints one flush of the board gives.
int paintsOfAFlush() { return testing::paintsDuring(1, [] { flushWindow(1); }); }

void updateThenMaybeStop() {
  if (play->boardFlushesWhileRunning < 0) play->boardFlushesWhileRunning = paintsOfAFlush();
  if (!play->stopped && counted() + 1 == play->stopAfterGames) {
    play->stopped = true;
    QTest::mouseClick(controlWidget(kRolloutResultsWindow, kStartStopButton), Qt::LeftButton);
  }
  play->realUpdate();
}

// The position the rollout leaves for the user's own game.
void nextGameThenLook() {
  play->realNextGame();
  if (rolloutInProgress() || play->endChecked) return;
  play->endChecked = true;
  play->boardAtEnd = position.board;
}

// "" when each side has fifteen on the board, in the hand of the side on roll and off.
std::string countsOff() {
  std::string off;
  for (int16_t s = 0; s <= 1; ++s) {
    int on = 0;
    for (int p = 0; p <= 25; ++p)
      if ((position.board[p] > 0) == (s == 0) && position.board[p] != 0) on += std::abs(position.board[p]);
    const int held = s == position.currentPlayer ? boardInput.pickedCount : 0;
    if (on + held + kCheckersPerSide - position.piecesOnBoard[s] != kCheckersPerSide)
      off += "side " + std::to_string(s) + ": board " + std::to_string(on) + " hand " + std::to_string(held) + "; ";
  }
  return off;
}

constexpr long kPumpBudget = 50000;

void scriptedPump() {
  FBHandleEvents();
  PausedPlay& p = *play;
  if (++p.pumps > kPumpBudget) {
    if (p.pumps == kPumpBudget + 1) ADD_FAILURE() << "the script went astray at step " << p.step << " side " << position.currentPlayer
                    << " front " << frontWindow() << " dice " << diceState.diceShowing;
    leaveTheLoop();
    return;
  }
  if (!rolloutInProgress()) {
    // The user's own game goes on: the test looks at its first wait and ends there.
    if (!p.firstWaitSeen) {
      p.firstWaitSeen = true;
      p.diceAtFirstWait = diceState.diceShowing;
      p.rollAtFirstWait = {diceState.dice[0].value, diceState.dice[1].value};
      p.rollAwaited = turnState.awaitingDiceClick == -1;
      p.messageAtFirstWait = messageLine.lastMessageRecord.currentNumber;
      p.slotsAtFirstWait = display.dieSlots;
      p.countsAtFirstWait = position.piecesOnBoard;
      p.heldAtFirstWait = boardInput.pickedCount;
      p.differenceAtFirstWait = testing::differenceFromAFreshRedraw();
    }
    leaveTheLoop();
    return;
  }
  if (p.step == 11) {
    // The first pump after Start with a checker in the hand.
    p.countsAfterStart = countsOff();
    p.step = 12;
  }
  if (!rolloutPaused()) return;
  switch (p.step) {
    case 0:
      // Side 0's turn: the new game's posted click has rolled for it, its play is awaited
      // on the board as it stands, side 1's play and the roll on it.
      if (position.currentPlayer != kPlayer0 || diceState.diceShowing == 0) return;
      p.countedAtPause = counted();
      p.messageAtTurn = messageLine.lastMessageRecord.currentNumber;
      p.framesAtTurn = display.dieSlots;
      p.boardFlushesAtTurn = paintsOfAFlush();
      p.movedBeforeTurn = position.board != rolloutStats.rolloutStartBoard;
      p.differenceAtTurn = testing::differenceFromAFreshRedraw();
      if (p.holdWhenStarting || (p.returnWhilePaused && p.holdWhenReturning)) {
        clickOnBoard(sideZeroPoint());
        p.step = p.holdWhenStarting ? 10 : 8;
        return;
      }
      if (p.returnWhilePaused) {
        QTest::mouseClick(controlWidget(kRolloutResultsWindow, kReturnButton), Qt::LeftButton);
        p.step = 9;
        return;
      }
      messageLine.messageLineShown = 0;
      clickOnBoard(emptyPoint());
      p.step = 1;
      return;
    case 1:
      // A click on an empty point gets the ordinary prompt.
      p.promptShown = messageLine.messageLineShown == -1;
      p.promptNumber = messageLine.lastMessageRecord.currentNumber;
      QTest::mouseClick(controlWidget(kRolloutResultsWindow, kStartStopButton), Qt::LeftButton);
      p.step = 2;
      return;
    case 8:
    case 10: {
      // The checker is in the hand when Return (step 8) or Start (step 10) is clicked.
      if (boardInput.pickedCount == 0) return;
      const bool start = p.step == 10;
      (start ? p.heldAtStart : p.heldAtReturn) = boardInput.pickedCount;
      QTest::mouseClick(controlWidget(kRolloutResultsWindow, start ? kStartStopButton : kReturnButton), Qt::LeftButton);
      p.step = start ? 11 : 9;
      return;
    }
    default:
      return;
  }
}

class PausedRollout : public RolloutPause {
 protected:
  void SetUp() override {
    RolloutPause::SetUp();
    // The whole program, as the application installs it.
    installFlowServices();
    installDisplayServices();
    installInteractionServices();
    installBoardWindowHandler();
    setMouseVector(mouseEventHook);
    storage.firstRun = 0;  // the welcome was read long ago
    testing::clearSimulatedMouse();
    testing::setPosition(kRace);
    position.openingPhase = 0;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    play_ = PausedPlay{};
    play = &play_;
  }
  void TearDown() override {
    play = nullptr;
    setMouseVector(nullptr);
    testing::clearSimulatedMouse();
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    RolloutPause::TearDown();
  }
  void runRollout(const char* games) {
    ASSERT_TRUE(startRolloutOf(games));
    start_ = rolloutStats.rolloutStartBoard;
    play_.realUpdate = turnServices.updateRolloutStatistics;
    turnServices.updateRolloutStatistics = updateThenMaybeStop;
    play_.realNextGame = rolloutServices.nextRolloutGame;
    rolloutServices.nextRolloutGame = nextGameThenLook;
    const auto pump = turnServices.pumpEvents;
    turnServices.pumpEvents = scriptedPump;
    shellFlags.quitRequested = 0;
    runMainLoop();
    turnServices.pumpEvents = pump;
    turnServices.updateRolloutStatistics = play_.realUpdate;
    rolloutServices.nextRolloutGame = play_.realNextGame;
  }
  PausedPlay play_;
  CheckedArray<int16_t, 25> start_;
};

TEST_F(PausedRollout, SideZerosTurnShowsTheBoardAndPromptsAndStartGoesOn) {
  runRollout("6");
  const PausedPlay& p = play_;
  EXPECT_TRUE(p.stopped);
  EXPECT_EQ(p.countedAtPause, p.stopAfterGames);
  EXPECT_TRUE(p.movedBeforeTurn) << "side 1 played before side 0's turn";
  EXPECT_TRUE(p.differenceAtTurn.isEmpty())
      << "the paused board and roll are drawn: " << p.differenceAtTurn.x() << "," << p.differenceAtTurn.y();
  EXPECT_TRUE(p.promptShown);
  EXPECT_EQ(p.promptNumber, kNoCheckerThereMessage);
  EXPECT_EQ(p.boardFlushesWhileRunning, 0) << "the hidden board is not put on the screen";
  EXPECT_EQ(p.boardFlushesAtTurn, 1) << "the paused board is";
  EXPECT_EQ(p.step, 2);
  // Start went on: every game wanted was played, the paused one too.
  EXPECT_EQ(counted(), 6);
  EXPECT_FALSE(rolloutInProgress());
  EXPECT_TRUE(p.endChecked);
  EXPECT_EQ(p.boardAtEnd, start_);
  EXPECT_EQ(position.playerType[0], kHumanPlayer);
  EXPECT_EQ(position.playerType[1], kComputerPlayer);
  ASSERT_TRUE(windowExists(kRolloutResultsWindow));
  EXPECT_EQ(controlText(kRolloutResultsWindow, kReturnButton), "Return");
}

// With the board shown a game lasts many seconds: Stop clicked during a turn is taken
// between turns, not at the game's end, and reads Start from then on (a second click
// meanwhile would have undone the first).
struct StopOnTheBoard {
  int turns = 0;
  bool busyShown = false;
  int countedAtClick = -1;
  int countedAtNextTurn = -1;
  bool pausedAtNextTurn = false;
  std::string titleAtNextTurn;
};
StopOnTheBoard stopOnTheBoard;
constexpr int kTurnOfTheClick = 3;

TEST_F(PausedRollout, StopWithTheBoardShownIsTakenByTheNextTurn) {
  ASSERT_TRUE(startShownRolloutOf("300"));
  stopOnTheBoard = StopOnTheBoard{};
  turnServices.pumpEvents = [] { FBHandleEvents(); };
  // Each turn begins with the game cursor; the computer's search shows the busy one first.
  turnServices.setCursor = [](int16_t cursor) {
    setCursor(cursor);
    StopOnTheBoard& s = stopOnTheBoard;
    if (cursor == kBusyCursor) s.busyShown = true;
    if (cursor != kGameCursor || std::exchange(s.busyShown, false)) return;
    if (++s.turns == kTurnOfTheClick) {
      s.countedAtClick = counted();
      QTest::mouseClick(controlWidget(kRolloutResultsWindow, kStartStopButton), Qt::LeftButton);
    } else if (s.turns == kTurnOfTheClick + 1) {
      s.countedAtNextTurn = counted();
      s.pausedAtNextTurn = rolloutPaused();
      s.titleAtNextTurn = controlText(kRolloutResultsWindow, kStartStopButton);
      leaveTheLoop();
    }
  };
  shellFlags.quitRequested = 0;
  runMainLoop();
  const StopOnTheBoard& s = stopOnTheBoard;
  ASSERT_EQ(s.turns, kTurnOfTheClick + 1);
  EXPECT_EQ(s.countedAtNextTurn, s.countedAtClick) << "within the game of the click";
  EXPECT_TRUE(s.pausedAtNextTurn);
  EXPECT_EQ(s.titleAtNextTurn, "Start");
  restoreSettingsAfterRollout();
}

TEST_F(PausedRollout, ReturnWhilePausedEndsAtOnceWithoutTheUnfinishedGame) {
  play_.returnWhilePaused = true;
  runRollout("500");
  const PausedPlay& p = play_;
  ASSERT_TRUE(p.stopped);
  EXPECT_EQ(p.step, 9);
  EXPECT_TRUE(p.differenceAtTurn.isEmpty());
  EXPECT_EQ(counted(), p.countedAtPause) << "the unfinished game is not counted";
  EXPECT_FALSE(rolloutInProgress());
  EXPECT_FALSE(windowExists(kRolloutResultsWindow));
  EXPECT_TRUE(menusEnabled());
  EXPECT_EQ(p.boardAtEnd, start_);
  EXPECT_EQ(position.playerType[0], kHumanPlayer);
  std::ifstream in(dataFilePath("Rollout Result.txt"), std::ios::binary);
  std::stringstream report;
  report << in.rdbuf();
  EXPECT_NE(report.str().find("   Games rolled out:  " + std::to_string(p.countedAtPause)), std::string::npos)
      << report.str();
}

// Return or Start clicked with a checker of the paused game in the hand: the checker goes
// back first. After Return the user's own game has fifteen a side and an empty hand; after
// Start the computer takes the turn over with fifteen a side and plays the rollout out.
TEST_F(PausedRollout, ReturnOrStartWithACheckerInTheHandPutsItBackFirst) {
  for (const bool start : {false, true}) {
    SCOPED_TRACE(start ? "Start" : "Return");
    flow.newGameRequested = 0;
    testing::setPosition(kRace);
    position.openingPhase = 0;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    play_ = PausedPlay{};
    play_.returnWhilePaused = !start;
    play_.holdWhenReturning = !start;
    play_.holdWhenStarting = start;
    runRollout(start ? "6" : "500");
    const PausedPlay& p = play_;
    ASSERT_TRUE(p.stopped);
    EXPECT_EQ(start ? p.heldAtStart : p.heldAtReturn, 1);
    EXPECT_EQ(p.boardAtEnd, start_);
    if (start) {
      EXPECT_EQ(p.countsAfterStart, "");
      EXPECT_EQ(counted(), 6);
      continue;
    }
    EXPECT_EQ(p.step, 9);
    EXPECT_FALSE(rolloutInProgress());
    ASSERT_TRUE(p.firstWaitSeen);
    EXPECT_EQ(p.heldAtFirstWait, 0);
    EXPECT_EQ(p.countsAtFirstWait, (CheckedArray<int16_t, 1>{{{15, 15}}}));
  }
}

TEST_F(PausedRollout, ARolloutWithTheDiceInHandLeavesNoClickForThePausedTurn) {
  testing::setPosition("1:3 2:3 3:3 4:3 5:3 20:-3 21:-3 22:-3 23:-3 24:-3 | dice 6 5 | side 0");
  diceState.diceShowing = -1;
  display.dieSlots[0][0].value = 6;
  display.dieSlots[0][1].value = 5;
  display.dieSlots[1][0].value = 4;
  display.dieSlots[1][1].value = 1;
  hook::setDiceDisplayFlags(-1);
  const auto frames = display.dieSlots;
  play_.returnWhilePaused = true;
  play_.stopAfterGames = 1;
  runRollout("500");
  const PausedPlay& p = play_;
  for (int side = 0; side <= 1; ++side)
    for (int place = 0; place <= 1; ++place)
      EXPECT_EQ(p.framesAtTurn[side][place].value, frames[side][place].value) << "the frames show the roll in hand";
  EXPECT_EQ(p.step, 9);
  EXPECT_EQ(p.countedAtPause, 1);
  EXPECT_NE(p.messageAtTurn, kMovesToPlayMessage) << "nobody clicked the dice";
  EXPECT_TRUE(p.differenceAtTurn.isEmpty());
  EXPECT_FALSE(rolloutInProgress());
}

TEST_F(PausedRollout, TheUsersGameComesBackAsItStood) {
  struct Row {
    const char* position;
    bool diceShowing;
  };
  for (const Row& r : {Row{"1:3 2:3 3:3 4:3 5:3 20:-3 21:-3 22:-3 23:-3 24:-3 | side 0", false},
                       Row{"1:3 2:3 3:3 4:3 5:3 20:-3 21:-3 22:-3 23:-3 24:-3 | dice 6 5 | side 0", true}}) {
    SCOPED_TRACE(r.position);
    flow.newGameRequested = 0;
    testing::setPosition(r.position);
    diceState.diceShowing = r.diceShowing ? -1 : 0;
    position.openingPhase = 0;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    // The frames show the last rolls of the user's game.
    display.dieSlots[0][0].value = r.diceShowing ? 6 : 2;
    display.dieSlots[0][1].value = r.diceShowing ? 5 : 3;
    display.dieSlots[1][0].value = 4;
    display.dieSlots[1][1].value = 1;
    // The roll in hand shows on the board, the other side's last roll in its frames.
    hook::setDiceDisplayFlags(diceState.diceShowing);
    const auto frames = display.dieSlots;
    const auto board = position.board;
    play_ = PausedPlay{};
    play_.stopAfterGames = -1;
    runRollout("4");
    const PausedPlay& p = play_;
    ASSERT_TRUE(p.firstWaitSeen);
    EXPECT_EQ(counted(), 4);
    EXPECT_EQ(p.boardAtEnd, board);
    EXPECT_EQ(p.diceAtFirstWait != 0, r.diceShowing) << "no roll is made for the user";
    EXPECT_EQ(p.rollAwaited, !r.diceShowing) << "the user rolls";
    if (r.diceShowing) {
      EXPECT_EQ(p.rollAtFirstWait, (std::pair<int16_t, int16_t>{6, 5})) << "the user's roll stands";
    }
    EXPECT_NE(p.messageAtFirstWait, kMovesToPlayMessage) << "no click was left for the user's wait";
    for (int side = 0; side <= 1; ++side)
      for (int place = 0; place <= 1; ++place)
        EXPECT_EQ(p.slotsAtFirstWait[side][place], frames[side][place]) << side << "," << place;
    EXPECT_TRUE(p.differenceAtFirstWait.isEmpty());
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    click(kRolloutResultsWindow, kReturnButton);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5));
    EXPECT_TRUE(menusEnabled());
  }
}

}  // namespace
}  // namespace bg
