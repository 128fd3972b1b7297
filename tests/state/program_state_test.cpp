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
