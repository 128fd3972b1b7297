// The opening book, the choice of a row by skill level, and playing the chosen row.
#include <gtest/gtest.h>

#include <vector>

#include "computer/computer_play.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "rules/best_plays.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "rules/mover_view.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "rules/reference_moves.h"
#include "rules/new_game.h"
#include "support/position_text.h"
#include "runtime/core/random.h"

namespace bg {
namespace {

std::vector<int32_t> scripted;  // values the random hook hands out, in order
int draws = 0;

int32_t scriptedRandom(int32_t) {
  ++draws;
  if (scripted.empty()) return 1;
  const int32_t v = scripted.front();
  scripted.erase(scripted.begin());
  return v;
}

class ComputerPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    initComputerData();
    scripted.clear();
    draws = 0;
    setRandomHook(scriptedRandom);
  }
  void TearDown() override { setRandomHook(nullptr); }

  // The starting position with `player` to move, the book's play for the roll in row 1.
  static void bookPlay(int player, int d0, int d1, int variantDraw) {
    setStartingPosition();
    testing::setRoll(static_cast<int16_t>(d0), static_cast<int16_t>(d1));
    testing::setSideOnRoll(static_cast<int16_t>(player));
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
    flow.movesAllowed = d0 == d1 ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    buildMoverView();
    clearBestPlays();
    scripted = {variantDraw};
    pickOpeningBookPlay();
  }

  // Fills the skill list with scores for rows 1..3 (one-part plays from 24, 13, 8).
  static void listScores(float a, float b, float c) {
    clearBestPlays();
    const float scores[3] = {a, b, c};
    const int from[3] = {24, 13, 8};
    for (int r = 1; r <= 3; ++r) {
      for (BestPlaysList* list : {&bestPlays.bestPlaysSkill, &bestPlays.bestPlaysTrue}) {
        (*list)[r][kScoreColumn] = scores[r - 1];
        (*list)[r][kPartMovesColumn] = 1;
        (*list)[r][kMovesAllowedColumn] = 2;
        (*list)[r][2] = static_cast<float>(from[r - 1]);
        (*list)[r][3] = static_cast<float>(from[r - 1] - 1);
      }
    }
  }
};

TEST_F(ComputerPlayTest, EveryBookPlayIsLegalForBothSides) {
  for (int player = 0; player <= 1; ++player) {
    for (int variantDraw : {1, 4}) {
      for (int d0 = 1; d0 <= 6; ++d0) {
        for (int d1 = 1; d1 <= 6; ++d1) {
          bookPlay(player, d0, d1, variantDraw);
          testing::RefPosition start;
          for (int i = 0; i <= 25; ++i) start.board[i] = position.board[i];
          std::vector<int> dice = {d0, d1};
          if (d0 == d1) dice = {d0, d0, d0, d0};
          const auto legal = testing::referencePlays(start, player, dice);
          skill.skillLevel = 5;
          flow.turnNumber = 1;
          playComputerMove();
          testing::RefPosition after;
          for (int i = 0; i <= 25; ++i) after.board[i] = position.board[i];
          EXPECT_EQ(legal.finals.count(after), 1u)
              << "player " << player << " variant draw " << variantDraw << " roll " << d0 << "-" << d1;
        }
      }
    }
  }
}

TEST_F(ComputerPlayTest, SkillLevelsTakeTheSecondBestPlayAtTheirOdds) {
  flow.turnNumber = 5;
  for (int level = 1; level <= 5; ++level) {
    skill.skillLevel = static_cast<int16_t>(level);
    int second = 0;
    draws = 0;
    for (int value = 1; value <= 10; ++value) {
      listScores(10, 9, 8);
      scripted = {value};
      choosePlayFromList();
      if (computerPlay.chosenPlayIndex == 2) ++second;
    }
    const int expected[6] = {0, 0, 3, 3, 2, 0};
    EXPECT_EQ(second, expected[level]) << "level " << level;
    if (level == 1 || level == 5) {
      EXPECT_EQ(draws, 0) << "level " << level;
    }
  }
}

TEST_F(ComputerPlayTest, SecondBestTrailingByMoreThan8IsOnlyKeptOnTurn1) {
  skill.skillLevel = 2;
  const struct {
    float second;
    int16_t turn;
    int16_t chosen;
  } rows[] = {{11, 1, 2}, {11, 2, 1}, {12, 2, 2}, {kEmptyRow, 1, 1}};  // the best scores 20
  for (const auto& r : rows) {
    listScores(20, r.second, r.second == kEmptyRow ? kEmptyRow : 8);
    flow.turnNumber = r.turn;
    scripted = {1};
    applySkillLevel();
    EXPECT_EQ(computerPlay.chosenPlayIndex, r.chosen) << r.second << " on turn " << r.turn;
  }
}

}  // namespace
}  // namespace bg
