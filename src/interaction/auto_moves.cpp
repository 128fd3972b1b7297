#include "interaction/auto_moves.h"

#include <string_view>

#include "rules/whole_roll_check.h"
#include "state/board_input.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/shell_services.h"
#include "state/speech_state.h"
#include "state/turn_flags.h"

namespace bg {

namespace {

constexpr std::string_view kNoMoreMovesText = "MMYou don't have any more moves";
constexpr double kNoMoreMovesSeconds = 2.0;

}  // namespace

void reportNoMoreMoves() {
  if (hand.pieceInHand != 0 || boardInput.pickedCount != 0) return;
  if (position.piecesOnBoard[position.currentPlayer] <= 0) return;
  wholeRoll.noMovesLeft = 0;
  wholeRoll.endCheckOnly = -1;
  anyDieStillPlayable();
  wholeRoll.endCheckOnly = 0;
  if (wholeRoll.noMovesLeft == 0) return;
  interaction.messageNumber = kNoMessage;
  interaction.messageText = kNoMoreMovesText;
  speech.waitForSpeechEnd = -1;
  hook::displayMessage();
  hook::pauseAfterMove(kNoMoreMovesSeconds);
  wholeRoll.noMovesLeft = 0;
  anyDieStillPlayable();  // for real: ends the move phase and records the unplayed dice
  turnFlags.removeDiceAtTurnEnd = -1;
}

}  // namespace bg
