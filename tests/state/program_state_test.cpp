#include "state/program_state.h"

#include <gtest/gtest.h>

#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/game_record_state.h"
#include "state/position.h"

namespace bg {
namespace {

void fakeFrameAllDice() {}

TEST(ProgramState, OneResetBringsStateAndHookTablesBack) {
  position.board[3] = 7;
  position.currentPlayer = 1;
  cube.cubeValue = 16;
  record.gameRecordCount = 40;
  displayServices.frameAllDice = fakeFrameAllDice;

  resetProgramState();

  EXPECT_EQ(position.board[3], 0);
  EXPECT_EQ(position.currentPlayer, Position{}.currentPlayer);
  EXPECT_EQ(cube.cubeValue, CubeState{}.cubeValue);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(displayServices.frameAllDice, DisplayServices{}.frameAllDice);
}

}  // namespace
}  // namespace bg

#include "support/position_text.h"

namespace bg {
namespace {

TEST(PositionText, OneLineSetsBoardRollCubeAndSide) {
  resetProgramState();
  testing::setPosition("start 25:1 1:1 | dice 3 3 | cube 4 1 | side 1");
  EXPECT_EQ(position.board[25], 1);
  EXPECT_EQ(position.board[1], 1);
  EXPECT_EQ(position.board[24], -2);
  EXPECT_EQ(position.piecesOnBoard[0], 15);  // one moved from point 1 to the bar
  EXPECT_EQ(position.piecesOnBoard[1], 15);
  EXPECT_EQ(diceState.dice[3].value, 3);
  EXPECT_EQ(cube.cubeValue, 4);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(position.otherPlayer, 0);
}

}  // namespace
}  // namespace bg
