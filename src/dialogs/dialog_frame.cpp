#include "dialogs/dialog_frame.h"

#include <string>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "state/shell_services.h"

namespace bg {

namespace {

constexpr std::string_view kHelpTitle = "Information";
constexpr std::size_t kShortestHelp = 2;

void closeDialogInFront() {
  const int16_t n = frontWindow();
  if (n > kBoardWindowNumber) windowClose(n);
}

}  // namespace

void markPushButtons(int16_t n) {
  for (int16_t id = 1; id <= 2; ++id) dialogWindows.dialogFlags[id] = controlExists(n, id) ? kButtonPresent : 0;
}

bool openNibDialog(int16_t n, std::string_view formName, void (*fill)(), DialogOpening opening) {
  const int16_t front = frontWindow();
  if (opening != DialogOpening::kOverAnyWindow && front != kBoardWindowNumber) return false;
  if (!openDesignedWindow(n, formName)) return false;
  dialogWindows.savedOutputWnd = opening == DialogOpening::kFromBoard ? kBoardWindowNumber : front;
  setOutputWindow(n);
  if (fill != nullptr) fill();
  markPushButtons(n);
  showModalWindow(n);
  disableAllMenus();
  dialogWindows.modalDialogWnd = n;
  setDialogVector(dialogEventHandler);
  FBInstallDialogHandler();
  setCursor(kArrowCursor);
  return true;
}

void dialogOkTail() {
  closeDialogInFront();
  setOutputWindow(kBoardWindowNumber);
  dialogWindows.modalDialogWnd = kBoardWindowNumber;
  // Every way back to the board leaves both numbers at the board.
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  installBoardDialogCallback();
  enableAllMenus();
}

void closeCurrentDialog() {
  const int16_t front = frontWindow();
  if (front > kBoardWindowNumber) windowClose(front);
  installBoardDialogCallback();
  setOutputWindow(kBoardWindowNumber);
  dialogWindows.modalDialogWnd = kBoardWindowNumber;
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  if (frontWindow() == kBoardWindowNumber) hook::installMenuSubmenus();
  enableAllMenus();
}

void returnToSavedDialog() {
  closeDialogInFront();
  int16_t back = dialogWindows.savedOutputWnd;
  if (back <= kBoardWindowNumber || !windowExists(back)) back = kBoardWindowNumber;
  dialogWindows.modalDialogWnd = back;
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  if (windowKeepsMenus(back)) {
    setOutputWindow(kBoardWindowNumber);
    if (back != kBoardWindowNumber) windowSelect(back);
    backToBoardServices();
  } else {
    setOutputWindow(back);
    windowSelect(back);
    markPushButtons(back);
  }
}

void showNamedHelp(std::string_view helpName) { showHelpText(kHelpTitle, hook::helpTextNamed(helpName)); }

void showHelpText(std::string_view title, std::string_view text) {
  if (text.size() < kShortestHelp) return;
  showInfoDialog(title, text);
}

}  // namespace bg
