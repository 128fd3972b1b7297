#include "dialogs/dialog_state.h"

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
}  // namespace

void disableAllMenus() {
  for (int16_t m : kMenusDisabledByDialogs) setMenuItemEnabled(m, 0, false);
}

void enableAllMenus() {
  for (int16_t m : kMenusEnabledAfterDialogs) setMenuItemEnabled(m, 0, true);
}

}  // namespace bg

namespace bg {

void returnToBoardWindow() {
  const int16_t open = dialogWindows.modalDialogWnd;
  if (open > kBoardWindowNumber) windowClose(open);
  int16_t back = dialogWindows.savedOutputWnd;
  if (back <= kBoardWindowNumber || back == open || !windowExists(back)) back = kBoardWindowNumber;
  dialogWindows.modalDialogWnd = back;
  setOutputWindow(back);
  if (back != kBoardWindowNumber) {
    // The dialog underneath keeps the dispatcher and the disabled menus.
    windowSelect(back);
    return;
  }
  // Both numbers go back to the board: a stale dialog number kept here would disable the
  // menus for good at the next question.
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  if (dialogReturn.boardDialogEvent != nullptr) setDialogVector(dialogReturn.boardDialogEvent);
  FBInstallDialogHandler();
  enableAllMenus();
}

}  // namespace bg
