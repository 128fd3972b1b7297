#include "flow/computer_move.h"

#include "computer/analyse_position.h"
#include "computer/computer_play.h"
#include "computer/doubling_position.h"
#include "flow/best_move_commands.h"
#include "flow/turn_services.h"
#include "rules/dice.h"
#include "rules/play_search.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "state/rollout_state.h"
#include "state/search_services.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/storage_state.h"
#include "state/turn_flags.h"

namespace bg {

namespace {
inline constexpr double kPauseBeforePlay = 0.35;  // seconds; nothing under Fast Play
}

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
  // The search, the poll and the pause all pump events: a game loaded meanwhile replaces
  // the board, and this turn's play must not land on it.
  const uint16_t loadsBefore = storage.gamesLoaded;
  decideComputerMove();
  if (storage.gamesLoaded != loadsBefore) return;
  if (playSearch.diceRedrawRequested != 0 && !rolloutHidesBoard()) {
    playSearch.diceRedrawRequested = 0;
    drawDice();
  }
  hook::pollEvents();
  hook::flushBoardWindow();
  if (shellFlags.fastPlay != kFastPlayOn) hook::pauseSeconds(kPauseBeforePlay);
  if (storage.gamesLoaded != loadsBefore) return;
  playComputerMove();
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
