#include "dialogs/dialogs_install.h"

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "rollout/rollout_board_services.h"
#include "state/search_services.h"

namespace bg {

void installDialogServices() {
  infoBoxDialogEvent = dialogEventHandler;
  rolloutBoardServices.giveBoardBack = backToBoardServices;
  turnServices.showEndGameDialog = endGameDialog;
  turnServices.closeEndGameDialog = closeEndGameDialog;
  turnServices.showTitledText = blotRiskDialog;
  turnServices.tournamentSetupDialog = tournamentSetupDialog;
  turnServices.moneyGameDialog = moneyGameDialog;
  turnServices.showConcedePointsDialog = getConcedePointsDialog;
  turnServices.tournamentStatsDialog = tournamentStatsDialog;
  searchServices.showTitledText = blotRiskDialog;
  upperServices.showLargeMessageYesNoDone = [](std::string_view text, int16_t width, int16_t height) {
    showLargeMessageYesNoDone(width, height, text);
  };
}

}  // namespace bg
