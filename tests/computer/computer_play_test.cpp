// Every play of the opening book, for either side and either variant, is legal by the
// independent move generator.
#include <gtest/gtest.h>

#include <vector>

#include "computer/computer_play.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "rules/best_plays.h"
#include "rules/mover_view.h"
#include "rules/new_game.h"
#include "rules/reference_moves.h"
#include "state/best_plays_state.h"
#include "state/dice_state.h"
#include "runtime/core/random.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "support/position_text.h"

namespace bg {
namespace {

int32_t drawn = 1;  // what the random hook hands out: 4 picks the book's second variant

class ComputerPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    initComputerData();
    setRandomHook([](int32_t) { return drawn; });
  }
  void TearDown() override { setRandomHook(nullptr); }
};

testing::RefPosition boardNow() {
  testing::RefPosition p;
  for (int i = 0; i <= 25; ++i) p.board[i] = position.board[i];
  return p;
}

TEST_F(ComputerPlayTest, EveryBookPlayIsLegalForBothSides) {
  for (int player = 0; player <= 1; ++player) {
    for (int32_t variantDraw : {1, 4}) {
      for (int d0 = 1; d0 <= 6; ++d0) {
        for (int d1 = 1; d1 <= 6; ++d1) {
          setStartingPosition();
          testing::setRoll(static_cast<int16_t>(d0), static_cast<int16_t>(d1));
          testing::setSideOnRoll(static_cast<int16_t>(player));
          position.playerType[0] = kComputerPlayer;
          position.playerType[1] = kComputerPlayer;
          flow.movesAllowed = d0 == d1 ? 4 : 2;
          flow.movesLeft = flow.movesAllowed;
          flow.turnNumber = 1;
          skill.skillLevel = kHighestSkillLevel;
          drawn = variantDraw;
          buildMoverView();
          clearBestPlays();
          pickOpeningBookPlay();
          const std::vector<int> dice = d0 == d1 ? std::vector<int>{d0, d0, d0, d0} : std::vector<int>{d0, d1};
          const auto legal = testing::referencePlays(boardNow(), player, dice);
          playComputerMove();
          EXPECT_EQ(legal.finals.count(boardNow()), 1u)
              << "player " << player << " variant draw " << variantDraw << " roll " << d0 << "-" << d1;
        }
      }
    }
  }
}

// A roll with a used or unset die is no opening roll: the book has no reply to it, and
// the search finds the plays of what is left by itself.
TEST_F(ComputerPlayTest, TheBookIsNotReadForARollWithADieMissing) {
  const int16_t rolls[][2] = {{0, 5}, {5, 0}, {0, 0}, {0, 1}, {6, 0}};
  for (int player = 0; player <= 1; ++player) {
    for (const auto& r : rolls) {
      setStartingPosition();
      testing::setRoll(1, 2);
      diceState.dice[0].value = r[0];
      diceState.dice[1].value = r[1];
      testing::setSideOnRoll(static_cast<int16_t>(player));
      flow.movesAllowed = flow.movesLeft = 2;
      flow.turnNumber = 1;
      buildMoverView();
      clearBestPlays();
      pickOpeningBookPlay();
      EXPECT_EQ(bestPlays.bestPlaysTrue[1][kScoreColumn], kEmptyRow) << r[0] << "-" << r[1] << " player " << player;
    }
  }
}

}  // namespace
}  // namespace bg
