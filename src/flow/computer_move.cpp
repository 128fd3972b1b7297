#include "flow/computer_move.h"

#include "computer/analyse_position.h"
#include "computer/computer_play.h"
#include "computer/doubling_position.h"
#include "flow/best_move_commands.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "rules/play_search.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/search_services.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/storage_state.h"
#include "state/turn_flags.h"

namespace bg {

namespace {
inline constexpr double kPauseBeforePlay = 0.35;  // seconds; nothing under Fast Play

// The part-moves recorded with this roll, which the undo of the turn left after the count,
// as the play to make; false when the record holds none of this side and roll.
bool loadRecordedPlay() {
  const int16_t side = position.currentPlayer;
  const int16_t direction = position.playerDirection[side];
  int16_t length = 0;
  while (length < flow.movesAllowed && record.gameRecordCount + length < kGameRecordHighest) {
    const GameRecordEntry& e = record.gameRecord[record.gameRecordCount + length + 1];
    const bool sameRoll = e.die1 == diceState.rolledDice[0] && e.die2 == diceState.rolledDice[1];
    // An unplayed die (no to-point) ends the play.
    if (e.side != side || e.moveNumber != length + 1 || !sameRoll || e.toPoint == 0) break;
    int16_t from = direction == 1 ? static_cast<int16_t>(25 - e.fromPoint) : e.fromPoint;
    if (from == 0) from = kFromBar;
    length += 1;
    playSearch.playFrom[length] = from;
    playSearch.playDice[length] = e.distance;
  }
  playSearch.playLength = length;
  return length > 0;
}
}  // namespace

void decideComputerMove() {
  analysePosition();
  hook::pollEvents();
  evaluateDoublingPosition();
  hook::setCursor(kBusyCursor);
  searchHittingPlays();
  searchContactBreakingPlay();
  // The test searches leave plays on the view and skip the blot-risk runs: analyse again.
  analysePosition();
  searchBestPlays();
  hook::setCursor(kGameCursor);
}

void computerPlaysMove() {
  if (flow.abortTurn != 0) return;
  // A turn replayed on request shows the play that was made, not a new choice (the book
  // and the skill level choose at random).
  bool recorded = false;
  if (turnState.replayRecordedPlay != 0 && turnFlags.computerMovesForHuman == 0) {
    turnState.replayRecordedPlay = 0;
    recorded = loadRecordedPlay();
  }
  // The search, the poll and the pause all pump events: a game loaded meanwhile replaces
  // the board, and a game dropped (New Game, a rollout's Return) leaves the turn. This
  // turn's play must land on neither.
  const uint16_t loadsBefore = storage.gamesLoaded;
  const auto gameGone = [loadsBefore] { return storage.gamesLoaded != loadsBefore || flow.abortTurn == kLeaveTurn; };
  if (!recorded) {
    decideComputerMove();
    if (gameGone()) return;
    if (playSearch.diceRedrawRequested != 0 && !rolloutHidesBoard()) {
      playSearch.diceRedrawRequested = 0;
      drawDice();
    }
  }
  hook::pollEvents();
  hook::flushBoardWindow();
  if (shellFlags.fastPlay != kFastPlayOn) hook::pauseSeconds(kPauseBeforePlay);
  if (gameGone()) return;
  if (recorded) {
    executeChosenPlay();
  } else {
    playComputerMove();
  }
}

void computerPlaysMoveFlagged() {
  turnFlags.computerMovesForHuman = -1;
  computerPlaysMove();
  turnFlags.computerMovesForHuman = 0;
}

void installFlowSearchServices() {
  searchServices.computerPlaysMoveFlagged = computerPlaysMoveFlagged;
  searchServices.playBestMoveForHuman = playBestMoveForHuman;
}

}  // namespace bg
