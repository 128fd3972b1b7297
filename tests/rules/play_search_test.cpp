// The play search driver: its modes, the forced play, the pump and re-entrancy.
#include <gtest/gtest.h>

#include "state/analysis_state.h"
#include "rules/best_plays.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "rules/mover_view.h"
#include "rules/play_search.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "rules/search_pump.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "state/turn_flags.h"
#include "rules_fixture.h"
#include "runtime/core/clock.h"

namespace bg {
namespace {

int evaluations = 0;
int pumps = 0;

// Scores a play by its pips and how far its men went: enough to rank plays.
void fakeEvaluate() {
  ++evaluations;
  const auto& s = playSearch;
  float score = 0;
  for (int k = 1; k <= s.playLength; ++k) score += static_cast<float>(s.playFrom[k]) / 10.0f;
  insertCandidatePlay(bestPlays.bestPlaysTrue, s.playFrom, s.playDice, score, PartialScores{});
  insertCandidatePlay(bestPlays.bestPlaysSkill, s.playFrom, s.playDice, score, PartialScores{});
}

class PlaySearchTest : public testing::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices = SearchServices{};
    turnFlags = TurnFlags{};
    searchServices.evaluatePosition = fakeEvaluate;
    searchServices.handleEvents = [] { ++pumps; };
    evaluations = 0;
    pumps = 0;
    flow.turnNumber = 5;
  }
  void TearDown() override {
    searchServices = SearchServices{};
    RulesTest::TearDown();
  }

  // A position in player 1's view (the board itself), player 1 to move.
  static void setView(std::initializer_list<std::pair<int, int>> counts, int d0, int d1) {
    position.board.fill(0);
    for (const auto& [i, n] : counts) position.board[i] = static_cast<int16_t>(n);
    position.currentPlayer = 1;
    position.otherPlayer = 0;
    const bool doubles = d0 == d1;
    diceState.dice[0].value = static_cast<int16_t>(d0);
    diceState.dice[1].value = static_cast<int16_t>(d1);
    diceState.dice[2].value = static_cast<int16_t>(doubles ? d0 : 0);
    diceState.dice[3].value = static_cast<int16_t>(doubles ? d0 : 0);
    diceState.rolledDoubles = doubles ? -1 : 0;
    flow.movesAllowed = doubles ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    buildMoverView();
  }
};

TEST_F(PlaySearchTest, MaxPipsStopsAtTheFirstFullPlay) {
  setView({{13, -15}, {1, 15}}, 6, 5);
  computeMaxPipsUsable();
  EXPECT_EQ(playSearch.maxPipsUsable, 11);
  EXPECT_EQ(playSearch.rollPipTotal, 11);
  EXPECT_EQ(playSearch.searchModeMaxPips, 0);
  EXPECT_EQ(evaluations, 0);

  setView({{13, -15}, {1, 15}}, 3, 3);
  computeMaxPipsUsable();
  EXPECT_EQ(playSearch.maxPipsUsable, 12);  // all four dice of a double

  // Only the 6 can be played (8/2; then the 1 and the 1 first are blocked).
  setView({{8, -1}, {1, 2}, {7, 2}, {12, 11}}, 1, 6);
  computeMaxPipsUsable();
  EXPECT_EQ(playSearch.maxPipsUsable, 6);
}

TEST_F(PlaySearchTest, NoLegalPlayLeavesNothing) {
  setView({{0, -1}, {10, -14}, {19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {24, 5}}, 3, 3);
  computeMaxPipsUsable();
  EXPECT_EQ(playSearch.maxPipsUsable, 0);
  searchBestPlays();
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(bestPlays.bestPlaysTrue[r][kScoreColumn], kEmptyRow);
    EXPECT_EQ(bestPlays.bestPlaysSkill[r][kScoreColumn], kEmptyRow);
  }
  EXPECT_EQ(playSearch.playLength, 0);
  EXPECT_EQ(evaluations, 0);
}

TEST_F(PlaySearchTest, NormalSearchListsAndFinalises) {
  setView({{13, -15}, {1, 15}}, 6, 5);
  searchBestPlays();
  EXPECT_EQ(playSearch.searchedPlayer, 1);
  EXPECT_GT(evaluations, 1);
  EXPECT_NE(bestPlays.bestPlaysTrue[1][kScoreColumn], kEmptyRow);
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][kPipsColumn], 11);

  // Entry 0 the smaller die and only one die playable: both dice's plays are offered,
  // the larger one ranks first and finalising empties the smaller one's row.
  setView({{8, -1}, {1, 2}, {7, 2}, {12, 11}}, 1, 6);
  searchBestPlays();
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][kPipsColumn], 6);
  EXPECT_EQ(bestPlays.bestPlaysTrue[2][kScoreColumn], kEmptyRow);
  EXPECT_EQ(bestPlays.bestPlaysSkill[2][kScoreColumn], kEmptyRow);
}

