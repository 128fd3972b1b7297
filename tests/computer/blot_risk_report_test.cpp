// The Blot Risk report: every roll of the other side played through the searches, the
// counts and their text, and the game left as it was.
#include <gtest/gtest.h>

#include <string>

#include "computer/blot_risk_report.h"
#include "search_fixture.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "support/position_text.h"

namespace bg {
namespace {

class BlotRiskReport : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    testing::setUpComputer(5);
  }
  void TearDown() override { resetProgramState(); }
};

struct ReportRow {
  const char* position;
  int16_t side;
  int16_t opening;
  int16_t count1, count2, blots;
  const char* text;
};

TEST_F(BlotRiskReport, CountsTheRollsThatHitAndSaysSo) {
  const ReportRow rows[] = {
      {"start", 0, 0, 0, 0, 0, "You have no blots that can be hit."},
      // One blot six pips in front of one checker: the 6s, 5-1, 4-2, 3-3 and 2-2.
      {"7:1 24:14 13:-1 1:-7 2:-7", 0, 0, 17, 0, 1,
       " 1 blot can be hit.\r\r 47% of the rolls (17) can hit 1 of your blots."},
      // Two blots three and six pips away: only 3-3 hits both.
      {"7:1 10:1 24:13 13:-1 1:-7 2:-7", 0, 0, 28, 1, 2,
       " 2 blots can be hit.\r\r 78% of the rolls (28) can hit 1 of your blots.\r\r 3% of the rolls (1) can hit 2 "
       "of your blots."},
      // The mirror: side 1's blot six pips in front of one of side 0's checkers.
      {"18:-1 1:-14 12:1 24:7 23:7", 1, 0, 17, 0, 1,
       " 1 blot can be hit.\r\r 47% of the rolls (17) can hit 1 of your blots."},
      // In the opening the blots examined are side 0's, whoever holds the turn.
      {"7:1 24:14 13:-1 1:-7 2:-7", 1, -1, 17, 0, 1,
       " 1 blot can be hit.\r\r 47% of the rolls (17) can hit 1 of your blots."},
  };
  for (const ReportRow& r : rows) {
    testing::setPosition(r.position);
    position.currentPlayer = r.side;
    position.otherPlayer = static_cast<int16_t>(1 - r.side);
    position.openingPhase = r.opening;
    diceState.dice[0].value = 5;
    diceState.dice[1].value = 2;
    diceState.dice[1].hidden = 255;
    flow.movesAllowed = 2;
    flow.movesLeft = 1;
    playSearch.maxPipsUsable = 9;
    const auto dice = diceState.dice;
    const BlotRiskCounts counts = countBlotRisk();
    EXPECT_EQ(counts.rollsHitting[1], r.count1) << r.position;
    EXPECT_EQ(counts.rollsHitting[2], r.count2) << r.position;
    EXPECT_EQ(counts.blotsHittable, r.blots) << r.position;
    EXPECT_EQ(blotRiskText(counts), r.text) << r.position;
    // Nothing of the game changed.
    EXPECT_EQ(diceState.dice, dice) << r.position;
    EXPECT_EQ(position.currentPlayer, r.side) << r.position;
    EXPECT_EQ(position.otherPlayer, 1 - r.side) << r.position;
    EXPECT_EQ(flow.movesAllowed, 2) << r.position;
    EXPECT_EQ(flow.movesLeft, 1) << r.position;
    EXPECT_EQ(playSearch.maxPipsUsable, 9) << r.position;
  }
}

TEST(BlotRiskText, PercentagesRoundHalfUpAndEachCountHasItsLine) {
  BlotRiskCounts c;
  c.blotsHittable = 4;
  c.rollsHitting[1] = 36;
  c.rollsHitting[2] = 9;
  c.rollsHitting[3] = 0;
  c.rollsHitting[4] = 1;
  EXPECT_EQ(blotRiskText(c),
            " 4 blots can be hit.\r\r 100% of the rolls (36) can hit 1 of your blots.\r\r 25% of the rolls (9) can "
            "hit 2 of your blots.\r\r 3% of the rolls (1) can hit 4 of your blots.");
}

}  // namespace
}  // namespace bg
