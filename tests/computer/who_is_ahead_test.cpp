// The who-is-ahead judgement: which side it judges, the race and contact rules, the
// message it shows and what it puts back afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/doubling_position.h"
#include "computer/late_race.h"
#include "computer/position_features.h"
#include "computer/candidate_features.h"
#include "computer/race_estimates.h"
#include "state/play_search_state.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/search_services.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using namespace bg::testing;

std::vector<std::string> shown;
std::vector<int16_t> analysedFor;
// Applied after each real analysis, to pin the race numbers a case needs.
void (*adjust)() = nullptr;

void keepMessage() { shown.push_back(interaction.messageText.str()); }

void realAnalysis() {
  analysedFor.push_back(position.currentPlayer);
  buildMoverView();
  analysePositionFeatures();
  if (adjust != nullptr) adjust();
}

class WhoIsAheadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    searchServices.analysePosition = realAnalysis;
    interactionServices.displayMessage = keepMessage;
    shown.clear();
    analysedFor.clear();
    adjust = nullptr;
    flow.opponentMode = 1;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    shell.playerNames[0] = "Ann";
    shell.playerNames[1] = "Bob";
  }
  // Sets the position from `player`'s side and asks.
  static int16_t ask(const ViewBoard& v, int player) {
    placeForPlayer(v, player);
    return evaluateWhoIsAhead();
  }
};

// A race, both sides with all men home and many pips to go.
const ViewBoard kRace = viewWith({{6, -5}, {5, -5}, {4, -5}, {19, 5}, {20, 5}, {21, 5}});

void pinLead(float opponentRolls, float ownRolls) {
  race.raceRolls[0] = opponentRolls;
  race.raceRolls[1] = ownRolls;
  race.raceRollLead = opponentRolls - ownRolls;
}

float ownRolls = 0;

TEST_F(WhoIsAheadTest, TheRaceLeadNamesASideUnlessExactlyHalfARollBehind) {
  const struct {
    float ownRolls;  // against the opponent's 5; the coming roll counts one
    int16_t ahead;
    const char* message;
  } rows[] = {{5.5f, kTooCloseToCall, "MMIt is too close for me to call"},
              {5.25f, 0, "MMYou appear to have the advantage"},
              {5.75f, 1, "MMI appear to have the advantage"}};
  for (const auto& r : rows) {
    ownRolls = r.ownRolls;
    adjust = [] { pinLead(5.0f, ownRolls); };
    EXPECT_EQ(ask(kRace, 0), r.ahead);
    EXPECT_EQ(shown.back(), r.message);
    EXPECT_TRUE(interaction.messageText.empty());
  }
}

TEST_F(WhoIsAheadTest, ADoublePendingJudgesTheDoubledSide) {
  cube.doublePending = -1;
  adjust = [] { pinLead(5.0f, 3.4f); };  // 1.6 rolls ahead, less the roll the doubler has
  position.currentPlayer = 1;
  EXPECT_EQ(ask(kRace, 1), 0);
  ASSERT_EQ(analysedFor.size(), 2u);
  EXPECT_EQ(analysedFor[0], 0);  // judged for the doubled side
  EXPECT_EQ(analysedFor[1], 1);  // and analysed again for the side on roll
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(cube.doublePending, -1);
  EXPECT_FLOAT_EQ(candidate.raceRollLeadAfterRoll, 0.6f);
}

TEST_F(WhoIsAheadTest, LateRaceByTheRollsThatBearOff) {
  // Under 60 pips: the side bears off with all 36 rolls.
  const ViewBoard v = viewWith({{1, -2}, {19, 2}, {13, 13}});
  EXPECT_EQ(ask(v, 0), 0);
  // The side needs doubles; the opponent comes off with every roll.
  const ViewBoard w = viewWith({{6, -2}, {24, 2}});
  EXPECT_EQ(ask(w, 0), 1);
  // Unless the dice in hand are a double that takes both men off.
  diceState.diceShowing = -1;
  for (int k = 0; k <= 3; ++k) diceState.dice[k].value = 4;
  EXPECT_EQ(ask(w, 0), 0);
}

}  // namespace
}  // namespace bg
