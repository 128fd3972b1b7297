#include "dialogs/dialog_state.h"

#include "dialogs/dialog_dispatch.h"
#include "dialogs/text_windows.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"

namespace bg {

DialogWindows dialogWindows;
BG_RESETS_WITH_PROGRAM(dialogWindows);
DialogReturn dialogReturn;
BG_RESETS_WITH_PROGRAM(dialogReturn);

namespace {
// The menus a dialog takes away while it is open (the Edit menu stays).
constexpr int16_t kMenusDisabledByDialogs[] = {1, 3, 8, 5, 17, 6, 16, 4, 10};
constexpr int16_t kMenusEnabledAfterDialogs[] = {1, 2, 3, 8, 5, 17, 6, 16, 4, 10};
// The rollout keeps the menus off from its window's opening to its Return, paused or
// finished, and after a Return until the person's game is back: a command chosen
// meanwhile would act on the rollout's game and settings as the person's.
bool rolloutHoldsTheBoard() { return windowExists(kRolloutResultsWindow) || rolloutInProgress(); }

}  // namespace

void disableAllMenus() {
  for (int16_t m : kMenusDisabledByDialogs) setMenuItemEnabled(m, 0, false);
}

void enableAllMenus() {
  if (rolloutHoldsTheBoard()) return;
  for (int16_t m : kMenusEnabledAfterDialogs) setMenuItemEnabled(m, 0, true);
}

}  // namespace bg

namespace bg {

bool windowKeepsMenus(int16_t n) { return n == kBoardWindowNumber || n == kNotePadWindow || n == kHelpWindow; }

void installBoardDialogCallback() {
  // While the rollout holds the board its dispatcher stays: the board's own would take the
  // board's close box for a quit in the middle of the rollout.
  if (rolloutHoldsTheBoard()) {
    setDialogVector(dialogEventHandler);
  } else if (dialogReturn.boardDialogEvent != nullptr) {
    setDialogVector(dialogReturn.boardDialogEvent);
  }
  FBInstallDialogHandler();
}

void backToBoardServices() {
  // A box still up (the About box chosen while a rollout's game ended) keeps its dispatcher
  // and the menus off: its own close gives the board its services.
  const int16_t box = dialogWindows.modalDialogWnd;
  if (!windowKeepsMenus(box) && windowVisible(box)) return;
  installBoardDialogCallback();
  enableAllMenus();
}

void returnToBoardWindow() {
  // The window whose button was pressed: the dispatcher serves only the front one. A window
  // opened beside it (the note pad over a paused rollout) is not this dialog's to close.
  const int16_t front = frontWindow();
  if (front > kBoardWindowNumber) windowClose(front);
  returnFromClosedDialog();
}

void returnFromClosedDialog() {
  int16_t back = dialogWindows.savedOutputWnd;
  if (back <= kBoardWindowNumber || !windowExists(back)) back = kBoardWindowNumber;
  dialogWindows.modalDialogWnd = back;
  if (!windowKeepsMenus(back)) {
    // The dialog underneath keeps the dispatcher and the disabled menus.
    setOutputWindow(back);
    windowSelect(back);
    return;
  }
  // Both numbers go back to the board: a stale dialog number kept here would disable the
  // menus for good at the next question. A text window underneath is drawn by nobody and
  // takes the menus as the board does.
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  setOutputWindow(kBoardWindowNumber);
  if (back != kBoardWindowNumber) windowSelect(back);
  backToBoardServices();
}

}  // namespace bg
