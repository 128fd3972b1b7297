#include "interaction/put_down_check.h"

#include <cstdlib>
#include <utility>

#include "display/message_line.h"
#include "flow/turn_state.h"
#include "interaction/board_hit_test.h"
#include "interaction/move_entry.h"
#include "interaction/move_entry_state.h"
#include "rules/take_back.h"
#include "rules/whole_roll_check.h"
#include "runtime/core/messages.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kOffEnd = 25;    // side 0 bears off past 24, side 1 past 1 (index 0)
constexpr int16_t kHomeSpan = 6;

struct Side {
  int16_t side;
  int16_t dir;
  int16_t bar;
  int16_t off;
};

Side mover() {
  const int16_t s = position.currentPlayer;
  return {s, position.playerDirection[s], position.barPoint[s], s == kPlayer0 ? kOffEnd : int16_t{0}};
}

int16_t die(int n) { return diceState.dice[n].value; }
bool opposing(int q, const Side& s) { return q >= 1 && q <= 24 && position.board[q] * s.dir < 0; }
bool blocked(int q, const Side& s) { return q >= 1 && q <= 24 && position.board[q] * s.dir <= -2; }
int16_t ownOnBar(const Side& s) { return static_cast<int16_t>(std::abs(position.board[s.bar])); }

void refuse(int16_t message) { interaction.messageNumber = message; }
void accept() { hand.moveEntryActive = 0; }

int16_t heldFromBar(const Side& s) {
  int16_t n = 0;
  for (int16_t k = 1; k <= boardInput.pickedCount; ++k)
    if (interactionDisplay.pickedCheckers[k] == s.bar) ++n;
  return n;
}

// Both dice, or three or four steps of a double, in one put-down from `from`.
void combined(int16_t from, const Side& s) {
  const bool barFree = ownOnBar(s) == 0 || (hand.typedMovePending != 0 && ownOnBar(s) <= 1);
  if (!barFree || die(0) <= 0 || die(1) <= 0) return;
  if (hand.moveDistance == die(0) + die(1)) {
    const bool via0Open = !opposing(from + die(0) * s.dir, s);
    const bool via1Open = !opposing(from + die(1) * s.dir, s);
    if (!via0Open && !via1Open) return;
    hand.stepDistances[0] = via0Open ? die(0) : die(1);
    hand.stepDistances[1] = via0Open ? die(1) : die(0);
    hand.moveStepCount = 2;
    accept();
    return;
  }
  if (diceState.rolledDoubles == 0 || flow.movesLeft <= 2) return;
  for (int16_t k = 3; k <= std::min<int16_t>(flow.movesLeft, kPartMovesOfTurn); ++k) {
    if (hand.moveDistance != k * die(0)) continue;
    for (int16_t j = 1; j < k; ++j)
      if (opposing(from + j * die(0) * s.dir, s)) return;
    for (int16_t j = 0; j < k; ++j) hand.stepDistances[j] = die(0);
    hand.moveStepCount = k;
    accept();
    return;
  }
}

int16_t checkedFrom = 0;  // the from-point of the check running, in the side's track

void ordinaryLanding(const Side& s) {
  selectDieForDistance();
  if (hand.moveEntryActive == 0) return;
  if (heldFromBar(s) + ownOnBar(s) > 1) {
    refuse(kNoDieFitsMessage);
    moveEntry.barRefused = 255;
    return;
  }
  checkCombinedMove();
  if (hand.moveEntryActive == 0) return;
  // A put-down one point off a die is taken for a slip of the mouse and passes in silence;
  // a typed distance is the one meant, and is told why it does not fit.
  const bool nearMiss = std::abs(hand.moveDistance - die(0)) == 1 || std::abs(hand.moveDistance - die(1)) == 1;
  if (nearMiss && hand.typedMovePending == 0) return;
  refuse(kNoDieFitsMessage);
}

