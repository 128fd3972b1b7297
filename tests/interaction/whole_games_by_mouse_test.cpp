// Whole games with the human's side played through real mouse events on the board: the
// dice are clicked to roll, each step of a legal play is a click on the checker, a drag
// and a click on the destination, and the computer's doubles are answered on the board's
// panel. Before some put-downs the script tries an illegal one, which must be refused
// with its message and change nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../display/board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "display/board_layout.h"
#include "flow/computer_move.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/board_hit_test.h"
#include "interaction/interaction_install.h"
#include "rules/best_plays.h"
#include "rules/dice.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "state/best_plays_state.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "support/mouse_script.h"

namespace bg {
namespace {

using Board = CheckedArray<int16_t, 25>;

struct ScriptRun {
  testing::MouseScript mouse;
  std::vector<std::pair<int16_t, int16_t>> plan;  // from-point, pips
  size_t next = 0;
  bool planned = false;
  Board expected;
  int games = 0;
  int wantedGames = 0;
  int stepsPlayed = 0;
  int refusals = 0;
  int answers = 0;
  int16_t lastMessage = kNoMessage;
  void (*realDisplayMessage)() = nullptr;
};
ScriptRun* run = nullptr;

void recordMessage() {
  if (interaction.messageNumber != kNoMessage) run->lastMessage = interaction.messageNumber;
  run->realDisplayMessage();
}

Point middleOf(const Rect& r) {
  return {static_cast<int16_t>((r.left + r.right) / 2), static_cast<int16_t>((r.top + r.bottom) / 2)};
}

// Where a click lands on point p (0..25): the first slot of its stack.
Point pointSpot(int16_t p) {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2),
          static_cast<int16_t>(L.pointGeometry[p][0] + L.pieceHeight / 2)};
}

Point traySpot() {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.trayLeft[0] + L.trayWidth / 2), static_cast<int16_t>(L.fieldBottom - L.trayHeight / 2)};
}

Point diceSpot() {
  const BoardPoint c = turnServices.boardCentre();
  return {static_cast<int16_t>(c.h + 70), c.v};
}

void applyStep(Board& b, int16_t from, int16_t pips) {
  b[from] -= 1;
  const int to = (from == 25 ? 0 : from) + pips;
  if (to > 24) return;
  if (b[to] == -1) {
    b[to] = 0;
    b[0] -= 1;
  }
  b[to] += 1;
}

// The play the computer would choose for the human, as steps of player 0.
void makePlan() {
  run->plan.clear();
  run->next = 0;
  // Reading the chosen play also sets the turn's move counts: they are kept as they were.
  const int16_t left = flow.movesLeft;
  const int16_t allowed = flow.movesAllowed;
  const int16_t playLength = playSearch.playLength;
  computerPlaysMoveFlagged();
  const int16_t length = loadChosenPlay(bestPlays.bestPlaysTrue, 1, playSearch.playFrom, playSearch.playDice);
  flow.movesLeft = left;
  flow.movesAllowed = allowed;
  playSearch.playLength = playLength;
  for (int16_t k = 1; k <= length; ++k) {
    int16_t from = playSearch.playFrom[k];
    if (from == kFromBar) from = 0;
    run->plan.emplace_back(static_cast<int16_t>(25 - from), playSearch.playDice[k]);
  }
  run->expected = position.board;
  run->planned = true;
}

bool expectsNoDie(int16_t pips) {
  const int16_t d0 = diceState.dice[0].value;
  const int16_t d1 = diceState.dice[1].value;
  // One pip off either die is refused silently, a used die (0) included.
  for (int16_t d : {d0, d1})
    if (std::abs(pips - d) == 1 || (d > 0 && (pips == d || pips % d == 0))) return false;
  return pips != d0 + d1;
}

// An illegal destination for the checker from `from` and the message it must get.
std::pair<int16_t, int16_t> illegalPutDown(int16_t from) {
  const int16_t start = from == 25 ? 0 : from;
  for (int16_t q = static_cast<int16_t>(start + 1); q <= 24; ++q) {
    if (position.board[q] <= -2) return {q, kPointBlockedMessage};
  }
  if (position.board[25] > 1) return {0, 0};
  for (int16_t q = static_cast<int16_t>(start + 1); q <= 24; ++q) {
    if (position.board[q] >= -1 && expectsNoDie(static_cast<int16_t>(q - start))) return {q, kNoDieFitsMessage};
  }
  return {0, 0};
}

