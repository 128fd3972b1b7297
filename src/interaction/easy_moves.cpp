#include "interaction/easy_moves.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "flow/turn_state.h"
#include "interaction/board_hit_test.h"
#include "interaction/move_entry.h"
#include "interaction/move_entry_state.h"
#include "interaction/mover_points.h"
#include "interaction/typed_moves.h"
#include "rules/whole_roll_check.h"
#include "rules/numbered_message.h"
#include "runtime/qt/events.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr std::string_view kNotYourTrayText = "MMThat is not your tray";
constexpr int16_t kOffTheBoard = 25;  // the mover's point for bearing off
constexpr int16_t kHomeStart = 19;    // the mover's first home point
constexpr int16_t kNoneFound = kNoPointSelected;

int die(int i) { return diceState.dice[i].value; }

std::vector<int> dieOrder() {
  if (turnState.autoMoveReverse != 0) return {0, 1};
  return {3, 2, 1, 0};
}

void show(int16_t message) {
  interaction.messageNumber = message;
  hook::displayMessage();
}

// The mover's point f as a from-point: 0 is the bar.
bool ownsFrom(int f) { return f >= 0 && f <= 24 && moverOwns(f == 0 ? kOffTheBoard : static_cast<int16_t>(f)); }
int16_t fromPoint(int f) { return f == 0 ? kOffTheBoard : static_cast<int16_t>(f); }

int16_t findOnBoard(int16_t t) {
  int16_t found = kNoneFound;
  if (moverCount(kOffTheBoard) > 0) {
    found = kOffTheBoard;
  } else {
    for (int i : dieOrder()) {
      const int d = die(i);
      if (d > 0 && ownsFrom(t - d)) {
        found = fromPoint(t - d);
        break;
      }
    }
  }
  // Command asks for one checker moved by several dice only, the bar's too.
  if (turnState.autoMoveCombined != 0) found = kNoneFound;
  if (found != kNoneFound) return found;
  int f = t - (die(0) + die(1));
  for (int next : {0, die(2), die(3)}) {
    f -= next;
    if (ownsFrom(f)) return fromPoint(f);
  }
  return kNoneFound;
}

int16_t findBearOff() {
  for (int16_t v = 1; v <= 18; ++v)
    if (moverOwns(v)) return kNoneFound;
  if (moverCount(kOffTheBoard) > 0) return kNoneFound;
  int16_t back = kHomeStart;
  for (int16_t v = kHomeStart; v <= 24; ++v) {
    if (moverOwns(v)) {
      back = v;
      break;
    }
  }
  int16_t found = kNoneFound;
  for (int i : dieOrder()) {
    const int d = die(i);
    if (d <= 0) continue;
    if (kOffTheBoard - back < d) {
      found = back;
      break;
    }
    if (moverOwns(static_cast<int16_t>(kOffTheBoard - d))) {
      found = static_cast<int16_t>(kOffTheBoard - d);
      break;
    }
  }
  if (turnState.autoMoveCombined != 0) found = kNoneFound;
  if (found != kNoneFound) return found;
  const int sum = die(0) + die(1);
  for (int v : {kOffTheBoard - sum, kOffTheBoard - sum - die(2), kOffTheBoard - sum - die(2) - die(3)}) {
    if (v >= 1 && v <= 24 && moverOwns(static_cast<int16_t>(v))) return static_cast<int16_t>(v);
  }
  // The last checker goes off with the whole roll.
  if (position.piecesOnBoard[position.currentPlayer] == 1 && kOffTheBoard - sum - die(2) - die(3) < back) return back;
  return kNoneFound;
}

}  // namespace

int16_t checkClickedPoint() {
  moveEntry.pickUpAccepted = 0;
  const int16_t p = interaction.clickedPoint;
  if (boardInput.hitDice != 0) {
    anyDieStillPlayable();
    if (wholeRoll.noMovesLeft == 0 && wholeRoll.wholeRollRefused == 0) show(kMovesToPlayMessage);
    return 0;
  }
  if (p == kLowerTrayZone || p == kUpperTrayZone) {
    if (p == moverTray()) return -1;
    showMessageText(kNotYourTrayText);
    return 0;
  }
  if (p < kUpperTrayZone || p > 25) {
    // The middle of the bar is the dice action and the cube gives its own answer, both
    // handled before move entry.
    if (boardInput.diceAreaClicked == 0 && boardInput.hitCube == 0) beepShowMessage46();
    return 0;
  }
  if (p == 0 || p == 25) {
    show(kCantMoveThereMessage);
    return 0;
  }
  if (moverBlocked(moverPoint(p))) {
    show(kPointBlockedMessage);
    return 0;
  }
  return -1;
}

int16_t findAutoMove() {
  hand.selectedPoint = kNoneFound;
  const int16_t p = interaction.clickedPoint;
  const int16_t t = p < 0 ? kOffTheBoard : moverPoint(p);
  const int16_t found = t == kOffTheBoard ? findBearOff() : findOnBoard(t);
  if (found < 0 || found > 25) return 0;
  hand.selectedPoint = programPoint(found);
  return -1;
}

void moveClickedPieceTo(int16_t from) {
  hand.selectedPoint = from;
  hand.pieceInHand = -1;
  hand.typedMovePending = -1;
  applyTypedMove();
  flushEvents();
}

}  // namespace bg
