// The play search against the independent generator (most pips, what is listed, whether a
// play breaks contact), the forced play, the pump and re-entrancy.
#include "rules/play_search.h"

#include <algorithm>

#include "random_positions.h"
#include "rules/best_plays.h"
#include "rules/mover_view.h"
#include "rules/search_pump.h"
#include "rules_fixture.h"
#include "runtime/core/clock.h"
#include "state/search_services.h"
#include "state/turn_flags.h"

namespace bg::testing {
namespace {

int evaluations = 0;
int pumps = 0;
int played = 0;

// Scores a play by how far back its men started: enough to rank plays.
void fakeEvaluate() {
  ++evaluations;
  const auto& s = playSearch;
  float score = 0;
  for (int k = 1; k <= s.playLength; ++k) score += static_cast<float>(s.playFrom[k]) / 10.0f;
  insertCandidatePlay(bestPlays.bestPlaysTrue, s.playFrom, s.playDice, score, PartialScores{});
  insertCandidatePlay(bestPlays.bestPlaysSkill, s.playFrom, s.playDice, score, PartialScores{});
}

class PlaySearchTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices.evaluatePosition = fakeEvaluate;
    searchServices.handleEvents = [] { ++pumps; };
    evaluations = pumps = played = 0;
    flow.turnNumber = 5;
  }
  static void set(std::string_view text) {
    setPosition(text);
    flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    buildMoverView();
  }
};

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

TEST_F(PlaySearchTest, AgreesWithTheIndependentGenerator) {
  RandomPositions gen(77);
  for (int n = 0; n < 3000; ++n) {
    const int mover = gen.below(2);
    const RefPosition pos = gen.make(mover);
    const auto [d0, d1] = gen.roll();
    const RefResult ref = referencePlays(pos, mover, d0 == d1 ? std::vector{d0, d0, d0, d0} : std::vector{d0, d1});
    SCOPED_TRACE(::testing::Message() << "case " << n << " roll " << d0 << "-" << d1);
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
      if (row[kScoreColumn] != kEmptyRow) {
        ASSERT_EQ(row[kPipsColumn], ref.maxPips) << r;
      }
    }
    searchContactBreakingPlay();
    // A legal play that leaves no man behind the opponent's rearmost as it stood before the
    // play (a man it hits is not counted again). Bearing the last man off wins: no question.
    const bool breaks = std::any_of(ref.finals.begin(), ref.finals.end(), [&](const RefPosition& f) {
      return rearmost(f, mover).first < rearmost(pos, mover).second;
    });
    if (!ref.finals.empty() && ref.finals.begin()->off[mover] == 15) continue;
    ASSERT_EQ(playSearch.contactBreakResult, breaks || raceAtStart ? -1 : 0);
  }
}

struct ForcedRow {
  const char* position;
  int16_t turn;
  int played;
};

class ForcedPlayTest : public PlaySearchTest, public ::testing::WithParamInterface<ForcedRow> {};

TEST_P(ForcedPlayTest, IsMadeOnlyWhenItIsTheOnlyOne) {
  searchServices.computerPlaysMoveFlagged = [] { searchBestPlays(); };
  searchServices.playBestMoveForHuman = [] { ++played; };
  set(GetParam().position);
  flow.turnNumber = GetParam().turn;
  playSearch.maxPipsUsable = 9;
  playSearch.playLength = 3;
  autoPlayForcedMove();
  EXPECT_EQ(played, GetParam().played);
  EXPECT_EQ(flow.forcedMovePlayed, 0);
  EXPECT_EQ(playSearch.searchModeForced, 0);
  if (played == 0) {  // the four values are as before
    EXPECT_EQ(flow.movesAllowed, 2);
    EXPECT_EQ(flow.movesLeft, 2);
    EXPECT_EQ(playSearch.maxPipsUsable, 9);
    EXPECT_EQ(playSearch.playLength, 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ForcedPlayTest,
                         ::testing::Values(ForcedRow{"8:-1 1:2 7:2 12:11 | dice 1 6 | side 1", 5, 1},  // only 8/2
                                           ForcedRow{"13:-15 1:15 | dice 6 5 | side 1", 5, 0},
                                           ForcedRow{"8:-1 1:2 7:2 12:11 | dice 1 6 | side 1", 1, 0}));

TEST_F(PlaySearchTest, CommandsInsideThePumpCannotRestartTheSearch) {
  UseVirtualClock clock(20000);  // every pump request reaches the pump
  restartSearchPumpInterval();
  set("13:-15 1:15 | dice 6 5 | side 1");
  searchBestPlays();
  const BestPlaysState undisturbed = bestPlays;
  searchServices.handleEvents = [] {
    ++pumps;
    EXPECT_TRUE(playSearchRunning());
    computeMaxPipsUsable();
    searchHittingPlays();
    searchBestPlays();
    EXPECT_TRUE(refuseWhileSearching());
  };
  searchBestPlays();
  EXPECT_GT(pumps, 0);
  EXPECT_EQ(interaction.messageNumber, 2) << "busy";
  EXPECT_EQ(bestPlays.bestPlaysTrue, undisturbed.bestPlaysTrue);
  EXPECT_EQ(bestPlays.bestPlaysSkill, undisturbed.bestPlaysSkill);
  EXPECT_EQ(playSearch.searchModeMaxPips, 0);
  EXPECT_EQ(playSearch.searchModeHitTracking, 0);
  EXPECT_FALSE(playSearchRunning());
}

}  // namespace
}  // namespace bg::testing
