#include "rules/play_search.h"

#include "rules/best_plays.h"
#include "rules/dice.h"
#include "rules/legal_plays.h"
#include "rules/numbered_message.h"
#include "rules/search_pump.h"
#include "rules/whole_roll_check.h"
#include "state/analysis_state.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/search_services.h"
#include "state/turn_flags.h"

namespace bg {

TurnFlags turnFlags;
BG_RESETS_WITH_PROGRAM(turnFlags);

namespace {

// Marks a search as running for its whole length, whatever way it ends.
struct SearchRunning {
  SearchRunning() { ++playSearch.searchDepth; }
  ~SearchRunning() { --playSearch.searchDepth; }
  SearchRunning(const SearchRunning&) = delete;
  SearchRunning& operator=(const SearchRunning&) = delete;
};

bool normalMode() {
  const auto& s = playSearch;
  return s.searchModeMaxPips == 0 && s.searchModeBreakContact == 0 && s.searchModeHitTracking == 0;
}

void trackMaxPipsUsed() {
  auto& s = playSearch;
  if (s.genPipsUsed == s.rollPipTotal) {
    s.maxPipsUsable = s.genPipsUsed;
    s.stopEnumeration = -1;  // the whole roll can be played
    return;
  }
  if (s.genPipsUsed > s.maxPipsUsable) s.maxPipsUsable = s.genPipsUsed;
}

void checkContactBrokenMode() {
  auto& s = playSearch;
  const auto& v = analysis.evalBoard;
  s.contactBreakResult = 0;
  // An own man on the bar (index 0) has every opponent man ahead of it; an opponent man
  // on the bar, hit by this play or before it, re-enters behind every own man.
  if (v[kOwnBarIndex] < 0) return;
  const int rear = v[kOpponentBarIndex] > 0 ? 0 : analysis.opponentLastPoint;
  for (int p = rear; p <= analysis.highestOccupiedPoint && p <= 24; ++p) {
    if (v[p] < 0) return;
  }
  s.contactBreakResult = -1;
  s.stopEnumeration = -1;
}

bool anyDiePips() {
  const auto& s = playSearch;
  int pips = 0;
  for (int k = 1; k <= flow.movesAllowed; ++k) pips += s.playDice[k];
  return pips > 0;
}

void emptyWhenShorter(BestPlaysList& list) {
  for (int r = 2; r <= kRankedRows; ++r) {
    if (list[1][kPartMovesColumn] > list[r][kPartMovesColumn] || list[1][kPipsColumn] > list[r][kPipsColumn]) {
      list[r][kScoreColumn] = kEmptyRow;
    }
  }
}

}  // namespace

bool playSearchRunning() { return playSearch.searchDepth > 0; }

bool refuseWhileSearching() {
  if (!playSearchRunning()) return false;
  showNumberedMessage(kFinishMovingMessage);
  return true;
}

void finalizeBestLists() {
  emptyWhenShorter(bestPlays.bestPlaysSkill);
  emptyWhenShorter(bestPlays.bestPlaysTrue);
}

void searchBestPlays() {
  if (refuseWhileSearching()) return;
  SearchRunning running;
  auto& s = playSearch;
  s.stopEnumeration = 0;
  const bool normal = normalMode();
  if (normal) {
    s.searchedPlayer = position.currentPlayer;
    clearBestPlays();
    s.bookPlayListed = 0;
    if (flow.turnNumber == 1) searchServices.pickOpeningBookPlay();
  }
  startLegalPlayEnumeration(flow.movesAllowed);
  if (s.searchModeHitTracking == 0 && s.searchModeMaxPips == 0) searchServices.setRaceLeadFlags();

  while (s.stopEnumeration != -1) {
    const bool found = stepLegalPlayEnumeration();
    pumpDuringSearch();
    if (!found) continue;
    if (s.searchModeMaxPips != 0) {
      trackMaxPipsUsed();
    } else if (s.searchModeBreakContact != 0) {
      checkContactBrokenMode();
    } else if (s.searchModeHitTracking != 0) {
      // The enumeration keeps the hit bookkeeping itself.
    } else if (s.searchModeForced == 0 || anyDiePips()) {
      searchServices.evaluatePosition();
      pumpDuringSearch();
    }
  }
  if (normal) finalizeBestLists();
  // The pump may have redrawn the board meanwhile: the computer's move draws the dice again.
  s.diceRedrawRequested = -1;
}

void searchHittingPlays() {
  if (refuseWhileSearching()) return;
  if (analysis.raceFlag != 0) return;
  auto& s = playSearch;
  s.firstHitPoint = 0;
  analysis.analyseBlotRiskFlag = 0;
  s.searchModeHitTracking = -1;
  searchBestPlays();
  s.searchModeHitTracking = 0;
}

void searchContactBreakingPlay() {
  if (refuseWhileSearching()) return;
  auto& s = playSearch;
  s.contactBreakResult = 0;
  if (analysis.raceFlag != 0) {
    s.contactBreakResult = -1;
    return;
  }
  int pips = 0;
  for (int k = 1; k <= 4; ++k) s.playDice[k] = diceState.dice[k - 1].value;
  for (int k = 1; k <= flow.movesAllowed; ++k) pips += s.playDice[k];
  s.rollPipTotal = static_cast<int16_t>(pips);
  analysis.analyseBlotRiskFlag = 0;
  if (analysis.pipsToBreakContact <= s.rollPipTotal) {
    s.searchModeBreakContact = -1;
    searchBestPlays();
    s.searchModeBreakContact = 0;
  }
}

void computeMaxPipsUsable() {
  if (refuseWhileSearching()) return;
  auto& s = playSearch;
  s.maxPipsUsable = 0;
  s.searchModeMaxPips = -1;
  analysis.analyseBlotRiskFlag = 0;
  searchServices.analysePosition();
  searchBestPlays();
  s.searchModeMaxPips = 0;
}

void autoPlayForcedMove() {
  if (flow.turnNumber < 2) return;
  if (refuseWhileSearching()) return;
  auto& s = playSearch;
  const int16_t savedMovesAllowed = flow.movesAllowed;
  const int16_t savedMaxPips = s.maxPipsUsable;
  const int16_t savedMovesLeft = flow.movesLeft;
  const int16_t savedPlayLength = s.playLength;

  int16_t diceLeft = 0;
  for (int n = 0; n <= 3; ++n) {
    if (diceState.dice[n].value > 0) ++diceLeft;
  }
  flow.movesAllowed = diceLeft;
  s.searchModeForced = 255;
  searchServices.computerPlaysMoveFlagged();

  const auto& list = bestPlays.bestPlaysTrue;
  if (list[2][kScoreColumn] == kEmptyRow && list[1][kScoreColumn] != kEmptyRow) {
    s.quietBestMove = -1;
    flow.forcedMovePlayed = -1;
    flow.movesAllowed = savedMovesAllowed;
    searchServices.playBestMoveForHuman();
    s.quietBestMove = 0;
    flow.forcedMovePlayed = 0;
    int pipsLeft = 0;
    for (int n = 0; n <= 3; ++n) pipsLeft += diceState.dice[n].value;
    if (pipsLeft >= 1 && position.piecesOnBoard[position.currentPlayer] > 0 && someDieLeftPlayable()) {
      // Part of the roll is still to be played by hand; a die nothing can use ends the turn.
      flow.abortTurn = 0;
      hook::setDiceDisplayFlags(-1);
      turnFlags.removeDiceAtTurnEnd = 0;
    }
  } else {
    flow.movesAllowed = savedMovesAllowed;
    s.maxPipsUsable = savedMaxPips;
    flow.movesLeft = savedMovesLeft;
    s.playLength = savedPlayLength;
  }
  s.searchModeForced = 0;
}

}  // namespace bg
