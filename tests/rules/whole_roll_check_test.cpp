// The refusal of a play that used less of the roll than the rules demand, and the bear-off
// with both dice (whether a die can still be played is checked on the random positions).
#include "rules/whole_roll_check.h"

#include "rules_fixture.h"
#include "state/search_services.h"

namespace bg::testing {
namespace {

int boxes = 0;

class WholeRollTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices.showTitledText = [](std::string_view, std::string_view) { ++boxes; };
    boxes = 0;
    flow.movesAllowed = 2;
  }
};

struct RefusalRow {
  const char* position;
  int16_t maxPips, rollPips, lastDistance, movesAllowed, turnEndPending;
  int16_t message;  // 0: no refusal, the move phase ends
};

class RefusalTest : public WholeRollTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, RefusesOnlyWhatUsedLessThanTheRules) {
  const RefusalRow& row = GetParam();
  setPosition(row.position);
  recordMessages();
  flow.movesAllowed = row.movesAllowed;
  flow.turnEndPending = row.turnEndPending;
  playSearch.maxPipsUsable = row.maxPips;
  playSearch.rollPipTotal = row.rollPips;
  record.gameRecordCount = 1;
  record.gameRecord[1].distance = row.lastDistance;
  const int16_t noMessage = interaction.messageNumber;
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_EQ(wholeRoll.wholeRollRefused, row.message == 0 ? 0 : -1);
  EXPECT_EQ(wholeRoll.bothDiceRefusal, row.message == kBothDiceMessage ? -1 : 0);
  EXPECT_EQ(wholeRoll.morePipsRefusal, row.message == kMorePipsMessage ? -1 : 0);
  EXPECT_EQ(interaction.messageNumber, row.message == 0 ? noMessage : row.message);
  EXPECT_EQ(boxes, row.message == 0 ? 0 : 1);
  EXPECT_EQ(serviceLog.messages.size(), row.message == 0 ? 0u : 1u);
  EXPECT_EQ(flow.movePhaseOver, row.message == 0 ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusalTest,
    ::testing::Values(
        // On the bar against both entry points held: nothing plays, nothing is refused.
        RefusalRow{"25:1 5:-2 6:-2 12:10 | dice 6 5 | side 0", 0, 11, 0, 2, 0, 0},
        RefusalRow{"0:-1 20:2 19:2 13:-10 | dice 6 5 | side 1", 0, 11, 0, 2, 0, 0},
        // The 1 was played (3/4), the 6 is blocked now; 3/9 was legal, or both dice.
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 6, 7, 1, 2, 0, kMorePipsMessage},
        RefusalRow{"21:-1 15:2 1:-14 20:13 | dice 6 0 | side 1", 6, 7, 1, 2, 0, kMorePipsMessage},
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 7, 7, 1, 2, 0, kBothDiceMessage},
        RefusalRow{"9:1 10:-2 24:14 5:-13 | dice 0 1 | side 0", 6, 7, 6, 2, 0, 0},  // the 6 was played
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 6 | side 0", 24, 24, 6, 4, 0, 0},  // doubles
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 7, 7, 1, 2, -1, 0}));  // turn ending

TEST_F(WholeRollTest, BothDiceBearOffOnlyTheRearmostMan) {
  // The lifted checker is off the board already.
  for (const auto& [text, from, allowed] : {std::tuple{"21:1 23:1 5:-13 | dice 5 4 | side 0", 19, false},  // 24 is past 21
                                            {"23:1 24:1 5:-13 | dice 4 5 | side 0", 19, true},
                                            {"23:-1 24:1 5:-12 | dice 4 5 | side 0", 19, false},
                                            {"4:-1 2:-1 20:13 | dice 5 4 | side 1", 6, false},
                                            {"2:-1 1:-1 20:13 | dice 4 5 | side 1", 6, true},
                                            {"2:1 1:-1 20:12 | dice 4 5 | side 1", 6, false}}) {
    setPosition(text);
    EXPECT_EQ(isFurthestBackPiece(static_cast<int16_t>(from)), allowed) << text;
  }
}

}  // namespace
}  // namespace bg::testing
