#include "display/bear_off.h"

#include <cstdint>

#include "display/board_layout.h"
#include "display/checker_animation.h"
#include "display/world_housekeeping.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/rollout_state.h"

namespace bg {


void bearOffToTray() {
  const int16_t side = position.currentPlayer;
  position.piecesOnBoard[side] = static_cast<int16_t>(position.piecesOnBoard[side] - 1);
  display.bearingOffPiece = -1;
  const auto n = static_cast<int16_t>(kCheckersPerSide - position.piecesOnBoard[side]);
  Point target = trayPiecePosition(side, n);
  if (side == 0) target.v = static_cast<int16_t>(target.v - layout.pieceWidth / 2);
  if (position.playerType[side] == kHumanPlayer && flow.bestMoveForHuman == 0 && hand.typedMovePending == 0) {
    display.moveFromHand = -1;
    display.liftFromPoint = 0;
  }
  animateCheckerMove(target.h, target.v);
  display.bearingOffPiece = 0;
}

void redrawTrays() {
  if (rolloutHidesBoard()) return;
  for (int16_t side = 0; side <= 1; ++side) {
    for (int16_t n = 1; n <= kCheckersPerSide - position.piecesOnBoard[side]; ++n) drawTrayPiece(side, n);
  }
}

}  // namespace bg
