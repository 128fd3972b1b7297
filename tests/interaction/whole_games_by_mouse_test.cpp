// Whole games with the human's side played through real mouse events on the board: the
// dice are clicked to roll, each step of a legal play is a click on the checker, a drag
// and a click on the destination, and the computer's doubles are answered on the board's
// panel. Before some put-downs the script tries an illegal one, which must be refused
// with its message and change nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "display/board_layout.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/board_hit_test.h"
#include "rules/dice.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "scripted_games.h"

namespace bg {
namespace {

using testing::applyStep;
using testing::Board;
using testing::makePlan;
using testing::middleOf;

struct ScriptRun : testing::GameScript {
  int16_t lastMessage = kNoMessage;
  void (*realDisplayMessage)() = nullptr;
};
ScriptRun* run = nullptr;

void recordMessage() {
  if (interaction.messageNumber != kNoMessage) run->lastMessage = interaction.messageNumber;
  run->realDisplayMessage();
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
  run->script.then([before, held] {
    *before = position.board;
    *held = boardInput.pickedCount;
    run->lastMessage = kNoMessage;
  });
  run->script.click(at);
  run->script.then([before, held, message] {
    EXPECT_EQ(run->lastMessage, message);
    for (int p = 0; p <= 25; ++p) EXPECT_EQ(position.board[p], (*before)[p]) << "point " << p;
    EXPECT_EQ(boardInput.pickedCount, *held);
    ++run->refusals;
  });
}

void planNextStep() {
  if (run->next >= run->plan.size()) {
    run->script.click(diceSpot());  // the rest of the roll cannot be played
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
  run->script.click(pointSpot(from));
  const int to = (from == 25 ? 0 : from) + pips;
  const Point target = to > 24 ? traySpot() : pointSpot(static_cast<int16_t>(to));
  run->script.drag(pointSpot(from), target, 4);
  if (run->stepsPlayed % 3 == 0) {
    const auto [bad, message] = illegalPutDown(from);
    if (message != 0) tryRefused(pointSpot(bad), message);
  }
  run->script.click(target);
  applyStep(run->expected, from, pips);
  ++run->stepsPlayed;
}

void planner() {
  // A click outside the waits would be dropped by the next wait.
  if (::testing::Test::HasFatalFailure() || panelWait.clickWaitRunning == 0) return;
  if (panelWait.questionPanelUp == -1) {
    const Rect& button = ++run->answers % 2 ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect;
    run->script.click(middleOf(button));
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1) run->planned = false;
  if (turnState.awaitingDiceClick == -1) {
    run->planned = false;  // a new roll comes
    run->script.click(diceSpot());
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1 || hand.moveEntryActive != -1) return;
  if (boardInput.pickedCount != 0) return;
  if (!run->planned) makePlan();
  planNextStep();
}

class WholeGamesByMouse : public testing::ScriptedGamesTest {
 protected:
  void SetUp() override {
    ScriptedGamesTest::SetUp();
    state_.realDisplayMessage = interactionServices.displayMessage;
    interactionServices.displayMessage = recordMessage;
    run = &state_;
  }
  void TearDown() override {
    run = nullptr;
    ScriptedGamesTest::TearDown();
  }
  ScriptRun state_;
};

TEST_P(WholeGamesByMouse, EveryPlayIsEnteredLegallyAndEveryIllegalPutDownRefused) {
  options.selectOneOnly = -1;
  playTwoGames(state_, planner, testing::MouseScript{}.budget);  // the script's own budget
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeGamesByMouse, ::testing::Values<uint32_t>(5, 11, 17, 23));

}  // namespace
}  // namespace bg
