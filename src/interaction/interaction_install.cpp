#include "interaction/interaction_install.h"

#include "flow/turn_services.h"
#include "interaction/auto_moves.h"
#include "interaction/board_commands.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_question.h"
#include "interaction/board_waits.h"
#include "interaction/choose_dice.h"
#include "interaction/help_text.h"
#include "interaction/move_entry.h"
#include "interaction/move_list.h"
#include "interaction/quit_question.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/shell_services.h"

namespace bg {

namespace {

// The flow's hit test keeps the caller's zone for a click on no coded zone.
void hitTestIntoClickedPoint() {
  boardHit.clickZoneCode = interaction.clickedPoint;
  hitTestBoard();
  interaction.clickedPoint = boardHit.clickZoneCode;
}

}  // namespace

void installInteractionServices() {
  turnServices.humanTurn = humanTurn;
  turnServices.waitForPointClick = waitForPointClick;
  turnServices.waitForClickOrKey = waitForClickOrKey;
  turnServices.waitForPanelClose = waitForPanelClose;
  turnServices.hitTestBoard = hitTestIntoClickedPoint;
  turnServices.askRollOver = askRollOver;
  turnServices.undoLastPartMove = undoLastPartMove;
  turnServices.reportNoMoreMoves = reportNoMoreMoves;
  turnServices.autoEnterFromBar = autoEnterFromBar;
  turnServices.autoBearOffMoves = autoBearOffMoves;
  turnServices.runBoardCommand = runBoardCommand;
  turnServices.putBackHeldCheckers = putBackHeldCheckers;
  turnServices.showAnalysisWindow = showMoveList;
  turnServices.chooseDiceWindow = chooseDiceWindow;
  interactionServices.drawBoardQuestion = drawBoardQuestion;
  interactionServices.waitForBoardClick = waitForBoardClick;
  interactionServices.pollBoardClick = pollBoardClick;
  shellServices.saveAskedBeforeQuitFailed = saveAskedBeforeQuitFailed;
  shellServices.loadHelpText = [](std::string_view name) { return loadHelpText(name).str(); };
}

}  // namespace bg
