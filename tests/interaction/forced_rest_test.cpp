// "Play forced moves" after a step played by hand: the rest of the roll is played for the
// person as far as it goes, and a die left over that nothing can use ends the turn as any
// blocked die does. Clicks on the board after it change nothing and stop nothing.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "display/board_layout.h"
#include "flow/turn.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "interaction/board_waits.h"
#include "state/interaction_services.h"
#include "state/play_options.h"
#include "scripted_games.h"
#include "../flow/flow_fixture.h"

namespace bg {
namespace {

struct ForcedRestRow {
  int16_t side;
  const char* board;  // in side 0's numbering; the person's three checkers on `from`
  int16_t from, to;   // the one step by hand (4/1 in the mover's count)
  uint8_t autoPass;
};

// Red of the report on either side: 1:8 2:2 4:3 22:2 against 19:3 20:3 21:2 23:7 on 3-3.
constexpr ForcedRestRow kRows[] = {
    {1, "1:-8 2:-2 4:-3 22:-2 19:3 20:3 21:2 23:7", 4, 1, 255},
    {0, "24:8 23:2 21:3 3:2 6:-3 5:-3 4:-2 2:-7", 21, 24, 255},
    {1, "1:-8 2:-2 4:-3 22:-2 19:3 20:3 21:2 23:7", 4, 1, 0},
    {0, "24:8 23:2 21:3 3:2 6:-3 5:-3 4:-2 2:-7", 21, 24, 0},
};

// The parameter is the row.
class ForcedRest : public testing::ScriptedGamesTest {};

std::vector<int16_t> messages;

TEST_P(ForcedRest, ALeftOverDieNobodyCanPlayEndsTheTurnAndLaterClicksAreHarmless) {
  const ForcedRestRow& row = kRows[GetParam()];
  testing::MouseScript script;
  testing::pumpWithScript(script);
  messages.clear();
  interactionServices.displayMessage = [] { messages.push_back(interaction.messageNumber); };
  testing::setPosition(row.board);
  position.playerType[row.side] = kHumanPlayer;
  position.playerType[1 - row.side] = kComputerPlayer;
  flow.opponentMode = kComputerOpponent;
  position.openingPhase = 0;
  flow.turnNumber = 9;
  options.autoMoves = 8;  // Play forced moves only
  options.autoPlayForcedOn = -1;
  options.autoPass = row.autoPass;
  options.selectOneOnly = -1;  // a click on the landing point puts the checker down
  redrawBoardWindow();
  testing::turnGoesTo(row.side);
  testing::scriptDice({3, 3});

  // One step by hand, then, whatever the game did with the rest, the emptied point and the
  // landing point; the dice last, for a turn that waits for them. Each click goes in while
  // the board waits for one.
  static const ForcedRestRow* now = nullptr;
  static testing::MouseScript* clicks = nullptr;
  static int next = 0;
  now = &row;
  clicks = &script;
  next = 0;
  script.planner = [] {
    if (panelWait.clickWaitRunning == 0) return;
    if (diceState.diceShowing == 0 && next == 0) {
      clicks->click(testing::diceSpot());  // the roll
      return;
    }
    const Point from = testing::pointSpot(now->from), to = testing::pointSpot(now->to);
    switch (next++) {
      case 0:
        clicks->click(from);
        clicks->drag(from, to, 4);
        clicks->click(to);
        break;
      case 1: clicks->click(from); break;
      case 2: clicks->click(to); break;
      default: clicks->click(testing::diceSpot()); break;
    }
  };
  playTurn();
  setRandomHook(nullptr);

  EXPECT_FALSE(script.spent) << "the turn did not end";
  const int16_t sign = row.side == 0 ? 1 : -1;
  EXPECT_EQ(position.board[row.from], 0);
  EXPECT_EQ(position.board[row.to], sign * 11);
  EXPECT_EQ(boardInput.pickedCount, 0);
  for (int k = 0; k <= 3; ++k) EXPECT_GE(diceState.dice[k].value, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ForcedRest, ::testing::Range<uint32_t>(0, static_cast<uint32_t>(std::size(kRows))));

}  // namespace
}  // namespace bg
