// The who-is-ahead judgement in a race: the message it shows and which side it judges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "computer/candidate_features.h"
#include "computer/late_race.h"
#include "computer/race_estimates.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/search_services.h"

namespace bg::testing {
namespace {

std::vector<std::string> shown;
std::vector<int16_t> analysedFor;
float ownRolls = 0;  // pinned after each real analysis, against the opponent's 5

class WhoIsAheadTest : public ComputerTest {
 protected:
  void SetUp() override {
    ComputerTest::SetUp();
    searchServices.analysePosition = [] {
      analysedFor.push_back(position.currentPlayer);
      buildMoverView();
      analysePositionFeatures();
      race.raceRolls[0] = 5.0f;
      race.raceRolls[1] = ownRolls;
      race.raceRollLead = 5.0f - ownRolls;
    };
    interactionServices.displayMessage = [] {
      shown.push_back(interaction.messageText.str());
      least::displayMessage();
    };
    shown.clear();
    analysedFor.clear();
    flow.opponentMode = kComputerOpponent;
    position.playerType[1] = kComputerPlayer;
  }
  // A race, both sides with all men home, from `player`'s side.
  static int16_t ask(int player) {
    placeForPlayer(viewWith({{6, -5}, {5, -5}, {4, -5}, {19, 5}, {20, 5}, {21, 5}}), player);
    return evaluateWhoIsAhead();
  }
};

TEST_F(WhoIsAheadTest, TheRaceLeadNamesASideUnlessExactlyHalfARollBehind) {
  const struct {
    float ownRolls;  // the coming roll counts one
    int16_t ahead;
    const char* message;
  } rows[] = {{5.5f, kTooCloseToCall, "MMIt is too close for me to call"},
              {5.25f, 0, "MMYou appear to have the advantage"},
              {5.75f, 1, "MMI appear to have the advantage"}};
  for (const auto& r : rows) {
    ownRolls = r.ownRolls;
    EXPECT_EQ(ask(0), r.ahead);
    EXPECT_EQ(shown.back(), r.message);
    EXPECT_TRUE(interaction.messageText.empty());
  }
}

TEST_F(WhoIsAheadTest, ADoublePendingJudgesTheDoubledSide) {
  cube.doublePending = -1;
  ownRolls = 3.4f;  // 1.6 rolls ahead, less the roll the doubler has
  EXPECT_EQ(ask(1), 0);
  EXPECT_EQ(analysedFor, (std::vector<int16_t>{0, 1})) << "judged for the doubled side, then analysed again";
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(cube.doublePending, -1);
  EXPECT_FLOAT_EQ(candidate.raceRollLeadAfterRoll, 0.6f);
}

}  // namespace
}  // namespace bg::testing
