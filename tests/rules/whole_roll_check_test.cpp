// Whether the human can still play a die, and the refusal of a play that used less of
// the roll than the rules demand.
#include <gtest/gtest.h>

#include <string>

#include "rules/dice.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/search_services.h"
#include "rules/whole_roll_check.h"
#include "rules_fixture.h"

namespace bg {
namespace {

std::string boxTitle;
std::string boxText;
int boxes = 0;

class WholeRollTest : public testing::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    wholeRoll = WholeRollState{};
    searchServices = SearchServices{};
    searchServices.showTitledText = [](std::string_view title, std::string_view text) {
      ++boxes;
      boxTitle = std::string(title);
      boxText = std::string(text);
    };
    boxes = 0;
    recordMessages();
  }
  void TearDown() override {
    searchServices = SearchServices{};
    RulesTest::TearDown();
  }

  // Real board counts for the given side to move, and the dice still held.
  static void setBoard(std::initializer_list<std::pair<int, int>> counts, int player, int d0, int d1) {
    position.board.fill(0);
    for (const auto& [i, n] : counts) position.board[i] = static_cast<int16_t>(n);
    position.currentPlayer = static_cast<int16_t>(player);
    position.otherPlayer = static_cast<int16_t>(1 - player);
    diceState.dice[0].value = static_cast<int16_t>(d0);
    diceState.dice[1].value = static_cast<int16_t>(d1);
    flow.movesAllowed = 2;
  }
  // The search's findings for the roll, and the part-move the human made.
  static void rollFacts(int maxPips, int rollPips, int lastDistance) {
    playSearch.maxPipsUsable = static_cast<int16_t>(maxPips);
    playSearch.rollPipTotal = static_cast<int16_t>(rollPips);
    record.gameRecordCount = 1;
    record.gameRecord[1].distance = static_cast<int16_t>(lastDistance);
  }
  static bool ended() { return flow.movePhaseOver == -1; }
};

