// Show Best Moves chosen from the Commands menu of the started program during the person's
// turn: the list of the roll's plays over the board until a click, then the board as a
// fresh redraw draws it, with the roll still to play.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/move_list.h"
#include "rules/best_plays.h"
#include "state/best_plays_state.h"
#include "state/menu_numbers.h"
#include "started_program.h"
#include "state/game_record_state.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

// The board's routines as the program's start installs them after the start-up.
class ShowBestMovesMenu : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installInteractionServices();
    setMouseVector(mouseEventHook);
  }
  void TearDown() override {
    setMouseVector(nullptr);
    StartedProgram::TearDown();
  }
};

TEST_F(ShowBestMovesMenu, TheItemListsThePlaysOfTheRollUntilAClick) {
  testing::personToPlay("start | dice 4 2 | side 0");
  redrawBoardWindow();
  const auto board = position.board;

  testing::MouseScript s;
  testing::pumpWithScript(s);
  std::vector<std::string> lines;
  bool up = false;
  // The search pumps too: the script looks once the list waits for its click.
  s.planner = [&] {
    if (up || panelWait.clickWaitRunning != -1) return;
    up = display.overlayActive == -1;
    for (int16_t n = 1; n <= interaction.messageLineCount; ++n) lines.push_back(interaction.messageLines[n].str());
    s.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
  };
  choose(kComputerMenu, kShowBestMovesItem);

  EXPECT_FALSE(s.spent) << "the list's wait did not end";
  EXPECT_TRUE(up);
  ASSERT_EQ(lines.size(), 3u);
  // 4-2 from the start: the 4 point made from the 8 and the 6.
  EXPECT_EQ(lines[0], " 8- 4  6- 4 ");
  EXPECT_EQ(lines[0], playNotation(bestPlays.bestPlaysTrue, 1));
  EXPECT_EQ(position.board, board);
  EXPECT_EQ(flow.movesLeft, 2);
  EXPECT_EQ(display.overlayActive, 0);
  testing::expectLikeAFreshRedraw("after the list");
}

}  // namespace
}  // namespace bg
