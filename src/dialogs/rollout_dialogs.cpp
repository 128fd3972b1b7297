#include "dialogs/rollout_dialogs.h"

#include <string>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_print_services.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_setup.h"
#include "rollout/rollout_stats.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "state/flow_state.h"

namespace bg {

namespace {

constexpr int16_t kOk = 1;
constexpr int16_t kCancel = 2;
constexpr std::string_view kSetupForm = "rolloutSetupDialog";
constexpr std::string_view kHelpTitle = "Position Rollout Help";
constexpr std::string_view kNoGameText =
    "There is no game on the board to roll out. Start a game or set up a position first.";
constexpr std::string_view kMidRollText =
    "Part of the roll is played. Play the rest of it, or take it back, before rolling out the position.";
constexpr std::string_view kHelpText =
    "Select at least 500 games to get a good answer.\r\r"
    "If the results are close after 500 rollouts, it is recommended that you input a larger number then do "
    "another rollout.\r\r"
    "Read Help - Rollouts in the Info menu for more help.";

// Opens the results window beside the board and hands the game to the rollout.
void beginRollout() {
  if (frontWindow() != kBoardWindowNumber) return;
  openRolloutResultsWindow();
  // A pause brings the board forward for the user's turns: the rollout's buttons stay in sight.
  keepWindowAbove(kRolloutResultsWindow, kBoardWindowNumber);
  startRollout();
  // Not modal: a paused rollout lets the user's sides play on the board.
  windowSelect(kRolloutResultsWindow);
  setOutputWindow(kBoardWindowNumber);
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  dialogWindows.modalDialogWnd = kRolloutResultsWindow;
  setDialogVector(dialogEventHandler);
  disableAllMenus();
  FBInstallDialogHandler();
  setCursor(kArrowCursor);
}

// The note pad or a help page opened while the rollout was paused stays open, its number
// kept for its own close.
void returnFromRollout() {
  stopRollout();
  windowClose(kRolloutResultsWindow);
  if (dialogWindows.modalDialogWnd == kRolloutResultsWindow || !windowExists(dialogWindows.modalDialogWnd))
    dialogWindows.modalDialogWnd = kBoardWindowNumber;
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  setOutputWindow(kBoardWindowNumber);
  backToBoardServices();
}

}  // namespace

void openRolloutSetupDialog() {
  // No second rollout: the menus stay off while one holds the board.
  if (frontWindow() != kBoardWindowNumber) return;
  if (!positionCanBeRolledOut()) {
    showMessageBox(kNoGameText);
    return;
  }
  // The rollout's first game plays the roll in hand whole: half of it on the board already
  // would be played twice.
  if (partOfRollPlayed()) {
    showMessageBox(kMidRollText);
    return;
  }
  openNibDialog(kRolloutSetupWindow, kSetupForm, fillRolloutSetupDialog, DialogOpening::kFromBoard);
}

void rolloutSetupEvent(int16_t kind, int16_t id) {
  // Its close box cancels; closing another window (its id is that window) does nothing here.
  if (kind == kDialogWindowClosed) id = id == kRolloutSetupWindow ? kCancel : 0;
  if (id == kOk) {
    const std::string problem = rolloutSetupProblem();
    if (!problem.empty()) {
      showMessageBox(problem);
      return;
    }
    readRolloutSetupDialog();
    dialogOkTail();
    beginRollout();
  } else if (id == kCancel) {
    returnToBoardWindow();
  } else if (id == kSetupHelpButton) {
    showHelpText(kHelpTitle, kHelpText);
  }
}

void rolloutResultsEvent(int16_t kind, int16_t id) {
  // Its close box returns; the board's close box beside it does not end the rollout.
  if (kind == kDialogWindowClosed) id = id == kRolloutResultsWindow ? kReturnButton : 0;
  if (id == kStartStopButton) {
    if (rolloutInProgress() && rolloutStats.gamesDone < rolloutSettings.gamesWanted) toggleRolloutStartStop();
  } else if (id == kReturnButton) {
    returnFromRollout();
  } else if (id == kPrintButton) {
    hook::printRolloutResults();
  }
}

}  // namespace bg
