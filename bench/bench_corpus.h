#pragma once
// The fixed corpus of positions and rolls the search benchmarks share: made from a fixed
// seed, with the spread-out 1-1 worst case first, so that their figures compare.
#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "rules/legal_plays.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/settings.h"

namespace bg::bench {

struct Case {
  std::array<int16_t, 26> board{};  // player 1 to move: the board is the mover's view
  int16_t die0 = 1;
  int16_t die1 = 1;
};

inline constexpr int kCorpusSize = 1200;

// Player 1 (negative) to move 1-1 with single men in pairs, a gap between pairs, from 23
// down to 3: every man moves and every gap can be filled and left again, 2,140 plays in
// 4,969 steps. Of the opponent's layouts tried (men on the bar, blots in the gaps, the
// rest on 24), blots on 1, 2, 5, 8, 11 and 14 make the whole decision the dearest.
inline Case worstCase() {
  Case c;
  c.board = {0, 1, 1, -1, -1, 1, -1, -1, 1, -1, -1, 1, -1, -1, 1, -1, -1, -1, 0, -1, -1, 0, -1, -1, 9, 0};
  return c;
}

// The worst case, then positions of four kinds: spread, stacked contact, bearing off,
// men on the bar.
inline std::vector<Case> makeCorpus() {
  std::mt19937 rng(424242u);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<Case> cases;
  cases.push_back(worstCase());
  while (static_cast<int>(cases.size()) < kCorpusSize) {
    Case c;
    const int kind = pick(0, 3);  // 0 spread, 1 stacked contact, 2 bearing off, 3 on the bar
    for (int side : {-1, 1}) {
      int men = 15;
      if (kind == 3 && side < 0) {
        const int bar = pick(1, 2);
        c.board[0] = static_cast<int16_t>(-bar);
        men -= bar;
      }
      int tries = 0;
      while (men > 0 && tries++ < 2000) {
        int p = pick(1, 24);
        if (kind == 2 && side < 0) p = pick(1, 6);
        if (kind == 2 && side > 0) p = pick(7, 24);
        auto& cell = c.board[static_cast<std::size_t>(p)];
        if (cell * side < 0) continue;
        if (kind == 0 && side < 0 && cell != 0 && pick(0, 3) != 0) continue;
        cell = static_cast<int16_t>(cell + side);
        --men;
      }
    }
    c.die0 = static_cast<int16_t>(pick(1, 6));
    c.die1 = static_cast<int16_t>(pick(0, 3) == 0 ? c.die0 : pick(1, 6));
    cases.push_back(c);
  }
  return cases;
}

inline const std::vector<Case>& corpus() {
  static const std::vector<Case> cases = makeCorpus();
  return cases;
}

// The computer's tables and search services, both sides computer players, no pumping.
inline void setUpComputerPlayers() {
  initComputerData();
  installComputerSearchServices();
  settings.noPumpDuringSearch = -1;
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
}

// The case's board and roll, player 1 to move in the middle of a game.
inline void load(const Case& c) {
  for (int i = 0; i <= 25; ++i) position.board[i] = c.board[static_cast<std::size_t>(i)];
  position.currentPlayer = 1;
  position.otherPlayer = 0;
  const bool doubles = c.die0 == c.die1;
  auto& d = diceState.dice;
  d[0].value = c.die0;
  d[1].value = c.die1;
  d[2].value = doubles ? c.die0 : int16_t{0};
  d[3].value = doubles ? c.die0 : int16_t{0};
  diceState.rolledDoubles = doubles ? -1 : 0;
  flow.movesAllowed = partMovesOfRoll(doubles);
  flow.movesLeft = flow.movesAllowed;
  flow.turnNumber = 5;
  position.openingPhase = 0;  // past the opening roll: the blot-risk terms run
}

// Every legal play of the roll in hand, on the mover's view already built; returns the
// plays found and, when asked, the enumeration steps taken.
inline int enumerateAll(int* steps = nullptr) {
  startLegalPlayEnumeration(flow.movesAllowed);
  int plays = 0;
  int taken = 0;
  while (playSearch.stopEnumeration == 0) {
    ++taken;
    if (stepLegalPlayEnumeration()) ++plays;
  }
  if (steps != nullptr) *steps = taken;
  return plays;
}

}  // namespace bg::bench