TEST_F(PlaySearchTest, OpeningBookEntersBeforeAnyEvaluatedPlay) {
  int order = 0;
  static int bookAt = -1;
  static int firstEvalAt = -1;
  static int* counter = nullptr;
  counter = &order;
  bookAt = firstEvalAt = -1;
  searchServices.pickOpeningBookPlay = [] { bookAt = (*counter)++; };
  searchServices.evaluatePosition = [] {
    if (firstEvalAt < 0) firstEvalAt = (*counter)++;
  };
  setView({{13, -15}, {1, 15}}, 6, 5);
  flow.turnNumber = 1;
  searchBestPlays();
  EXPECT_EQ(bookAt, 0);
  EXPECT_EQ(firstEvalAt, 1);
  flow.turnNumber = 2;
  bookAt = firstEvalAt = -1;
  order = 0;
  searchBestPlays();
  EXPECT_EQ(bookAt, -1);
}

TEST_F(PlaySearchTest, RaceSkipsTheTestSearches) {
  setView({{3, -15}, {20, 15}}, 6, 5);
  ASSERT_EQ(analysis.raceFlag, -1);
  playSearch.firstHitPoint = 7;
  searchHittingPlays();
  EXPECT_EQ(playSearch.firstHitPoint, 7);  // untouched: nothing ran
  searchContactBreakingPlay();
  EXPECT_EQ(playSearch.contactBreakResult, -1);
}

TEST_F(PlaySearchTest, ContactBreakingPlayIsFound) {
  // One man left behind on 9 against an opponent man on 5: 6-5 can take it to 4 or
  // lower... but 9 - 11 bears off nothing; the man passes point 5 with 9/3 or 9/4.
  setView({{9, -1}, {3, -14}, {5, 2}, {20, 13}}, 6, 5);
  ASSERT_EQ(analysis.raceFlag, 0);
  searchContactBreakingPlay();
  EXPECT_EQ(playSearch.contactBreakResult, -1);

  // Too few pips to pass the rearmost opponent man: no search, the result stays 0.
  setView({{20, -1}, {3, -14}, {5, 2}, {21, 13}}, 2, 1);
  ASSERT_GT(analysis.pipsToBreakContact, 3);
  playSearch.stopEnumeration = 7;
  searchContactBreakingPlay();
  EXPECT_EQ(playSearch.contactBreakResult, 0);
  EXPECT_EQ(playSearch.stopEnumeration, 7);

  // Enough pips, but every play keeps contact: the man on 6 cannot pass the held 5.
  setView({{6, -1}, {3, -14}, {5, 2}, {21, 13}}, 1, 1);
  ASSERT_EQ(analysis.pipsToBreakContact, 2);
  searchContactBreakingPlay();
  EXPECT_EQ(playSearch.contactBreakResult, 0);
}

TEST_F(PlaySearchTest, HitTrackingFindsTheFirstHit) {
  setView({{13, -15}, {9, 1}, {2, 14}}, 4, 2);
  searchHittingPlays();
  EXPECT_EQ(playSearch.firstHitPoint, 9);
  EXPECT_EQ(playSearch.searchModeHitTracking, 0);
  EXPECT_EQ(analysis.analyseBlotRiskFlag, 0);
  setView({{13, -15}, {9, 2}, {2, 13}}, 4, 2);
  searchHittingPlays();
  EXPECT_EQ(playSearch.firstHitPoint, 0);
}

