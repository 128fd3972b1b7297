#pragma once
// The board aids without a window: the flow fixture with the interaction's routines,
// positions given for side 0 and played again for side 1 on the mirrored board.
#include <string>

#include "../flow/flow_fixture.h"
#include "display/message_line.h"
#include "interaction/interaction_install.h"
#include "interaction/key_commands.h"
#include "interaction/move_entry_state.h"
#include "state/dice_state.h"
#include "state/position.h"

namespace bg::testing {

using Board = CheckedArray<int16_t, 25>;

// Side 1's view of a board of side 0: point p becomes 25 - p with the other colour.
inline Board mirrored(const Board& b) {
  Board m{};
  for (int p = 0; p <= 25; ++p) m[p] = static_cast<int16_t>(-b[25 - p]);
  return m;
}

// The position (side 0 to move) played by `side`: mirrored for side 1.
inline void setMoverPosition(const std::string& text, int16_t side) {
  setPosition(text);
  if (side == 1) {
    position.board = mirrored(position.board);
    std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
  }
  setSideOnRoll(side);
  position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
  position.openingPhase = 0;
  diceState.diceShowing = -1;
  flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  playSearch.playLength = flow.movesAllowed;
}

// The board as side 0 would see it after the same play.
inline Board seenBySide0(int16_t side) { return side == 1 ? mirrored(position.board) : position.board; }

// Keys typed one by one on the board while move entry waits.
inline void typeOnBoard(const std::string& keys) {
  for (char c : keys) {
    moveEntry.waitingForMove = -1;
    interactionDisplay.keyBuffer = std::string_view(&c, 1);
    doKeyDown();
  }
  moveEntry.waitingForMove = 0;
}

class AidTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    installInteractionServices();
    flow.opponentMode = kTwoPeople;
  }
};

}  // namespace bg::testing
