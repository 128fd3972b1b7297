// The play search: the forced play, the pump and re-entrancy (checked against the
// independent generator with the random positions of the legal plays).
#include "rules/play_search.h"

#include "rules/best_plays.h"
#include "rules/mover_view.h"
#include "rules/search_pump.h"
#include "rules_fixture.h"
#include "runtime/core/clock.h"
#include "state/search_services.h"
#include "state/turn_flags.h"

namespace bg::testing {
namespace {

int pumps = 0;
int played = 0;

class PlaySearchTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices.evaluatePosition = rankByStartPoints;
    searchServices.handleEvents = [] { ++pumps; };
    pumps = played = 0;
    flow.turnNumber = 5;
  }
  static void set(std::string_view text) {
    setPosition(text);
    flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    buildMoverView();
  }
};

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