TEST_F(PlaySearchTest, ForcedPlayIsMadeOnlyWhenItIsTheOnlyOne) {
  static int played = 0;
  played = 0;
  searchServices.computerPlaysMoveFlagged = [] { searchBestPlays(); };
  searchServices.playBestMoveForHuman = [] { ++played; };
  // Only 8/2 is legal.
  setView({{8, -1}, {1, 2}, {7, 2}, {12, 11}}, 1, 6);
  playSearch.maxPipsUsable = 6;
  autoPlayForcedMove();
  EXPECT_EQ(played, 1);
  EXPECT_EQ(flow.forcedMovePlayed, 0);
  EXPECT_EQ(playSearch.searchModeForced, 0);

  // Many plays: nothing is played and the four values are as before.
  setView({{13, -15}, {1, 15}}, 6, 5);
  flow.movesLeft = 1;
  playSearch.maxPipsUsable = 9;
  playSearch.playLength = 3;
  autoPlayForcedMove();
  EXPECT_EQ(played, 1);
  EXPECT_EQ(flow.movesAllowed, 2);
  EXPECT_EQ(flow.movesLeft, 1);
  EXPECT_EQ(playSearch.maxPipsUsable, 9);
  EXPECT_EQ(playSearch.playLength, 3);

  // Never on turn 1.
  setView({{8, -1}, {1, 2}, {7, 2}, {12, 11}}, 1, 6);
  flow.turnNumber = 1;
  autoPlayForcedMove();
  EXPECT_EQ(played, 1);
}

TEST_F(PlaySearchTest, ForcedPlayShorterThanTheRollLeavesTheDiceShown) {
  searchServices.computerPlaysMoveFlagged = [] { searchBestPlays(); };
  searchServices.playBestMoveForHuman = [] {
    diceState.dice[1].value = 0;  // the 6 is played; the 1 stays
    flow.abortTurn = 255;
    turnFlags.removeDiceAtTurnEnd = -1;
  };
  setView({{8, -1}, {1, 2}, {7, 2}, {12, 11}}, 1, 6);
  autoPlayForcedMove();
  EXPECT_EQ(flow.abortTurn, 0);
  EXPECT_EQ(turnFlags.removeDiceAtTurnEnd, 0);
  EXPECT_EQ(diceState.diceShowing, -1);
}

TEST_F(PlaySearchTest, PumpRunsAtMostOncePerInterval) {
  UseVirtualClock clock(1);  // one microsecond per reading
  restartSearchPumpInterval();
  setView({{24, -2}, {20, -2}, {16, -2}, {14, -2}, {11, -2}, {9, -2}, {7, -1}, {4, -1}, {2, -1},
           {1, 3}, {6, 3}, {12, 3}, {18, 3}, {22, 3}},
          1, 1);
  searchBestPlays();
  EXPECT_GT(evaluations, 100);
  // Far fewer real pumps than steps: at most one per 10 ms of (virtual) time, plus one.
  EXPECT_LE(pumps, static_cast<int>(clock.clock.now() / kSearchPumpIntervalMicros) + 1);
  EXPECT_GE(pumps, 1);

  clock.clock.setQuantum(20000);  // every reading 20 ms later: every request pumps
  pumps = 0;
  evaluations = 0;
  searchBestPlays();
  EXPECT_GT(pumps, evaluations);

  pumps = 0;
  settings.noPumpDuringSearch = -1;
  searchBestPlays();
  EXPECT_EQ(pumps, 0);
  settings.noPumpDuringSearch = 0;
  rollout.rolloutRunning = 255;
  searchBestPlays();
  EXPECT_EQ(pumps, 0);
}

TEST_F(PlaySearchTest, CommandsInsideThePumpCannotRestartTheSearch) {
  UseVirtualClock clock(20000);  // every pump request reaches the pump
  restartSearchPumpInterval();
  static int nested = 0;
  nested = 0;
  setView({{13, -15}, {1, 15}}, 6, 5);
  searchBestPlays();
  const BestPlaysList undisturbedTrue = bestPlays.bestPlaysTrue;
  const BestPlaysList undisturbedSkill = bestPlays.bestPlaysSkill;

  // A command arriving through the pump tries a max-pips search and a hitting search
  // on the same state.
  searchServices.handleEvents = [] {
    ++nested;
    EXPECT_TRUE(playSearchRunning());
    computeMaxPipsUsable();
    searchHittingPlays();
    searchBestPlays();
    EXPECT_TRUE(refuseWhileSearching());
  };
  interaction.messageNumber = 999;
  searchBestPlays();
  EXPECT_GT(nested, 0);
  EXPECT_EQ(interaction.messageNumber, 2);
  EXPECT_EQ(bestPlays.bestPlaysTrue, undisturbedTrue);
  EXPECT_EQ(bestPlays.bestPlaysSkill, undisturbedSkill);
  EXPECT_EQ(playSearch.searchModeMaxPips, 0);
  EXPECT_EQ(playSearch.searchModeHitTracking, 0);
  EXPECT_FALSE(playSearchRunning());
}

}  // namespace
}  // namespace bg
