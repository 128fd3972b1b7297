// The rules on random positions against the independent generator: the legal-play
// enumeration, the mover's view and its mirror, the play search and the whole-roll check;
// the known counts of the opening position for every roll, the benchmarks' worst case, and
// the race test.
#include "rules/legal_plays.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "random_positions.h"
#include "rules/best_plays.h"
#include "rules/mover_view.h"
#include "rules/play_search.h"
#include "rules/whole_roll_check.h"
#include "rules_fixture.h"
#include "state/analysis_state.h"
#include "state/search_services.h"

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

// The mover's rearmost man and the opponent's, in pips from the mover's home (the mover's
// bar is 25 away, the opponent's 0).
std::pair<int, int> rearmost(const RefPosition& pos, int mover) {
  const int dir = mover == 0 ? 1 : -1;
  int moverRear = -1, opponentRear = 26;
  for (int i = 0; i <= 25; ++i) {
    const int distance = mover == 0 ? 25 - i : i;
    if (pos.board[i] * dir > 0) moverRear = std::max(moverRear, distance == 0 ? 25 : distance);
    if (pos.board[i] * dir < 0) opponentRear = std::min(opponentRear, distance == 25 ? 0 : distance);
  }
  return {moverRear, opponentRear};
}

// The mover's view: pip counts and men counted apart, and the same view for the mirror.
void checkMoverView(const RefPosition& pos, int mover) {
  RefPosition mirror;
  int pips[2] = {0, 0};  // each side's distance to bear everything off
  for (int i = 0; i <= 25; ++i) {
    mirror.board[i] = -pos.board[25 - i];
    pips[0] += std::max(pos.board[i], 0) * (i == 25 ? 25 : 25 - i);  // the bar is 25 away
    pips[1] += std::max(-pos.board[i], 0) * (i == 0 ? 25 : i);
  }
  mirror.off = {pos.off[1], pos.off[0]};
  loadPosition(pos, mover, 1, 2);
  buildMoverView();
  const AnalysisState view = analysis;
  ASSERT_EQ((std::vector<int>{view.moverPipCount, view.opponentPipCount, view.menLeft[1], view.menLeft[0]}),
            (std::vector<int>{pips[mover], pips[1 - mover], 15 - pos.off[mover], 15 - pos.off[1 - mover]}));
  loadPosition(mirror, 1 - mover, 1, 2);
  buildMoverView();
  ASSERT_EQ(analysis.evalBoard, view.evalBoard);
  ASSERT_EQ((std::vector<int>{analysis.pipsToBreakContact, analysis.ownMenBehindRear, analysis.raceFlag}),
            (std::vector<int>{view.pipsToBreakContact, view.ownMenBehindRear, view.raceFlag}));
}

int forcedPlays = 0;
// The play search: most pips, what is listed, whether a play breaks contact.
void checkPlaySearch(const RefPosition& pos, int mover, int d0, int d1, const RefResult& ref) {
  loadPosition(pos, mover, d0, d1);
  flow.movesAllowed = d0 == d1 ? 4 : 2;
  buildMoverView();
  const bool raceAtStart = analysis.raceFlag != 0;  // the view's own test, with its bar rule
  ASSERT_TRUE(raceAtStart || rearmost(pos, mover).first > rearmost(pos, mover).second);
  computeMaxPipsUsable();
  ASSERT_EQ(playSearch.maxPipsUsable, ref.maxPips);
  searchBestPlays();
  ASSERT_EQ(bestPlays.bestPlaysTrue[1][kScoreColumn] == kEmptyRow, ref.maxPips == 0);
  for (int r = 1; r <= 3; ++r) {
    const auto& row = bestPlays.bestPlaysTrue[r];
    ASSERT_TRUE(row[kScoreColumn] == kEmptyRow || row[kPipsColumn] == ref.maxPips) << r;
  }
  forcedPlays = 0, autoPlayForcedMove();  // forced exactly when one distinct final position
  ASSERT_EQ(forcedPlays, ref.finals.size() == 1 ? 1 : 0);
  searchContactBreakingPlay();
  // A legal play after which every own man is past every opponent man (a hit man is behind).
  const bool breaks = std::any_of(ref.finals.begin(), ref.finals.end(), [&](const RefPosition& f) {
    return rearmost(f, mover).first < rearmost(f, mover).second;
  });
  ASSERT_EQ(playSearch.contactBreakResult, breaks || raceAtStart ? -1 : 0);
}

