// Whether the human can still play a die (against the independent generator), the refusal
// of a play that used less of the roll than the rules demand, and the bear-off with both dice.
#include "rules/whole_roll_check.h"

#include "random_positions.h"
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

TEST_F(WholeRollTest, AnyDieIsPlayableExactlyWhenTheReferenceFindsAMove) {
  RandomPositions gen(31);
  wholeRoll.endCheckOnly = -1;
  for (int n = 0; n < 6000; ++n) {
    const int mover = gen.below(2);
    const RefPosition pos = gen.make(mover);
    auto [d0, d1] = gen.roll();
    if (d0 == d1 || gen.below(2) == 0) (gen.below(2) == 0 ? d0 : d1) = 0;  // one die played
    loadPosition(pos, mover, d0, d1);
    wholeRoll.noMovesLeft = 0;
    anyDieStillPlayable();
    bool playable = false;
    for (const int d : {d0, d1}) playable = playable || (d > 0 && referencePlays(pos, mover, {d}).maxPips > 0);
    ASSERT_EQ(wholeRoll.noMovesLeft, playable ? 0 : -1) << "case " << n << " dice " << d0 << "-" << d1;
  }
  EXPECT_EQ(boxes, 0) << "a quiet check shows nothing";
  EXPECT_EQ(flow.movePhaseOver, 0);
}

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

struct FurthestBackRow {
  const char* position;  // the lifted checker is off the board already
  int16_t from;
  bool allowed;
};

class FurthestBackTest : public RulesTest, public ::testing::WithParamInterface<FurthestBackRow> {};

TEST_P(FurthestBackTest, BothDiceBearOffOnlyTheRearmostMan) {
  setPosition(GetParam().position);
  EXPECT_EQ(isFurthestBackPiece(GetParam().from), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FurthestBackTest,
    ::testing::Values(FurthestBackRow{"21:1 23:1 5:-13 | dice 5 4 | side 0", 19, false},  // 24 is past 21
                      FurthestBackRow{"23:1 24:1 5:-13 | dice 5 4 | side 0", 19, true},
                      FurthestBackRow{"23:-1 24:1 5:-12 | dice 4 5 | side 0", 19, true},  // the 5 first
                      FurthestBackRow{"23:-1 24:-1 22:1 5:-11 | dice 4 5 | side 0", 19, false},
                      FurthestBackRow{"5:-1 20:13 | dice 4 3 | side 1", 6, false},  // 6/2 leaves the 5
                      FurthestBackRow{"4:-1 2:-1 20:13 | dice 5 4 | side 1", 6, false},
                      FurthestBackRow{"2:-1 1:-1 20:13 | dice 4 5 | side 1", 6, true},
                      FurthestBackRow{"2:1 1:-1 20:12 | dice 4 5 | side 1", 6, true}));

}  // namespace
}  // namespace bg::testing
