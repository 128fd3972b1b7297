// Whole games of the computer against itself through the real search, evaluation and
// play, with the least form of the game loop: every play made is one of the legal plays
// of an independent generator, and both sides always keep 15 men.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "computer/computer_services.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "flow/computer_move.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "rules/new_game.h"
#include "state/position.h"
#include "rules/reference_moves.h"
#include "state/search_services.h"
#include "state/turn_flags.h"
#include "rules_fixture_link.h"
#include "runtime/core/random.h"

namespace bg {
namespace {

using testing::RefPosition;

constexpr int kTurnCap = 500;
constexpr int kGamesEach = 3;

RefPosition realPosition() {
  RefPosition pos;
  for (int i = 0; i <= 25; ++i) pos.board[i] = position.board[i];
  pos.off[0] = 15 - position.piecesOnBoard[0];
  pos.off[1] = 15 - position.piecesOnBoard[1];
  return pos;
}

int menOf(const RefPosition& pos, int side) {
  const int dir = side == 0 ? 1 : -1;
  int men = pos.off[side];
  for (int c : pos.board) {
    if (c * dir > 0) men += c * dir;
  }
  return men;
}

void rollDice(bool opening) {
  int d0 = rnd(6);
  int d1 = rnd(6);
  while (opening && d1 == d0) d1 = rnd(6);
  const bool doubles = d0 == d1;
  for (int n = 0; n <= 3; ++n) {
    const int value = n <= 1 ? (n == 0 ? d0 : d1) : (doubles ? d0 : 0);
    diceState.dice[n].value = static_cast<int16_t>(value);
    diceState.rolledDice[n] = static_cast<int16_t>(value);
  }
  diceState.rolledDoubles = doubles ? -1 : 0;
  flow.movesAllowed = doubles ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  flow.moveNumber = 0;
  flow.abortTurn = 0;
  flow.movePhaseOver = 0;
}

struct GameResult {
  int turns = 0;
  bool finished = false;
};

// One game; every turn's play is checked against the legal plays.
GameResult playGame(int skillLevel, int personality) {
  setStartingPosition();
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
  skill.skillLevel = static_cast<int16_t>(skillLevel);
  skill.skillFactor = skillFactorFor(skill.skillLevel);
  skill.personality = static_cast<int16_t>(personality);
  position.currentPlayer = static_cast<int16_t>(rnd(2) - 1);

  GameResult result;
  for (int turn = 0; turn < kTurnCap; ++turn) {
    if (turn > 0) position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
    position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
    rollDice(turn == 0);
    const int side = position.currentPlayer;
    const RefPosition before = realPosition();
    std::vector<int> dice = {diceState.dice[0].value, diceState.dice[1].value};
    if (dice[0] == dice[1]) dice = {dice[0], dice[0], dice[0], dice[0]};
    const auto legal = testing::referencePlays(before, side, dice);

    computerPlaysMove();

    const RefPosition after = realPosition();
    if (legal.finals.empty()) {
      EXPECT_EQ(after, before) << "turn " << turn << ": a play where none was legal";
    } else {
      EXPECT_EQ(legal.finals.count(after), 1u)
          << "turn " << turn << ": an illegal play, roll " << dice[0] << "-" << dice[1];
    }
    EXPECT_EQ(menOf(after, 0), 15);
    EXPECT_EQ(menOf(after, 1), 15);
    if (::testing::Test::HasFailure()) return result;
    result.turns = turn + 1;
    if (position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0) {
      result.finished = true;
      return result;
    }
  }
  return result;
}

class ComputerGamesTest : public testing::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices = SearchServices{};
    turnFlags = TurnFlags{};
    initComputerData();
    installComputerSearchServices();
    installFlowSearchServices();
  }
  void TearDown() override {
    searchServices = SearchServices{};
    RulesTest::TearDown();
  }
};

TEST_F(ComputerGamesTest, EverySkillLevelAndPersonalityPlaysLegally) {
  int capped = 0;
  for (int level = 1; level <= 5; ++level) {
    for (int personality = 1; personality <= 3; ++personality) {
      for (int game = 0; game < kGamesEach; ++game) {
        seedRandom(static_cast<uint32_t>(1000 + level * 100 + personality * 10 + game));
        const GameResult result = playGame(level, personality);
        ASSERT_FALSE(HasFailure()) << "level " << level << " personality " << personality << " game " << game;
        if (!result.finished) ++capped;
      }
    }
  }
  // A game that runs into the cap is reported, not failed.
  if (capped > 0) std::printf("%d game(s) reached the %d-turn cap\n", capped, kTurnCap);
}

}  // namespace
}  // namespace bg