// Whether a die of the roll, one of them maybe played, can still be played.
void checkAnyDiePlayable(const RefPosition& pos, int mover, int d0, int d1) {
  loadPosition(pos, mover, d0, d1);
  flow.movesAllowed = 2;
  wholeRoll.noMovesLeft = 0;
  anyDieStillPlayable();
  bool playable = false;
  for (const int d : {d0, d1}) playable = playable || (d > 0 && referencePlays(pos, mover, {d}).maxPips > 0);
  ASSERT_EQ(wholeRoll.noMovesLeft, playable ? 0 : -1) << "dice " << d0 << "-" << d1;
  ASSERT_EQ(flow.movePhaseOver, 0);
}

// 24,000 random positions and rolls in six shards that can run side by side.
class RandomPositionsTest : public RulesTest, public ::testing::WithParamInterface<int> {};

TEST_P(RandomPositionsTest, MatchTheIndependentGenerator) {
  searchServices.showTitledText = [](std::string_view, std::string_view) { ADD_FAILURE() << "a quiet check shows nothing"; };
  wholeRoll.endCheckOnly = -1;
  RandomPositions gen(20240611u + static_cast<unsigned>(GetParam()) * 7919u);
  std::map<int, int> doublesByParts;
  int bar = 0, bearOff = 0, hit = 0, blocked = 0;
  for (int n = 0; n < 4000; ++n) {
    const int mover = gen.below(2);
    const RefPosition start = gen.make(mover);
    const auto [d0, d1] = gen.roll();
    SCOPED_TRACE(::testing::Message() << "case " << n << " roll " << d0 << "-" << d1);
    checkMoverView(start, mover);
    const RefResult ref = referencePlays(start, mover, d0 == d1 ? std::vector{d0, d0, d0, d0} : std::vector{d0, d1});
    const bool oneDiePlayed = d0 == d1 || n % 2 == 0;  // doubles: always
    checkAnyDiePlayable(start, mover, oneDiePlayed && n % 4 < 2 ? 0 : d0, oneDiePlayed && n % 4 >= 2 ? 0 : d1);
    if (HasFatalFailure()) return;
    const Enumeration e = enumerate(start, mover, d0, d1);
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

INSTANTIATE_TEST_SUITE_P(Shards, RandomPositionsTest, ::testing::Range(0, 6));

TEST_F(RandomPositionsTest, PlaySearchMatchesTheIndependentGenerator) {
  searchServices.evaluatePosition = rankByStartPoints;
  searchServices.computerPlaysMoveFlagged = searchBestPlays;
  searchServices.playBestMoveForHuman = [] { ++forcedPlays; };
  flow.turnNumber = 5;
  RandomPositions gen(77);
  for (int n = 0; n < 3000 && !HasFatalFailure(); ++n) {
    const int mover = gen.below(2);
    const RefPosition pos = gen.make(mover);
    const auto [d0, d1] = gen.roll();
    SCOPED_TRACE(::testing::Message() << "case " << n << " roll " << d0 << "-" << d1);
    checkPlaySearch(pos, mover, d0, d1, referencePlays(pos, mover, d0 == d1 ? std::vector{d0, d0, d0, d0} : std::vector{d0, d1}));
  }
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
      setPosition("start");
      const Enumeration e = enumerate(boardNow(), 1, d0, d1);
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
  const RefPosition start = boardNow();
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

TEST_F(LegalPlays, NoContactIsARace) {
  for (const auto& [text, race] : {std::pair{"start | side 1", 0}, {"start | side 0", 0},
                                   {"3:-10 6:-5 7:5 20:10 | side 1", -1}, {"2:-3 | side 1", -1},
                                   // A man on the bar passes every opponent man only when all of its
                                   // points from the rearmost up are held (one needs 20 or higher).
                                   {"0:-1 3:-14 20:3 21:3 22:1 23:4 24:4 | side 1", 0},
                                   {"0:-1 3:-14 20:3 21:3 22:2 23:3 24:4 | side 1", -1},
                                   {"25:1 22:14 5:-3 4:-3 3:-2 2:-3 1:-4 | side 0", -1},
                                   {"0:-1 3:-14 19:3 20:2 21:2 22:2 23:3 24:3 | side 1", 0}}) {
    setPosition(text);
    buildMoverView();
    EXPECT_EQ(analysis.raceFlag, race) << text;
    EXPECT_EQ(analysis.contactBroken, race) << text;
  }
}

}  // namespace
}  // namespace bg::testing
