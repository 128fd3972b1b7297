#include "flow/computer_move.h"

#include "computer/analyse_position.h"
#include "computer/computer_play.h"
#include "computer/doubling_position.h"
#include "rules/best_plays.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "rules/play_search.h"
#include "state/search_services.h"
#include "state/shell_services.h"
#include "state/turn_flags.h"
#include "state/message_numbers.h"

namespace bg {

namespace {
inline constexpr double kPauseBeforePlay = 0.35;  // seconds; nothing under Fast Play
}

void decideComputerMove() {
  analysePosition();
  evaluateDoublingPosition();
  searchHittingPlays();
  searchContactBreakingPlay();
  // The test searches leave plays on the view and skip the blot-risk runs: analyse again.
  analysePosition();
  searchBestPlays();
}

void computerPlaysMove() {
  decideComputerMove();
  hook::pauseSeconds(kPauseBeforePlay);
  playComputerMove();
}

void computerPlaysMoveFlagged() {
  turnFlags.computerMovesForHuman = -1;
  computerPlaysMove();
  turnFlags.computerMovesForHuman = 0;
}

void playBestMoveForHuman() {
  computerPlaysMoveFlagged();
  if (bestPlays.bestPlaysTrue[1][kScoreColumn] == kEmptyRow) {
    interaction.messageNumber = kNoValidMovesMessage;
    interaction.messageText = "MM";
    hook::displayMessage();
    return;
  }
  flow.bestMoveForHuman = -1;
  playComputerMove();
  flow.bestMoveForHuman = 0;
}

void installFlowSearchServices() {
  searchServices.computerPlaysMoveFlagged = computerPlaysMoveFlagged;
  searchServices.playBestMoveForHuman = playBestMoveForHuman;
}

}  // namespace bg
