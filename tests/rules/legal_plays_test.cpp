// The legal-play enumeration against an independent generator and against the known
// counts of the opening position.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <vector>

#include "reference_moves.h"
#include "state/analysis_state.h"
#include "rules/dice.h"
#include "rules/legal_plays.h"
#include "rules/mover_view.h"
#include "state/play_search_state.h"
#include "state/position.h"

namespace bg {
namespace {

using testing::RefPosition;
using testing::referencePlays;

struct Play {
  std::vector<std::pair<int, int>> parts;  // (from, die) in the mover's view
  int pips = 0;
  RefPosition final;
};

struct Enumeration {
  std::vector<Play> plays;
  int steps = 0;
  int playLengthAfter = 0;
};

constexpr int kStartBoard[26] = {0, 2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0, 5,
                                 -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0};

void setBoard(const RefPosition& pos, int player) {
  for (int i = 0; i <= 25; ++i) position.board[i] = static_cast<int16_t>(pos.board[i]);
  position.currentPlayer = static_cast<int16_t>(player);
  position.otherPlayer = static_cast<int16_t>(1 - player);
}

void setDice(int d0, int d1) {
  diceState.dice[0].value = static_cast<int16_t>(d0);
  diceState.dice[1].value = static_cast<int16_t>(d1);
  diceState.dice[2].value = static_cast<int16_t>(d0 == d1 ? d0 : 0);
  diceState.dice[3].value = static_cast<int16_t>(d0 == d1 ? d0 : 0);
}

// The real board after the play now on the view.
RefPosition viewToReal(const RefPosition& start, int player) {
  RefPosition out = start;
  const int dir = player == 0 ? 1 : -1;
  const int base = player == 0 ? 25 : 0;
  for (int i = 0; i <= 25; ++i) out.board[i] = -dir * analysis.evalBoard[base - i * dir];
  out.off[player] += analysis.menLeftSaved[1] - analysis.menLeft[1];
  return out;
}

Enumeration enumerate(const RefPosition& start, int player, int d0, int d1) {
  setBoard(start, player);
  setDice(d0, d1);
  playSearch = PlaySearchState{};
  buildMoverView();
  startLegalPlayEnumeration(d0 == d1 ? 4 : 2);
  Enumeration e;
  while (playSearch.stopEnumeration == 0) {
    if (++e.steps > 100000) {
      ADD_FAILURE() << "the enumeration does not end";
      break;
    }
    if (!stepLegalPlayEnumeration()) continue;
    Play p;
    for (int k = 1; k <= playSearch.playLength; ++k) {
      p.parts.emplace_back(playSearch.playFrom[k], playSearch.playDice[k]);
    }
    p.pips = playSearch.genPipsUsed;
    p.final = viewToReal(start, player);
    e.plays.push_back(p);
  }
  e.playLengthAfter = playSearch.playLength;
  return e;
}

// The distinct final positions of the plays with the most pips.
std::set<RefPosition> keptFinals(const Enumeration& e, int* maxPips = nullptr) {
  int best = 0;
  for (const Play& p : e.plays) best = std::max(best, p.pips);
  std::set<RefPosition> out;
  for (const Play& p : e.plays) {
    if (p.pips == best) out.insert(p.final);
  }
  if (maxPips != nullptr) *maxPips = best;
  return out;
}

RefPosition startingPosition() {
  RefPosition pos;
  for (int i = 0; i <= 25; ++i) pos.board[i] = kStartBoard[i];
  return pos;
}

// ---- Random positions ----

struct Generator {
  explicit Generator(unsigned seed) : rng(seed) {}
  std::mt19937 rng;
  int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  // Real point at distance `dist` (1..24) from the side's bearing-off edge.
  static int pointAt(int player, int dist) { return player == 0 ? 25 - dist : dist; }

  RefPosition make(int mover) {
    RefPosition pos;
    const int opp = 1 - mover;
    const int kind = below(6);
    place(pos, mover, kind);
    place(pos, opp, below(3) == 0 ? 5 : below(2));
    return pos;
  }