TEST_F(WholeRollTest, NothingPlayableFromTheBarEndsTheMovePhase) {
  // Player 0 on the bar against 5 and 6 held; roll 6-5.
  setBoard({{25, 1}, {5, -2}, {6, -2}, {12, 10}}, 0, 6, 5);
  rollFacts(0, 11, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_EQ(wholeRoll.wholeRollRefused, 0);
  EXPECT_TRUE(ended());
  EXPECT_EQ(boxes, 0);
  // The mirror for player 1: entry points 20 and 19.
  testing::resetRulesState();
  wholeRoll = WholeRollState{};
  setBoard({{0, -1}, {20, 2}, {19, 2}, {13, -10}}, 1, 6, 5);
  rollFacts(0, 11, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_TRUE(ended());
}

TEST_F(WholeRollTest, BarEntryWithOneDieOpenIsPlayable) {
  setBoard({{25, 1}, {6, -2}, {12, 10}}, 0, 6, 5);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, 0);
  EXPECT_FALSE(ended());
}

TEST_F(WholeRollTest, PlayingTheSmallerDieWhenTheLargerWasLegalIsRefused) {
  // Player 0 played the 1 (3/4); the 6 is left but 4/10 is blocked. 3/9 was legal.
  setBoard({{4, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 6, 0);
  rollFacts(6, 7, 1);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.wholeRollRefused, -1);
  EXPECT_EQ(wholeRoll.morePipsRefusal, -1);
  EXPECT_EQ(wholeRoll.bothDiceRefusal, 0);
  EXPECT_EQ(interaction.messageNumber, kMorePipsMessage);
  EXPECT_FALSE(ended());
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(boxTitle, "       Invalid Move");
  EXPECT_EQ(boxText,
            "You must use as much of your roll as possible. There is a move that uses more of the roll. "
            "Clear this then click on BAR to take back your move.\r\rIf you can't find the correct move, "
            "use either Make Best Move or Display Best Moves for help.");
  // Had the human played the 6, the move phase ends normally.
  testing::resetRulesState();
  wholeRoll = WholeRollState{};
  setBoard({{9, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 0, 1);
  rollFacts(6, 7, 6);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.wholeRollRefused, 0);
  EXPECT_TRUE(ended());
}

TEST_F(WholeRollTest, LeavingTheOtherDieUnplayableWhenBothCouldBePlayedIsRefused) {
  setBoard({{4, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 6, 0);
  rollFacts(7, 7, 1);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.bothDiceRefusal, -1);
  EXPECT_EQ(interaction.messageNumber, kBothDiceMessage);
  EXPECT_EQ(wholeRoll.wholeRollRefused, -1);
}

TEST_F(WholeRollTest, DoublesAndPendingTurnEndsAreNeverRefused) {
  setBoard({{4, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 6, 6);
  flow.movesAllowed = 4;
  rollFacts(24, 24, 6);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.wholeRollRefused, 0);
  EXPECT_TRUE(ended());

  testing::resetRulesState();
  wholeRoll = WholeRollState{};
  setBoard({{4, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 6, 0);
  rollFacts(7, 7, 1);
  flow.turnEndPending = -1;
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.wholeRollRefused, 0);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(record.gameRecordCount, 1);  // nothing recorded
}

TEST_F(WholeRollTest, QuietCheckOnlyReports) {
  setBoard({{4, 1}, {10, -2}, {24, 14}, {5, -13}}, 0, 6, 0);
  rollFacts(7, 7, 1);
  wholeRoll.endCheckOnly = -1;
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_EQ(wholeRoll.wholeRollRefused, 0);
  EXPECT_EQ(boxes, 0);
  EXPECT_TRUE(testing::serviceLog.messages.empty());
  EXPECT_FALSE(ended());
  EXPECT_EQ(record.gameRecordCount, 1);
}

TEST_F(WholeRollTest, BearingOffTests) {
  // All home, the 6 of a 6-2 left, rearmost man on player 0's 22: the 6 bears it off.
  setBoard({{22, 1}, {24, 5}, {5, -15}}, 0, 6, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, 0);
  // With the rearmost man on 19 the 6 plays exactly.
  setBoard({{19, 1}, {24, 5}, {5, -15}}, 0, 6, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, 0);
  // A larger die with a man farther back than the one it would bear off.
  setBoard({{20, 1}, {23, 1}, {5, -15}}, 0, 0, 6);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, 0);  // 20 is the rearmost: 6 bears it off
  // A man outside the home board (18) blocks every bear-off.
  setBoard({{18, 1}, {21, 14}, {24, -2}, {5, -13}}, 0, 0, 6);
  rollFacts(0, 6, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  // Player 1's mirror: rearmost on its 3, roll 6-2: the 6 bears it off.
  wholeRoll = WholeRollState{};
  setBoard({{3, -1}, {1, -5}, {20, 15}}, 1, 6, 0);
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, 0);
}

TEST_F(WholeRollTest, BearingOffWithBothDiceNeedsTheRearmostManAndAnOpenWayPoint) {
  // Player 0, lifted man from 19 (already off the board), dice 5-4 played 5 then 4.
  setBoard({{21, 1}, {23, 1}, {5, -13}}, 0, 5, 4);
  EXPECT_FALSE(isFurthestBackPiece(19));  // 19 + 5 = 24 lies past the man on 21
  setBoard({{23, 1}, {24, 1}, {5, -13}}, 0, 4, 5);
  EXPECT_TRUE(isFurthestBackPiece(19));  // 19 + 4 = 23: the rearmost man then bears off
  // The way point holds a single opposing man: the checker cannot stop there.
  setBoard({{23, -1}, {24, 1}, {5, -12}}, 0, 4, 5);
  EXPECT_FALSE(isFurthestBackPiece(19));
  // Player 1's mirror.
  setBoard({{2, -1}, {1, -1}, {20, 13}}, 1, 4, 5);
  EXPECT_TRUE(isFurthestBackPiece(6));
  setBoard({{4, -1}, {2, -1}, {20, 13}}, 1, 5, 4);
  EXPECT_FALSE(isFurthestBackPiece(6));
  setBoard({{2, 1}, {1, -1}, {20, 12}}, 1, 4, 5);
  EXPECT_FALSE(isFurthestBackPiece(6));
}

}  // namespace
}  // namespace bg
