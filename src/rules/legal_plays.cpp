#include "rules/legal_plays.h"

#include "rules/dice.h"
#include "rules/search_pump.h"
#include "state/analysis_state.h"
#include "state/play_search_state.h"
#include "state/program_state.h"

namespace bg {

PlaySearchState playSearch;
BG_RESETS_WITH_PROGRAM(playSearch);

namespace {

void hitAt(int landing) {
  auto& s = playSearch;
  s.genOpponentBar += 1;
  analysis.evalBoard[landing] = 0;
  if (s.searchModeHitTracking != 0) {
    s.playHitCount += 1;
    s.playLastHitPoint = static_cast<int16_t>(landing);
    if (s.firstHitPoint == 0) s.firstHitPoint = static_cast<int16_t>(landing);
  }
}

void noteHitsOfPlay() {
  auto& s = playSearch;
  if (s.playHitCount >= 1 && s.genPipsUsed == s.hitTrackPips && s.playLastHitPoint >= 1) {
    if (s.playHitCount > s.genMaxHits) s.genMaxHits = s.playHitCount;
    s.hittableBlot[s.playLastHitPoint] = 1;
  }
}

}  // namespace

void nextDiceOrderOrFewerDice() {
  auto& s = playSearch;
  const auto& dice = diceState.dice;
  if (dice[0].value != dice[1].value) {
    if (s.diceSwappedPass == 0) {
      s.diceSwappedPass = 1;
      s.playDice[1] = dice[1].value;
      s.playDice[2] = dice[0].value;
      return;
    }
    s.diceSwappedPass = 0;
    s.playDice[1] = dice[0].value;
    s.playDice[2] = dice[1].value;
  }
  s.playLength -= 1;
  if (s.playLength != 0 && s.bestPipsSoFar == 0) return;  // a stage with one die fewer
  s.stopEnumeration = -1;
}

void advancePartMoveOdometer(int k) {
  auto& s = playSearch;
  s.genOdometerStepped = 0;
  int j = k;
  while (s.genOdometerStepped == 0) {
    for (int i = j; i <= s.playLength; ++i) s.playFrom[i] = analysis.highestOccupiedPoint;
    j -= 1;
    if (j == 0 || s.playFrom[j] == kFromBar) {
      // Bar entries never step: the pass is over.
      nextDiceOrderOrFewerDice();
      s.genOdometerStepped = 255;
    } else if (s.playFrom[j] > 1) {
      s.playFrom[j] -= 1;
      s.genOdometerStepped = 255;
    }
  }
}

void tryBearOffPartMove(int k, int landing) {
  auto& s = playSearch;
  auto& v = analysis.evalBoard;
  const int from = s.playFrom[k];
  // Every man must be home; the test reads the board as the earlier part-moves left it.
  for (int p = 7; p <= analysis.highestOccupiedPoint; ++p) {
    if (v[p] < 0) {
      s.partMoveBlocked[k] = -1;
      return;
    }
  }
  // A die larger than the distance bears off only the rearmost man.
  if (landing != 0) {
    for (int p = from + 1; p <= 6; ++p) {
      if (v[p] < 0) {
        s.partMoveBlocked[k] = -1;
        return;
      }
    }
  }
  v[from] += 1;
  s.genMenLeft -= 1;
  s.partMoveDone[k] = -1;
}

void tryPartMove(int k) {
  auto& s = playSearch;
  auto& v = analysis.evalBoard;
  const int from = s.playFrom[k];
  const int landing = from - s.playDice[k];
  if (landing < 1) {
    tryBearOffPartMove(k, landing);
    return;
  }
  if (v[landing] >= 2) return;  // held by the opponent
  if (v[landing] == 1) {
    hitAt(landing);
    if (landing < 7) s.homeBoardHit = -1;
  }
  v[landing] -= 1;
  v[from] += 1;
  s.partMoveDone[k] = -1;
}

void findNextLegalPlay() {
  auto& s = playSearch;
  auto& v = analysis.evalBoard;
  s.playHitCount = 0;
  pumpDuringSearch();

  if (s.playFound != 0) {
    // Move past the play just produced.
    s.playFound = 0;
    if (s.playFrom[s.playLength] == kFromBar) {
      nextDiceOrderOrFewerDice();
    } else {
      s.playFrom[s.playLength] -= 1;
      if (s.playFrom[s.playLength] < 1) advancePartMoveOdometer(s.playLength);
    }
    return;
  }

  // Two men entering from the bar are one pair of men like any other: the first pass
  // tried them, and the swapped order would only give the same play again.
  if (s.diceSwappedPass != 0 && s.playLength >= 2 && s.playFrom[2] == kFromBar) {
    nextDiceOrderOrFewerDice();
    return;
  }

  for (int i = 0; i <= 25; ++i) v[i] = analysis.evalBoardB[i];
  s.genOpponentBar = v[kOpponentBarIndex];
  s.genPipsUsed = 0;
  s.playHitCount = 0;
  s.playLastHitPoint = 0;

  for (int k = 1; k <= s.playLength; ++k) {
    s.partMoveDone[k] = 0;
    s.partMoveBlocked[k] = 0;
    if (s.playFrom[k] == kFromBar) {
      const int landing = 25 - s.playDice[k];
      if (v[landing] > 1) {
        nextDiceOrderOrFewerDice();
        return;
      }
      if (v[landing] == 1) hitAt(landing);
      v[landing] -= 1;
      v[kOwnBarIndex] += 1;
      s.partMoveDone[k] = -1;
    } else {
      while (s.playFrom[k] > 0 && s.partMoveDone[k] == 0 && s.partMoveBlocked[k] == 0) {
        // The first pass lets a part-move start on the previous one's point (two men
        // from one point, or one man moving on); the swapped pass starts strictly below,
        // so each pair of men is tried once.
        if (k > 1 && s.playFrom[k] + s.diceSwappedPass > s.playFrom[k - 1]) {
          s.playFrom[k] = static_cast<int16_t>(s.playFrom[k - 1] - s.diceSwappedPass);
        }
        if (s.playFrom[k] > 0) {
          if (v[s.playFrom[k]] < 0) tryPartMove(k);
          if (s.partMoveDone[k] == 0 && s.partMoveBlocked[k] == 0) s.playFrom[k] -= 1;
        }
      }
      if (s.partMoveDone[k] == 0) {
        advancePartMoveOdometer(k);
        return;
      }
    }
    s.genPipsUsed += s.playDice[k];
  }

  // All plays of a pass use the same pips: fewer than a play already produced means a
  // smaller die after a larger one, so the pass ends.
  if (s.genPipsUsed < s.bestPipsSoFar) {
    nextDiceOrderOrFewerDice();
    return;
  }
  if (s.searchModeHitTracking != 0) noteHitsOfPlay();
  s.playFound = -1;
  s.bestPipsSoFar = s.genPipsUsed;
}

void startLegalPlayEnumeration(int movesAllowed) {
  auto& s = playSearch;
  s.stopEnumeration = 0;
  s.diceSwappedPass = 0;
  s.bestPipsSoFar = 0;
  s.genPipsUsed = 0;
  int pips = 0;
  for (int k = 1; k <= 4; ++k) s.playDice[k] = diceState.dice[k - 1].value;
  for (int k = 1; k <= movesAllowed; ++k) pips += s.playDice[k];
  s.rollPipTotal = static_cast<int16_t>(pips);
  s.playLength = static_cast<int16_t>(movesAllowed);
  // From the saved view: an earlier search may have left a play on evalBoard.
  int bar = -analysis.evalBoardB[kOwnBarIndex];
  if (bar > movesAllowed) bar = movesAllowed;
  for (int k = 1; k <= 4; ++k) s.playFrom[k] = analysis.highestOccupiedPoint;
  for (int k = 1; k <= bar; ++k) s.playFrom[k] = kFromBar;
  s.playFound = 0;
  s.genMaxHits = 0;
  // No die left to play: there is nothing to enumerate.
  if (movesAllowed < 1) {
    s.playLength = 0;
    s.stopEnumeration = -1;
  }
}

bool stepLegalPlayEnumeration() {
  auto& s = playSearch;
  analysis.menLeft[1] = analysis.menLeftSaved[1];
  s.genMenLeft = analysis.menLeft[1];
  s.homeBoardHit = 0;
  findNextLegalPlay();
  analysis.evalBoard[kOpponentBarIndex] = s.genOpponentBar;
  analysis.menLeft[1] = s.genMenLeft;
  return s.playFound != 0;
}

}  // namespace bg