void bearOff(const Side& s) {
  for (int q = 1; q <= 24; ++q) {
    const bool outer = s.side == kPlayer0 ? q <= 18 : q >= 7;
    if (outer && position.board[q] * s.dir > 0) {
      refuse(kBringHomeFirstMessage);
      return;
    }
  }
  int16_t heldOutside = 0;
  for (int16_t k = 1; k <= boardInput.pickedCount; ++k) {
    const int16_t p = interactionDisplay.pickedCheckers[k];
    if (p >= 0 && p <= 25 && (s.side == kPlayer0 ? p < 19 : p > 6)) ++heldOutside;
  }
  if (heldOutside > 1) {
    refuse(kOneAtATimeMessage);
    return;
  }
  selectDieForDistance();
  if (hand.moveEntryActive == 0) return;
  checkCombinedMove();
  if (hand.moveEntryActive == 0) return;
  int16_t larger = -1;
  for (int16_t n = 0; n <= 1; ++n)
    if (die(n) > hand.moveDistance && (larger < 0 || die(n) > die(larger))) larger = n;
  if (larger >= 0) {
    hand.moveDistance = die(larger);
    hand.stepDistances[0] = die(larger);
    moveEntry.bearOffFromPoint = checkedFrom;
    checkBearOffAllowed();
    return;
  }
  if (die(0) > 0 && die(1) > 0 && die(0) + die(1) > hand.moveDistance) {
    moveEntry.bearOffFromPoint = checkedFrom;
    if (isFurthestBackPiece(checkedFrom)) {
      hand.moveStepCount = 2;
      accept();
    } else {
      refuse(kNoDieFitsMessage);
    }
    return;
  }
  refuse(kNoDieFitsMessage);
}

}  // namespace

void sortPickedCheckers() {
  auto& picked = interactionDisplay.pickedCheckers;
  const int16_t n = boardInput.pickedCount;
  const int16_t dir = position.playerDirection[position.currentPlayer];
  bool swapped = n >= 2;
  while (swapped) {
    swapped = false;
    for (int16_t k = 1; k < n; ++k) {
      if (picked[k] * dir < picked[k + 1] * dir) {
        std::swap(picked[k], picked[k + 1]);
        swapped = true;
      }
    }
    if (n < 3) break;
  }
}

void selectDieForDistance() {
  hand.dieIndex = die(0) == hand.moveDistance ? int16_t{0} : die(1) == hand.moveDistance ? int16_t{1} : int16_t{-1};
  if (hand.dieIndex < 0 || hand.moveDistance < 1) return;
  hand.stepDistances[0] = hand.moveDistance;
  accept();
}

void checkCombinedMove() { combined(checkedFrom, mover()); }

void checkBearOffAllowed() {
  const Side s = mover();
  for (int q = s.off - kHomeSpan * s.dir; q * s.dir < moveEntry.bearOffFromPoint * s.dir; q += s.dir) {
    if (q >= 1 && q <= 24 && position.board[q] * s.dir > 0) {
      refuse(kCantBearOffMessage);
      return;
    }
  }
  accept();
}

void validateCheckerMove() {
  const Side s = mover();
  int16_t to = interaction.clickedPoint;
  if (to == kDiceActionZone) {
    putBackLastHeld();
    return;
  }
  if (to >= kLeftDiceZone) {
    refuse(kFinishMovingMessage);
    return;
  }
  interaction.messageNumber = kNoMessage;
  int16_t from = hand.selectedPoint;
  if (from == 0 || from == 25) from = static_cast<int16_t>(25 - from);
  if (to == position.barPoint[1 - s.side]) {
    refuse(kCantMoveThereMessage);
    return;
  }
  if (to == s.bar) to = static_cast<int16_t>(25 - to);
  if (to < 0) {
    to = s.off;
    moveEntry.trayClickTarget = -1;
  }
  if (from < 0) from = s.off;
  hand.moveDistance = static_cast<int16_t>((to - from) * s.dir);
  hand.moveStepCount = 1;
  if (from == s.off) from = -1;
  hand.selectedPoint = from;
  hand.moveToPoint = to;
  if (hand.moveDistance < 1) {
    takeBackByPutDown(to, s.bar);
    return;
  }
  if (ownOnBar(s) != 0 && from != 25 - s.bar) {
    refuse(kEnterFromBarMessage);
    return;
  }
  if (from == -1) return;
  if (to == 25 - s.bar) {
    refuse(kCantMoveThereMessage);
    return;
  }
  if (blocked(to, s)) {
    refuse(kPointBlockedMessage);
    return;
  }
  checkedFrom = from;
  if (to >= 1 && to <= 24)
    ordinaryLanding(s);
  else
    bearOff(s);
}

}  // namespace bg
