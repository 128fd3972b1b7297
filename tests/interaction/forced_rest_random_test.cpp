// Random positions played by random clicks with the automatic moves on: every die is used
// at most once, no part-move is made beyond the roll, and each side keeps its fifteen.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "flow/turn.h"
#include "interaction/board_waits.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/interaction_services.h"
#include "state/play_options.h"
#include "scripted_games.h"
#include "../flow/flow_fixture.h"

namespace bg {
namespace {

constexpr int kPositions = 200;
constexpr int kMostClicks = 40;

// Side 0 counts up to 24 with its bar at 25; side 1 counts down to 1 with its bar at 0.
// Each side's checkers stand mostly near its home, some on the bar, the rest borne off.
void randomPosition(std::mt19937& rng) {
  position.board = {};
  for (int16_t side = 0; side <= 1; ++side) {
    const int16_t sign = side == 0 ? 1 : -1;
    const int onBoard = std::uniform_int_distribution<int>(1, kCheckersPerSide)(rng);
    const int lowest = std::bernoulli_distribution(0.5)(rng) ? 1 : 13;  // a race or a whole board
    for (int n = 0; n < onBoard; ++n) {
      int16_t p = 0;
      if (std::bernoulli_distribution(0.04)(rng)) {
        p = side == 0 ? 25 : 0;
      } else {
        const int mine = std::uniform_int_distribution<int>(lowest, 24)(rng);  // in the side's own count
        p = static_cast<int16_t>(side == 0 ? mine : 25 - mine);
      }
      if (position.board[p] * sign < 0) continue;  // the other side's point: borne off instead
      position.board[p] = static_cast<int16_t>(position.board[p] + sign);
    }
  }
  for (int16_t side = 0; side <= 1; ++side) {
    int on = 0;
    for (int p = 0; p <= 25; ++p) on += std::max(0, position.board[p] * (side == 0 ? 1 : -1));
    position.piecesOnBoard[side] = static_cast<int16_t>(on);
  }
}

int onBoard(int16_t side) {
  int n = 0;
  for (int p = 0; p <= 25; ++p) n += std::max(0, position.board[p] * (side == 0 ? 1 : -1));
  return n;
}

class ForcedRestRandom : public testing::ScriptedGamesTest {};

// The parameter seeds the position, the options, the roll and the clicks.
TEST_P(ForcedRestRandom, ClicksAfterTheAutomaticMovesNeverPlayBeyondTheRoll) {
  {
    std::mt19937 rng(GetParam());
    testing::MouseScript script;
    testing::pumpWithScript(script, 400);
    interactionServices.displayMessage = [] {};
    randomPosition(rng);
    const int16_t side = static_cast<int16_t>(rng() % 2);
    position.playerType[side] = kHumanPlayer;
    position.playerType[1 - side] = kComputerPlayer;
    flow.opponentMode = kComputerOpponent;
    position.openingPhase = 0;
    flow.turnNumber = 9;
    const int16_t flags[] = {8, 8, 15, 0};  // forced moves only, or every automatic move
    options.autoMoves = flags[rng() % 4];
    options.autoPlayForcedOn = options.autoMoves != 0 ? -1 : 0;
    options.autoBearOffOn = options.autoMoves == 15 ? -1 : 0;
    options.autoEnterFromBarOn = options.autoMoves == 15 ? -1 : 0;
    options.autoPass = rng() % 2 == 0 ? 255 : 0;
    options.selectOneOnly = rng() % 2 == 0 ? -1 : 0;
    redrawBoardWindow();
    testing::turnGoesTo(side);
    const int a = static_cast<int>(rng() % 6) + 1;
    const int b = rng() % 3 == 0 ? a : static_cast<int>(rng() % 6) + 1;
    testing::scriptDice({a, b});

    static std::mt19937* clicksRng = nullptr;
    static testing::MouseScript* clicks = nullptr;
    static int made = 0;
    static int mostMoves = 0;
    clicksRng = &rng;
    clicks = &script;
    made = 0;
    mostMoves = 0;
    script.planner = [] {
      mostMoves = std::max<int>(mostMoves, flow.moveNumber);
      if (panelWait.clickWaitRunning == 0 || made >= kMostClicks) return;
      ++made;
      if (diceState.diceShowing == 0 || (*clicksRng)() % 8 == 0) {
        clicks->click(testing::diceSpot());
        return;
      }
      // Mostly a checker of the mover and the point a die away from it, as a person plays.
      const int16_t mover = position.currentPlayer;
      const int16_t dir = position.playerDirection[mover];
      std::vector<int16_t> own;
      for (int16_t p = 0; p <= 25; ++p)
        if (position.board[p] * dir > 0) own.push_back(p);
      if (own.empty() || (*clicksRng)() % 4 == 0) {
        clicks->click(testing::pointSpot(static_cast<int16_t>((*clicksRng)() % 26)));
        return;
      }
      const int16_t from = own[(*clicksRng)() % own.size()];
      const int16_t die = diceState.dice[(*clicksRng)() % 4].value;
      const int16_t start = from == 25 || from == 0 ? static_cast<int16_t>(25 - from) : from;
      const int to = std::clamp(start + dir * (die > 0 ? die : 1), 0, 25);
      clicks->click(testing::pointSpot(from));
      clicks->click(testing::pointSpot(static_cast<int16_t>(to)));
    };
    const int before[2] = {onBoard(0), onBoard(1)};
    std::string start;
    for (int p = 0; p <= 25; ++p)
      if (position.board[p] != 0) start += std::to_string(p) + ":" + std::to_string(position.board[p]) + " ";
    SCOPED_TRACE("side " + std::to_string(side) + " on " + start + "rolls " + std::to_string(a) + "-" + std::to_string(b));
    playTurn();
    setRandomHook(nullptr);
    EXPECT_LE(mostMoves, a == b ? 4 : 2) << "roll " << a << "-" << b;
    EXPECT_LE(flow.moveNumber, a == b ? 4 : 2);
    for (int k = 0; k <= 3; ++k) EXPECT_GE(diceState.dice[k].value, 0);
    for (int16_t s = 0; s <= 1; ++s) {
      const int held = s == position.currentPlayer ? boardInput.pickedCount : 0;
      EXPECT_EQ(onBoard(s) + held, position.piecesOnBoard[s]) << "side " << s;
      EXPECT_LE(before[s] - position.piecesOnBoard[s], a == b ? 4 : 2) << "side " << s;
    }
    if (HasFailure()) {
      std::string end;
      for (int p = 0; p <= 25; ++p)
        if (position.board[p] != 0) end += std::to_string(p) + ":" + std::to_string(position.board[p]) + " ";
      ADD_FAILURE() << "ends at " << end << "after " << made << " clicks, held " << boardInput.pickedCount;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ForcedRestRandom, ::testing::Range<uint32_t>(1, kPositions + 1));

}  // namespace
}  // namespace bg
