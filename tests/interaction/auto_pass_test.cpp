// The automatic pass through the real playTurn: after the playable part of a blocked roll
// the turn passes by itself with its message and its pause, or waits for the human when
// Auto Pass is off; side 1 gets the same on the mirrored board.
#include "../flow/flow_fixture.h"
#include "flow/turn.h"
#include "interaction/auto_moves.h"
#include "rules/checker_move.h"
#include "state/speech_state.h"

namespace bg {
namespace {

using testing::flowLog;

struct AutoPassRow {
  int16_t side;
  const char* board;  // the mover's 6 is blocked, its 1 is open
  int16_t from;       // where the human plays the 1 from
  uint8_t autoPass;
  int humanTurns;     // how often move entry was asked for
  std::vector<std::string> messages;
  std::vector<double> pauses;
};

class AutoPassTest : public testing::FlowTest, public ::testing::WithParamInterface<AutoPassRow> {};

int humanTurns = 0;
int16_t playFrom = 0;
std::vector<double> pauses;

// The human plays the 1; asked again, the turn is left as a click on the dice would.
void playTheOne() {
  if (humanTurns++ == 0) {
    hand.selectedPoint = playFrom;
    hand.moveDistance = 1;
    hand.typedMoveStep = hand.moveStepCount = 1;
    hand.typedMovePending = -1;  // lifted from its point, as a typed move is
    moveOneChecker();
    hand.typedMovePending = 0;
    return;
  }
  flow.abortTurn = kLeaveTurn;
}

TEST_P(AutoPassTest, BlockedRestOfTheRollPassesOnlyWithAutoPass) {
  const AutoPassRow& row = GetParam();
  humanTurns = 0;
  playFrom = row.from;
  pauses.clear();
  flow.opponentMode = kTwoPeople;
  position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
  position.openingPhase = 0;
  flow.turnNumber = 5;
  options.autoMoves = 0;
  options.autoPass = row.autoPass;
  testing::setPosition(row.board);
  turnServices.humanTurn = playTheOne;
  turnServices.reportNoMoreMoves = reportNoMoreMoves;
  shellServices.pauseAfterMove = [](double s) { pauses.push_back(s); };
  testing::turnGoesTo(row.side);
  flow.abortTurn = 0;
  testing::scriptDice({6, 1});
  playTurn();
  EXPECT_EQ(humanTurns, row.humanTurns);
  EXPECT_EQ(flowLog.messages, row.messages);
  EXPECT_EQ(pauses, row.pauses);
  // Passed, the dice come off at the turn's end; waiting, they stay for the click.
  EXPECT_EQ(diceState.diceShowing, row.autoPass != 0 ? 0 : -1);
  EXPECT_EQ(position.board[row.from], row.side == 0 ? 1 : -1);
  EXPECT_EQ(position.board[row.side == 0 ? row.from + 1 : row.from - 1], row.side == 0 ? 1 : -1);
  EXPECT_EQ(speech.waitForSpeechEnd, row.autoPass != 0 ? -1 : 0);
}

constexpr const char* kSide0 = "18:2 24:-2 1:-13";
constexpr const char* kSide1 = "7:-2 1:2 24:13";
const std::vector<std::string> kTold{"You don't have any more moves"};
INSTANTIATE_TEST_SUITE_P(Rows, AutoPassTest, ::testing::Values(
  AutoPassRow{0, kSide0, 18, 255, 1, kTold, {2.0}},
  AutoPassRow{1, kSide1, 7, 255, 1, kTold, {2.0}},
  AutoPassRow{0, kSide0, 18, 0, 2, {}, {}},
  AutoPassRow{1, kSide1, 7, 0, 2, {}, {}}));

// Nothing is told while the roll still has a play, while a checker is held, or when the
// mover has no checker left.
class NoMoreMovesTest : public testing::FlowTest {};

TEST_F(NoMoreMovesTest, QuietWhileAPlayIsLeftOrACheckerHeld) {
  testing::setPosition("18:2 24:-2 1:-13 | dice 6 1");
  position.currentPlayer = 0;
  reportNoMoreMoves();
  diceState.dice[1].value = 0;
  hand.pieceInHand = -1;
  reportNoMoreMoves();
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(flow.movePhaseOver, 0);
  hand.pieceInHand = 0;
  reportNoMoreMoves();
  EXPECT_EQ(flowLog.messages, kTold);
  EXPECT_EQ(flow.movePhaseOver, -1);
}

}  // namespace
}  // namespace bg
