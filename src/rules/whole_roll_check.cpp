#include "rules/whole_roll_check.h"

#include "rules/checker_move.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "rules/numbered_message.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/search_services.h"

namespace bg {

WholeRollState wholeRoll;
BG_RESETS_WITH_PROGRAM(wholeRoll);

namespace {

struct SideView {
  int16_t bar;
  int16_t dir;
  bool own(int q) const { return position.board[q] * dir > 0; }
  bool open(int q) const { return position.board[q] * dir > -2; }
  int pipsToOff(int q) const { return bar - q * dir; }
  int entryPoint(int d) const { return 25 - bar + d * dir; }
};

SideView sideToMove() {
  const int16_t p = position.currentPlayer;
  return {position.barPoint[p], position.playerDirection[p]};
}

void nothingPlayable() {
  wholeRoll.noMovesLeft = -1;
  checkUsesWholeRoll();
}

void refuse(int16_t message) {
  showNumberedMessage(message);
  searchServices.showTitledText(kInvalidMoveTitle, kInvalidMoveText);
  wholeRoll.wholeRollRefused = -1;
}

}  // namespace

void anyDieStillPlayable() {
  const SideView side = sideToMove();
  const bool upward = side.dir > 0;
  const auto& dice = diceState.dice;

  if (position.board[side.bar] != 0) {
    for (int i = 0; i <= 1; ++i) {
      if (dice[i].value > 0 && side.open(side.entryPoint(dice[i].value))) return;
    }
    nothingPlayable();
    return;
  }

  for (int i = 0; i <= 1; ++i) {
    const int d = dice[i].value;
    if (d <= 0) continue;
    if (upward) {
      for (int q = 1; q <= 24 - d; ++q) {
        if (side.own(q) && side.open(q + d)) return;
      }
    } else {
      for (int q = 24; q >= 1 + d; --q) {
        if (side.own(q) && side.open(q - d)) return;
      }
    }
  }

  // Bearing off needs every man home.
  for (int q = upward ? 1 : 24; upward ? q <= 18 : q >= 7; q += side.dir) {
    if (side.own(q)) {
      nothingPlayable();
      return;
    }
  }
  for (int i = 0; i <= 1; ++i) {
    const int d = dice[i].value;
    if (d > 0 && side.own(side.bar - d * side.dir)) return;
  }
  int rearmost = 0;
  for (int r = upward ? 19 : 6; upward ? r <= 24 : r >= 1; r += side.dir) {
    if (side.own(r)) {
      rearmost = r;
      break;
    }
  }
  if (rearmost != 0) {
    for (int j = 0; j <= 1; ++j) {
      if (dice[j].value > 0 && side.pipsToOff(rearmost) < dice[j].value) return;
    }
  }
  nothingPlayable();
}

bool someDieLeftPlayable() {
  // A quiet check may run inside another (the context help over a refusal).
  const int16_t quiet = wholeRoll.endCheckOnly;
  wholeRoll.endCheckOnly = -1;
  wholeRoll.noMovesLeft = 0;
  anyDieStillPlayable();
  wholeRoll.endCheckOnly = quiet;
  const bool playable = wholeRoll.noMovesLeft == 0;
  wholeRoll.noMovesLeft = 0;
  return playable;
}

void checkUsesWholeRoll() {
  if (wholeRoll.endCheckOnly == -1) return;  // a quiet check shows and records nothing
  wholeRoll.wholeRollRefused = 0;
  const auto& s = playSearch;
  if (flow.movesAllowed == kPartMovesOfPlainRoll && flow.turnEndPending == 0) {
    if (s.maxPipsUsable == s.rollPipTotal) {
      wholeRoll.bothDiceRefusal = -1;
      refuse(kBothDiceMessage);
    } else if (s.maxPipsUsable > record.gameRecord[record.gameRecordCount].distance) {
      wholeRoll.morePipsRefusal = -1;
      refuse(kMorePipsMessage);
    }
  }
  if (wholeRoll.wholeRollRefused != 0) return;
  endMovePhase();
}

bool isFurthestBackPiece(int16_t fromPoint) {
  const SideView side = sideToMove();
  const bool upward = side.dir > 0;
  int rearmost = upward ? 24 : 1;
  if (upward) {
    for (int q = 19; q <= 25; ++q) {
      if (position.board[q] > 0) {
        rearmost = q;
        break;
      }
    }
  } else {
    for (int q = 6; q >= 2; --q) {
      if (position.board[q] < 0) {
        rearmost = q;
        break;
      }
    }
  }
  if (upward ? fromPoint >= rearmost : fromPoint <= rearmost) return false;
  // Either die may go first. The checker stops on the way: no opposing checker may stand
  // there, and from there the second die bears it off only when no own checker lies
  // further back.
  const int16_t d0 = diceState.dice[0].value;
  const int16_t d1 = diceState.dice[1].value;
  const int16_t smaller = d1 < d0 ? int16_t{1} : int16_t{0};
  for (const int16_t first : {smaller, static_cast<int16_t>(1 - smaller)}) {
    const int16_t die = diceState.dice[first].value;
    const int via = fromPoint + die * side.dir;
    if (die < 1 || via < 1 || via > 24 || position.board[via] * side.dir < 0) continue;
    if (upward ? via > rearmost : via < rearmost) continue;
    hand.stepDistances[0] = die;
    hand.stepDistances[1] = diceState.dice[1 - first].value;
    return true;
  }
  return false;
}

}  // namespace bg