// Queues a click that must be refused with `message` and leave board and hand as they are.
void tryRefused(Point at, int16_t message) {
  auto before = std::make_shared<Board>();
  auto held = std::make_shared<int16_t>();
  run->mouse.then([before, held] {
    *before = position.board;
    *held = boardInput.pickedCount;
    run->lastMessage = kNoMessage;
  });
  run->mouse.click(at);
  run->mouse.then([before, held, message] {
    EXPECT_EQ(run->lastMessage, message);
    for (int p = 0; p <= 25; ++p) EXPECT_EQ(position.board[p], (*before)[p]) << "point " << p;
    EXPECT_EQ(boardInput.pickedCount, *held);
    ++run->refusals;
  });
}

void planNextStep() {
  if (run->next >= run->plan.size()) {
    run->mouse.click(diceSpot());  // the rest of the roll cannot be played
    return;
  }
  for (int p = 0; p <= 25; ++p) ASSERT_EQ(position.board[p], run->expected[p]) << "point " << p;
  const auto [from, pips] = run->plan[run->next++];
  if (position.board[25] > 0 && from == 25) {
    for (int16_t p = 1; p <= 24; ++p) {
      if (position.board[p] > 0) {
        tryRefused(pointSpot(p), kEnterFromBarMessage);
        break;
      }
    }
  }
  run->mouse.click(pointSpot(from));
  const int to = (from == 25 ? 0 : from) + pips;
  const Point target = to > 24 ? traySpot() : pointSpot(static_cast<int16_t>(to));
  run->mouse.drag(pointSpot(from), target, 4);
  if (run->stepsPlayed % 3 == 0) {
    const auto [bad, message] = illegalPutDown(from);
    if (message != 0) tryRefused(pointSpot(bad), message);
  }
  run->mouse.click(target);
  applyStep(run->expected, from, pips);
  ++run->stepsPlayed;
}

void planner() {
  // A click outside the waits would be dropped by the next wait.
  if (::testing::Test::HasFatalFailure() || panelWait.clickWaitRunning == 0) return;
  if (panelWait.questionPanelUp == -1) {
    const Rect& button = ++run->answers % 2 ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect;
    run->mouse.click(middleOf(button));
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1) run->planned = false;
  if (turnState.awaitingDiceClick == -1) {
    run->planned = false;  // a new roll comes
    run->mouse.click(diceSpot());
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1 || hand.moveEntryActive != -1) return;
  if (boardInput.pickedCount != 0) return;
  if (!run->planned) makePlan();
  planNextStep();
}

void countGame() {
  ++run->games;
  run->planned = false;
  if (run->games >= run->wantedGames || ::testing::Test::HasFailure()) shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

class WholeGamesByMouse : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override {
    resetProgramState();
    testing::loadShippedMessages();
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    testing::openBoard(700, 1);
    installInteractionServices();
    setMouseVector([] { interactionDisplay.boardInputEvent = 255; });
    state_.realDisplayMessage = interactionServices.displayMessage;
    interactionServices.displayMessage = recordMessage;
    run = &state_;
    slice_ = eventSlice();
    setEventSlice(0);  // the script's pumps never wait for real time
  }
  void TearDown() override {
    run = nullptr;
    setMouseVector(nullptr);
    testing::clearSimulatedMouse();
    setPort(nullptr);
    windowClose(1);
    resetProgramState();
    setEventSlice(slice_);
  }
  int16_t slice_ = 0;
  ScriptRun state_;
  UseVirtualClock clock_;
};

TEST_P(WholeGamesByMouse, EveryPlayIsEnteredLegallyAndEveryIllegalPutDownRefused) {
  seedRandom(GetParam());
  fillDicePool();
  redrawBoardWindow();
  flow.opponentMode = 1;
  settings.soundOptions.soundOn = 0;
  displaySettings.pieceSpeed = 11;
  cube.cubeUsed = -1;
  options.selectOneOnly = -1;
  run->wantedGames = 2;
  run->mouse.planner = planner;
  run->mouse.onBudgetSpent = [] {
    ADD_FAILURE() << "the script ran out of pumps after " << run->stepsPlayed << " steps, game " << run->games;
    // The game loop only gives way to a new game while the shell is busy.
    shellFlags.quitRequested = -1;
    flow.newGameRequested = -1;
    shellFlags.modalBusy = 1;
    flow.abortTurn = kLeaveTurn;
  };
  turnServices.pumpEvents = [] {
    if (!run->mouse.spent) shellFlags.modalBusy = 0;
    run->mouse.pump();
  };
  turnServices.endGameHook = countGame;
  flow.newGameRequested = -1;
  runMainLoop();
  EXPECT_EQ(run->games, run->wantedGames);
  EXPECT_GT(run->stepsPlayed, 20);
  EXPECT_GT(run->refusals, 3);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeGamesByMouse, ::testing::Values<uint32_t>(5, 11, 17, 23));

}  // namespace
}  // namespace bg
