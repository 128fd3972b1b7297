#include "interaction/auto_moves.h"

#include <string_view>

#include "interaction/easy_moves.h"
#include "interaction/mover_points.h"
#include "rules/whole_roll_check.h"
#include "rules/numbered_message.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
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
constexpr int16_t kMoverBar = 25;
constexpr int16_t kOff = 25;        // the mover's point past its last one
constexpr int16_t kHomeStart = 19;  // the mover's first home point
constexpr int16_t kMostEntries = 4;

int16_t die(int i) { return diceState.dice[i].value; }

bool stopped() { return flow.abortTurn != 0 || flow.newGameRequested != 0; }

// One checker from the bar onto the mover's point d.
void enterWith(int16_t d) {
  interaction.clickedPoint = programPoint(d);
  moveClickedPieceTo(programPoint(kMoverBar));
}

// The mover's rearmost home checker, or 0.
int16_t rearmostHome() {
  for (int16_t v = kHomeStart; v <= 24; ++v)
    if (moverOwns(v)) return v;
  return 0;
}

// Bears the rearmost home checker off with die entry i; false when that die does not
// reach it or (with hitTest) when the other die could hit a lone checker instead.
bool bearOffWith(int i, bool hitTest) {
  const int16_t d = die(i);
  const int16_t q = rearmostHome();
  if (d <= 0 || q == 0 || d < kOff - q) return false;
  if (hitTest) {
    const int16_t other = die(1 - i);
    if (other > 0 && q + other < kOff && moverCount(static_cast<int16_t>(q + other)) == -1) return false;
  }
  interaction.clickedPoint = moverTray();
  moveClickedPieceTo(programPoint(q));
  return !stopped();
}

}  // namespace

void autoEnterFromBar() {
  const int16_t onBar = moverCount(kMoverBar);
  if (onBar <= 0) return;
  const int16_t d0 = die(0);
  const int16_t d1 = die(1);
  const bool open0 = d0 > 0 && !moverBlocked(d0);
  const bool open1 = d1 > 0 && !moverBlocked(d1);
  if (open0 != open1) {
    enterWith(open0 ? d0 : d1);
    return;
  }
  if (!open0) return;
  if (diceState.rolledDoubles != 0) {
    const int16_t n = onBar < kMostEntries ? onBar : kMostEntries;
    for (int16_t k = 0; k < n && !stopped(); ++k) enterWith(d0);
    return;
  }
  if (onBar < 2) return;  // one checker, two open points: the person chooses
  enterWith(d0);
  if (!stopped() && die(1) > 0 && !moverBlocked(d1)) enterWith(d1);
}

void autoBearOffMoves() {
  if (diceState.rolledDoubles != 0) {
    for (int i = 3; i >= 0; --i)
      if (!bearOffWith(i, false)) return;
    return;
  }
  int first = die(1) > die(0) ? 1 : 0;
  for (int n = 0; n < 2; ++n) {
    int i = n == 0 ? first : 1 - first;
    if (die(i) <= 0) i = 1 - i;
    if (!bearOffWith(i, true)) return;
  }
}

void reportNoMoreMoves() {
  if (hand.pieceInHand != 0 || boardInput.pickedCount != 0) return;
  if (position.piecesOnBoard[position.currentPlayer] <= 0) return;
  if (someDieLeftPlayable()) return;
  speech.waitForSpeechEnd = -1;
  showMessageText(kNoMoreMovesText);
  hook::pauseAfterMove(kNoMoreMovesSeconds);
  wholeRoll.noMovesLeft = 0;
  anyDieStillPlayable();  // for real: ends the move phase and records the unplayed dice
  turnFlags.removeDiceAtTurnEnd = -1;
}

}  // namespace bg
