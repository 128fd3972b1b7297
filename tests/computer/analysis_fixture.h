#pragma once
// Positions for the analysis and evaluation tests, from the mover's side.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <random>
#include <utility>

#include "computer/factors.h"
#include "computer/position_analysis.h"
#include "computer/program_data.h"
#include "rules/mover_view.h"
#include "state/analysis_state.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg::testing {

// A position as the side to move sees it: its men negative on view points (moving from 24
// toward 1), the opponent's positive; [0] the mover's bar (negative), [25] the opponent's
// bar (positive).
using ViewBoard = std::array<int, 26>;

inline ViewBoard viewWith(std::initializer_list<std::pair<int, int>> men) {
  ViewBoard v{};
  for (auto [p, n] : men) v[static_cast<size_t>(p)] = n;
  return v;
}

inline ViewBoard startingView() {
  return viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {1, 2}, {12, 5}, {17, 3}, {19, 5}});
}

// Puts the view on the game board for the given player to move; player 1's view is the
// board itself, player 0's the board turned round.
inline void placeForPlayer(const ViewBoard& v, int player) {
  position.currentPlayer = static_cast<int16_t>(player);
  position.otherPlayer = static_cast<int16_t>(1 - player);
  for (int i = 0; i <= 25; ++i)
    position.board[i] = static_cast<int16_t>(player == 1 ? v[static_cast<size_t>(i)] : -v[static_cast<size_t>(25 - i)]);
}

inline void analyseView(const ViewBoard& v, int player = 1) {
  placeForPlayer(v, player);
  buildMoverView();
  analysePositionFeatures();
}

// A clean program with the computer's tables loaded, past the opening roll.
inline void loadComputerTables() {
  resetProgramState();
  initEvaluationFactors();
  readProgramData();
  position.openingPhase = 0;
}

class ComputerTest : public ::testing::Test {
 protected:
  void SetUp() override { loadComputerTables(); }
};

// A random position: up to 15 men a side, some on the bar, never two sides on a point;
// now and then the sides have passed each other.
inline ViewBoard randomView(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  ViewBoard v{};
  const bool apart = pick(0, 4) == 0;
  for (int side : {-1, 1}) {
    const int lo = apart && side > 0 ? 13 : 1;
    const int hi = apart && side < 0 ? 12 : 24;
    int men = 15 - (pick(0, 3) == 0 ? pick(1, 12) : 0);
    if (!apart && pick(0, 5) == 0) {
      const int bar = pick(1, 3);
      v[side < 0 ? 0 : 25] = side * bar;
      men -= bar;
    }
    while (men > 0) {
      const int p = pick(lo, hi);
      if (v[static_cast<size_t>(p)] * side < 0) continue;
      v[static_cast<size_t>(p)] += side;
      --men;
    }
  }
  return v;
}

}  // namespace bg::testing