  // Lays out 15 checkers of `player` on points free of the other side.
  void place(RefPosition& pos, int player, int kind) {
    const int dir = player == 0 ? 1 : -1;
    const int bar = player == 0 ? 25 : 0;
    int left = 15;
    auto freeFor = [&](int pt) { return pos.board[pt] * dir >= 0; };
    auto put = [&](int pt, int n) {
      pos.board[pt] += n * dir;
      left -= n;
    };
    // Whatever a layout could not place goes on the side's own free points.
    auto finish = [&] {
      for (int pt = 1; left > 0; pt = pt % 24 + 1) {
        if (freeFor(pt) && below(3) == 0) put(pt, 1);
      }
    };
    int tries = 0;
    switch (kind) {
      case 0:  // bearing off: all home, some already off
      case 1: {
        const int off = below(14);
        pos.off[player] = off;
        left -= off;
        for (; left > 0 && tries < 200; ++tries) {
          const int pt = pointAt(player, 1 + below(6));
          if (freeFor(pt)) put(pt, 1);
        }
        break;
      }
      case 2: {  // nearly home: one or two stragglers just outside
        const int off = below(8);
        pos.off[player] = off;
        left -= off;
        for (int n = 1 + below(2); n > 0; --n) {
          for (int tries = 0; tries < 20; ++tries) {
            const int pt = pointAt(player, 7 + below(6));
            if (freeFor(pt)) {
              put(pt, 1);
              break;
            }
          }
        }
        for (; left > 0 && tries < 200; ++tries) {
          const int pt = pointAt(player, 1 + below(6));
          if (freeFor(pt)) put(pt, 1);
        }
        break;
      }
      case 3: {  // on the bar
        put(bar, 1 + below(3));
        [[fallthrough]];
      }
      case 4: {  // spread out: many single points
        for (; left > 0 && tries < 400; ++tries) {
          const int pt = 1 + below(24);
          if (freeFor(pt) && pos.board[pt] * dir < 2) put(pt, 1);
        }
        break;
      }
      default: {  // ordinary contact: a few stacked points
        if (below(4) == 0) put(bar, 1);
        const int points = 3 + below(6);
        std::vector<int> chosen;
        for (int tries = 0; tries < 200 && static_cast<int>(chosen.size()) < points; ++tries) {
          const int pt = 1 + below(24);
          if (freeFor(pt)) chosen.push_back(pt);
        }
        if (chosen.empty()) chosen.push_back(bar);
        while (left > 0) put(chosen[static_cast<std::size_t>(below(static_cast<int>(chosen.size())))], 1);
        break;
      }
    }
    finish();
  }

