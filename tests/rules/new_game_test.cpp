// A new game: the starting position and its recognition, the per-game resets, the side
// that moves first.
#include "rules/new_game.h"

#include "rules/starting_position.h"
#include "state/cube_state.h"
#include "state/settings.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

using NewGameTest = RulesTest;

TEST_F(NewGameTest, StartingPositionHasFifteenMenAndOneHundredSixtySevenPipsASide) {
  setPosition("25:3 3:-4 | cube 8 1 | dice 5 5");
  record.gameRecordCount = 57;
  record.gameRecord[9].side = 1;
  setStartingPosition();
  int pips[2] = {0, 0};
  for (int i = 1; i <= 24; ++i) {
    pips[0] += std::max<int>(position.board[i], 0) * (25 - i);
    pips[1] += std::max<int>(-position.board[i], 0) * i;
  }
  EXPECT_EQ((std::vector<int>{pips[0], pips[1], checkersOf(0), checkersOf(1), position.piecesOnBoard[0] + position.piecesOnBoard[1]}),
            (std::vector<int>{167, 167, 15, 15, 30}));
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(record.gameRecord[9].side, kEmptyEntrySide);
  for (const DiceEntry& die : diceState.dice) EXPECT_EQ(die.value, 0);
  // Only the exact start is recognised, and it starts the turn count again.
  for (const char* text : {"start", "start 24:-1 0:-1", "start 12:4 1:3", "start 1:1 25:1", "start 6:-4 5:-1"}) {
    setPosition(text);
    flow.turnNumber = 7;
    position.openingPhase = 0;
    checkStartingPosition();
    const bool start = std::string_view(text) == "start";
    EXPECT_EQ(position.openingPhase, start ? -1 : 0) << text;
    EXPECT_EQ(flow.turnNumber, start ? 1 : 7) << text;
  }
}

TEST_F(NewGameTest, WinnerRollsFirstOnlyOncePointsAreScored) {
  static std::vector<int> redrawnFor;
  redrawnFor.clear();
  displayServices.redrawBoardWindow = [] { redrawnFor.push_back(position.currentPlayer); };
  settings.whoRollsFirst = kWinnerRollsFirst;
  flow.winnerSide = 1;
  startNewGame();
  EXPECT_EQ(position.openingPhase, -1) << "0-0: there is still an opening roll";
  flow.scores[1] = 2;
  flow.winnerSide = 1;
  redrawnFor.clear();
  startNewGame();
  EXPECT_EQ(position.openingPhase, 0);
  EXPECT_EQ(position.currentPlayer, 0) << "the turn's flip makes the winner, player 1, roll first";
  EXPECT_EQ(redrawnFor, std::vector<int>{1}) << "the board shows the side that moves first";
}

}  // namespace
}  // namespace bg::testing
