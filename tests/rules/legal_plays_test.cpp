// The legal-play enumeration against the independent generator on random positions, the
// known counts of the opening position for every roll, and the benchmarks' worst case.
#include "rules/legal_plays.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "random_positions.h"
#include "rules/mover_view.h"
#include "rules_fixture.h"
#include "state/analysis_state.h"

namespace bg::testing {
namespace {

struct Enumeration {
  std::vector<RefPosition> finals;  // of every play produced, in order
  std::vector<int> pips;            // the pips each play uses
  int maxPips = 0;
  int parts = 0;  // part-moves of every play (-1: they differ)
  int steps = 0;
  int playLengthAfter = 0;
};

// The real board of the play now on the mover's view.
RefPosition viewToReal(const RefPosition& start, int player) {
  RefPosition out = start;
  const int dir = player == 0 ? 1 : -1;
  for (int i = 0; i <= 25; ++i) out.board[i] = -dir * analysis.evalBoard[(player == 0 ? 25 : 0) - i * dir];
  out.off[player] += analysis.menLeftSaved[1] - analysis.menLeft[1];
  return out;
}

Enumeration enumerate(const RefPosition& start, int player, int d0, int d1) {
  loadPosition(start, player, d0, d1);
  playSearch = PlaySearchState{};
  buildMoverView();
  startLegalPlayEnumeration(d0 == d1 ? 4 : 2);
  Enumeration e;
  while (playSearch.stopEnumeration == 0 && ++e.steps < 100000) {
    if (!stepLegalPlayEnumeration()) continue;
    e.finals.push_back(viewToReal(start, player));
    e.parts = e.finals.size() == 1 || e.parts == playSearch.playLength ? playSearch.playLength : -1;
    e.pips.push_back(playSearch.genPipsUsed);
    e.maxPips = std::max(e.maxPips, e.pips.back());
  }
  EXPECT_LT(e.steps, 100000) << "the enumeration does not end";
  e.playLengthAfter = playSearch.playLength;
  return e;
}

// 24,000 random positions and rolls in six shards that can run side by side.
class LegalPlaysCorpus : public RulesTest, public ::testing::WithParamInterface<int> {};

TEST_P(LegalPlaysCorpus, MatchesTheIndependentGenerator) {
  RandomPositions gen(20240611u + static_cast<unsigned>(GetParam()) * 7919u);
  std::map<int, int> doublesByParts;
  int bar = 0, bearOff = 0, hit = 0, blocked = 0;
  for (int n = 0; n < 4000; ++n) {
    const int mover = gen.below(2);
    const RefPosition start = gen.make(mover);
    const auto [d0, d1] = gen.roll();
    const RefResult ref = referencePlays(start, mover, d0 == d1 ? std::vector{d0, d0, d0, d0} : std::vector{d0, d1});
    const Enumeration e = enumerate(start, mover, d0, d1);
    SCOPED_TRACE(::testing::Message() << "case " << n << " roll " << d0 << "-" << d1);
    ASSERT_EQ(e.maxPips, ref.maxPips);
    std::set<RefPosition> kept;  // the plays with the most pips
    for (size_t k = 0; k < e.finals.size(); ++k) {
      if (e.pips[k] == e.maxPips) kept.insert(e.finals[k]);
    }
    ASSERT_EQ(kept, ref.finals);
    // Every play of a stage has as many part-moves; after it playLength is one less.
    ASSERT_NE(e.parts, -1);
    ASSERT_EQ(e.playLengthAfter, e.finals.empty() ? 0 : e.parts - 1);
    if (d0 == d1 && !e.finals.empty()) ++doublesByParts[e.parts];
    blocked += e.finals.empty();
    bar += start.board[mover == 0 ? 25 : 0] != 0;
    bearOff += !ref.finals.empty() && ref.finals.begin()->off[mover] > start.off[mover];
    hit += std::any_of(ref.finals.begin(), ref.finals.end(), [&](const RefPosition& f) {
      return f.board[mover == 0 ? 0 : 25] != start.board[mover == 0 ? 0 : 25];
    });
  }
  // The corpus must really reach the hard cases.
  EXPECT_GT(bar, 150);
  EXPECT_GT(bearOff, 150);
  EXPECT_GT(hit, 150);
  EXPECT_GT(blocked, 8);
  for (int parts = 2; parts <= 4; ++parts) EXPECT_GT(doublesByParts[parts], 0) << parts;
}

INSTANTIATE_TEST_SUITE_P(Shards, LegalPlaysCorpus, ::testing::Range(0, 6));

RefPosition startingPosition() {
  RefPosition pos;
  for (const StartingPoint& p : kStartingPosition) pos.board[p.point] = p.count;
  return pos;
}

using LegalPlays = RulesTest;

TEST_F(LegalPlays, OpeningPositionCountsForEveryRollInEitherOrder) {
  // Roll, plays produced, distinct final positions; player 1 to move.
  constexpr int kRows[21][4] = {
      {1, 1, 42, 42}, {1, 2, 18, 15}, {1, 3, 19, 16}, {1, 4, 15, 14}, {1, 5, 9, 8},   {1, 6, 10, 10},
      {2, 2, 75, 75}, {2, 3, 19, 17}, {2, 4, 21, 18}, {2, 5, 9, 8},   {2, 6, 16, 14}, {3, 3, 73, 73},
      {3, 4, 18, 17}, {3, 5, 10, 9},  {3, 6, 16, 14}, {4, 4, 52, 52}, {4, 5, 10, 9},  {4, 6, 16, 14},
      {5, 5, 4, 4},   {5, 6, 8, 7},   {6, 6, 11, 11}};
  for (const auto& [a, b, plays, distinct] : kRows) {
    for (const auto& [d0, d1] : {std::pair{a, b}, std::pair{b, a}}) {
      const Enumeration e = enumerate(startingPosition(), 1, d0, d1);
      EXPECT_EQ(static_cast<int>(e.finals.size()), plays) << d0 << "-" << d1;
      EXPECT_EQ(std::set<RefPosition>(e.finals.begin(), e.finals.end()).size(), static_cast<size_t>(distinct))
          << d0 << "-" << d1;
    }
  }
}

// Player 1 to move: single men in pairs with a gap between pairs from 23 down to 3, so
// every man moves and every gap can be filled and left again; the opponent has blots in
// the low gaps and the rest on 24. The benchmarks' heavy case: 2,140 distinct plays.
TEST_F(LegalPlays, WorstCaseOneOneGivesEveryLegalPlayOnce) {
  setPosition("1:1 2:1 3:-1 4:-1 5:1 6:-1 7:-1 8:1 9:-1 10:-1 11:1 12:-1 13:-1 14:1 15:-1 16:-1 "
              "17:-1 19:-1 20:-1 22:-1 23:-1 24:9");
  RefPosition start;
  for (int i = 0; i <= 25; ++i) start.board[i] = position.board[i];
  ASSERT_EQ(checkersOf(0) + checkersOf(1), 30);
  const Enumeration e = enumerate(start, 1, 1, 1);
  EXPECT_EQ(analysis.raceFlag, 0) << "the opponent must still be in contact";
  EXPECT_EQ(e.finals.size(), 2140u);
  EXPECT_EQ(e.maxPips, 4);
  EXPECT_GT(e.steps, 4500);
  EXPECT_LT(e.steps, 5500);
  const std::set<RefPosition> distinct(e.finals.begin(), e.finals.end());
  EXPECT_EQ(distinct.size(), e.finals.size()) << "no play may come out twice";
  EXPECT_TRUE(distinct == referencePlays(start, 1, {1, 1, 1, 1}).finals);
}

}  // namespace
}  // namespace bg::testing