  std::pair<int, int> roll() {
    if (below(4) == 0) {
      const int d = 1 + below(6);
      return {d, d};
    }
    return {1 + below(6), 1 + below(6)};
  }
};

// 24,000 random positions and rolls in six shards that can run side by side.
class LegalPlaysCorpus : public ::testing::TestWithParam<int> {};

TEST_P(LegalPlaysCorpus, MatchesIndependentGenerator) {
  Generator gen(20240611u + static_cast<unsigned>(GetParam()) * 7919u);
  std::map<int, int> doublesByParts;  // part-moves of the kept plays on doubles
  int barCases = 0, bearOffCases = 0, hitCases = 0, blockedCases = 0;
  constexpr int kCases = 4000;
  for (int n = 0; n < kCases; ++n) {
    const int mover = gen.below(2);
    const RefPosition start = gen.make(mover);
    const auto [d0, d1] = gen.roll();
    std::vector<int> dice = {d0, d1};
    if (d0 == d1) dice = {d0, d0, d0, d0};

    const auto ref = referencePlays(start, mover, dice);
    const Enumeration e = enumerate(start, mover, d0, d1);
    int maxPips = 0;
    const auto finals = keptFinals(e, &maxPips);
    ASSERT_EQ(maxPips, ref.maxPips) << "case " << n << " roll " << d0 << "-" << d1;
    ASSERT_EQ(finals, ref.finals) << "case " << n << " roll " << d0 << "-" << d1;

    // Every play of a stage has the same number of part-moves; afterwards playLength is
    // one less (0 when nothing could be played).
    if (!e.plays.empty()) {
      const std::size_t parts = e.plays.front().parts.size();
      for (const Play& p : e.plays) ASSERT_EQ(p.parts.size(), parts);
      ASSERT_EQ(e.playLengthAfter, static_cast<int>(parts) - 1);
      if (d0 == d1) doublesByParts[static_cast<int>(parts)]++;
    } else {
      ASSERT_EQ(e.playLengthAfter, 0);
      ++blockedCases;
    }
    const int bar = mover == 0 ? 25 : 0;
    if (start.board[bar] != 0) ++barCases;
    if (!ref.finals.empty() && ref.finals.begin()->off[mover] > start.off[mover]) ++bearOffCases;
    const int enemyBar = mover == 0 ? 0 : 25;
    for (const auto& f : ref.finals) {
      if (f.board[enemyBar] != start.board[enemyBar]) {
        ++hitCases;
        break;
      }
    }
  }
  // The corpus must really reach the hard cases.
  EXPECT_GT(barCases, 150);
  EXPECT_GT(bearOffCases, 150);
  EXPECT_GT(hitCases, 150);
  EXPECT_GT(blockedCases, 8);
  for (int parts = 1; parts <= 4; ++parts) EXPECT_GT(doublesByParts[parts], 0) << parts;
}

INSTANTIATE_TEST_SUITE_P(Shards, LegalPlaysCorpus, ::testing::Range(0, 6));

TEST(LegalPlays, OpeningPositionCountsForEveryRoll) {
  // Plays produced / distinct final positions, player 1 to move.
  const std::map<std::pair<int, int>, std::pair<int, int>> expected = {
      {{1, 1}, {42, 42}}, {{1, 2}, {18, 15}}, {{1, 3}, {19, 16}}, {{1, 4}, {15, 14}},
      {{1, 5}, {9, 8}},   {{1, 6}, {10, 10}}, {{2, 2}, {75, 75}}, {{2, 3}, {19, 17}},
      {{2, 4}, {21, 18}}, {{2, 5}, {9, 8}},   {{2, 6}, {16, 14}}, {{3, 3}, {73, 73}},
      {{3, 4}, {18, 17}}, {{3, 5}, {10, 9}},  {{3, 6}, {16, 14}}, {{4, 4}, {52, 52}},
      {{4, 5}, {10, 9}},  {{4, 6}, {16, 14}}, {{5, 5}, {4, 4}},   {{5, 6}, {8, 7}},
      {{6, 6}, {11, 11}},
  };
  for (const auto& [roll, counts] : expected) {
    for (int order = 0; order < 2; ++order) {
      const int d0 = order == 0 ? roll.first : roll.second;
      const int d1 = order == 0 ? roll.second : roll.first;
      const Enumeration e = enumerate(startingPosition(), 1, d0, d1);
      std::set<RefPosition> distinct;
      for (const Play& p : e.plays) distinct.insert(p.final);
      EXPECT_EQ(static_cast<int>(e.plays.size()), counts.first) << d0 << "-" << d1;
      EXPECT_EQ(static_cast<int>(distinct.size()), counts.second) << d0 << "-" << d1;
    }
  }
}

TEST(LegalPlays, ProductionOrderFollowsTheDiceEntries) {
  Enumeration e = enumerate(startingPosition(), 1, 6, 5);
  ASSERT_GE(e.plays.size(), 3u);
  using Parts = std::vector<std::pair<int, int>>;
  EXPECT_EQ(e.plays[0].parts, (Parts{{24, 6}, {18, 5}}));
  EXPECT_EQ(e.plays[1].parts, (Parts{{24, 6}, {13, 5}}));
  EXPECT_EQ(e.plays[2].parts, (Parts{{24, 6}, {8, 5}}));

  e = enumerate(startingPosition(), 1, 3, 1);
  ASSERT_FALSE(e.plays.empty());
  EXPECT_EQ(e.plays[0].parts, (Parts{{24, 3}, {24, 1}}));
}

// A position given in the mover's view (player 1 moves down, so the view is the board).
RefPosition viewPosition(std::initializer_list<std::pair<int, int>> counts) {
  RefPosition pos;
  for (const auto& [pt, n] : counts) pos.board[pt] = n;
  int own = 0, opp = 0;
  for (int i = 0; i <= 25; ++i) (pos.board[i] < 0 ? own : opp) += std::abs(pos.board[i]);
  pos.off[1] = 15 - own;
  pos.off[0] = 15 - opp;
  return pos;
}

TEST(LegalPlays, BarEntryWithOneOpenPointEntersOnlyThere) {
  // Two men on the bar, roll 4-6, the 6 entry (view 19) held.
  const RefPosition pos = viewPosition({{0, -2}, {19, 2}, {10, -13}, {5, 13}});
  for (int order = 0; order < 2; ++order) {
    const Enumeration e = enumerate(pos, 1, order == 0 ? 4 : 6, order == 0 ? 6 : 4);
    ASSERT_EQ(e.plays.size(), 1u);
    EXPECT_EQ(e.plays[0].parts, (std::vector<std::pair<int, int>>{{26, 4}}));
    EXPECT_EQ(e.plays[0].final.board[21], -1);
    EXPECT_EQ(e.plays[0].final.board[0], -1);
  }
}

TEST(LegalPlays, BlockedBarOnDoublesGivesNothing) {
  const RefPosition pos = viewPosition({{0, -1}, {22, 3}, {10, -14}, {5, 12}});
  const Enumeration e = enumerate(pos, 1, 3, 3);
  EXPECT_TRUE(e.plays.empty());
  EXPECT_EQ(e.playLengthAfter, 0);
}

TEST(LegalPlays, OnlyOneDiePlayableKeepsTheLargerDieFirst) {
  // One man on 8: the 6 lands on 2, the 1 on 7, and the 1 after the 6 and the 6 after
  // the 1 are both blocked (1 and 7 ... see the board): each die plays alone.
  const RefPosition pos = viewPosition({{8, -1}, {1, 2}, {7, 0}, {2, 0}, {6, 0}, {12, 13}});
  // After 8/2 the 1 would land on 1 (held); after 8/7 the 6 would land on 1 (held).
  Enumeration e = enumerate(pos, 1, 6, 1);
  ASSERT_FALSE(e.plays.empty());
  for (const Play& p : e.plays) EXPECT_EQ(p.pips, 6);

  e = enumerate(pos, 1, 1, 6);
  ASSERT_EQ(e.plays.size(), 2u);
  EXPECT_EQ(e.plays[0].pips, 1);  // the smaller die's play comes first...
  EXPECT_EQ(e.plays[1].pips, 6);  // ...then the larger die's
}

TEST(LegalPlays, DoubleWithOnlyThreePartMoves) {
  // View {11: -1; 4, 10, 13, 17, 21, 24 held by the opponent}, roll 4-4: 11/7, 7/3,
  // 3/off with the larger die.
  const RefPosition pos = viewPosition(
      {{11, -1}, {4, 2}, {10, 2}, {13, 2}, {17, 2}, {21, 2}, {24, 3}});
  const Enumeration e = enumerate(pos, 1, 4, 4);
  ASSERT_EQ(e.plays.size(), 1u);
  EXPECT_EQ(e.plays[0].parts, (std::vector<std::pair<int, int>>{{11, 4}, {7, 4}, {3, 4}}));
  EXPECT_EQ(e.playLengthAfter, 2);
  EXPECT_EQ(e.plays[0].final.off[1], 15);
}

}  // namespace
}  // namespace bg
