#include "shell/app_events.h"

#include <cctype>
#include <utility>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "dialogs/help_window.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "dialogs/message_boxes.h"
#include "display/board_ids.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "interaction/board_waits.h"
#include "interaction/key_commands.h"
#include "rollout/rollout_results_window.h"
#include "runtime/core/clock.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/windows.h"
#include "shell/quit_game.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "storage/preferences_file.h"
#include "storage/saved_game_file.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/program_state.h"
#include "state/quit_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {

AppEventState appEvents;
BG_RESETS_WITH_PROGRAM(appEvents);

namespace {

constexpr int16_t kWaitWindow = 6;
constexpr int16_t kFlashMs = 100;

void activationChanged(int16_t id) {
  boardInput.boardWindowActive = id == 1 ? int16_t{-1} : int16_t{0};
  if (id == 2) {
    settings.noPumpDuringSearch = 0;
    setCursor(kArrowCursor);
    return;
  }
  settings.noPumpDuringSearch = -1;
  if (id != 1) return;
  FBRaiseDialogEvent(kDialogPrivate, kPrivateNothing);
  if (rollout.rolloutRunning != 0) {
    const uint8_t running = std::exchange(rollout.rolloutRunning, uint8_t{0});
    hook::redrawBoardWindow();
    rollout.rolloutRunning = running;
  }
}

bool keyDown(const AppEvent& e) {
  switch (e.window) {
    case kBoardWindow: {
      // Keys with Ctrl are the menus' shortcuts.
      if ((e.modifiers & kCmdKeyBit) != 0) return false;
      const char typed[2] = {static_cast<char>(std::toupper(e.charCode)), 0};
      interactionDisplay.keyBuffer = typed;
      doKeyDown();
      // Taken: a command that opened a window must not see the same key again there.
      return true;
    }
    case kHelpTextWindow:
      // The help key again, or Escape, closes it; the text view keeps the rest (copying).
      if ((e.modifiers & kCmdKeyBit) == 0 && (e.charCode == 'h' || e.charCode == 'H' || e.charCode == kHelpChar ||
                                               e.charCode == kEscapeChar)) {
        dismissHelpText();
        return true;
      }
      return false;
    case kHelpWindow:
      // A page is only read: Escape closes it, as its Close item does.
      if ((e.modifiers & kCmdKeyBit) == 0 && e.charCode == kEscapeChar) {
        closeHelpWindow();
        return true;
      }
      return false;
    case kNotePadWindow:
      return false;
    case kRolloutResultsWindow:
      // The help names Return, Enter and Escape for a finished rollout only, and Space never:
      // no key reaches a button of a rollout in progress, paused or not, where the focused or
      // the default one would take it. A finished one's window is a box.
      if (e.charCode == kSpaceChar) return true;
      if (rollout.rolloutRunning != 0)
        return e.charCode == kReturnChar || e.charCode == kEnterChar || e.charCode == kEscapeChar;
      break;
    default:
      break;
  }
  // Queued for the pump: the reader may open a box, wait on the board or quit.
  if (e.charCode == kReturnChar || e.charCode == kEnterChar) {
    const int16_t ok = defaultControlOf(e.window);
    flashButton(ok);
    FBRaiseDialogEvent(kDialogControlHit, ok);
    return true;
  }
  if (e.charCode == kEscapeChar) {
    const int16_t cancel = escapeControlOf(e.window);
    if (cancel != 0) {
      flashButton(cancel);
      FBRaiseDialogEvent(kDialogControlHit, cancel);
    }
    // Reported handled so that no standard cancel acts a second time.
    return true;
  }
  return false;
}

}  // namespace

void mouseEventHook() {
  // The board reads where the mouse is: a click on another window (the hidden game's) would
  // land on whatever lies under it on the board.
  if (mouseClickWindow() != kBoardWindow) return;
  // A question on the board is answered there, whichever window was drawn to last (the
  // game shown again for the quit's question puts its other windows in front).
  if (outputWindow() != kBoardWindow && panelWait.questionPanelUp == 0) return;
  if (mouseClickCount() != 0 && (appEvents.helpTextShowing == 0 || panelWait.clickWaitRunning != 0))
    queueBoardClick(mouseClickPoint(), mouseClickCount());
}

void doDialogEvent() {
  if (shellWindow.boardRebuilding == -1) {
    flushEvents();
    return;
  }
  const int16_t kind = dialogEventKind();
  const int16_t id = dialogEventId();
  layerSelection.fbSelectValues[1] = kind;
  switch (kind) {
    case kDialogWindowClosed:
      if (id == kHelpTextWindow || id == kWaitWindow) appEvents.waitEnded = -1;
      // Closed at once: a wait begun under the help (a command chosen meanwhile) may hold its
      // own wait back for good.
      if (id == kHelpTextWindow) dismissHelpText();
      if (id == kNotePadWindow) saveNotePad();
      if (id == kHelpWindow) closeHelpWindow();
      if (id == kHiddenGameWindow && gameHidden()) toggleHideGame();
      if (id == kBoardWindow) quitGame();
      break;
    case kDialogActivation:
      activationChanged(id);
      break;
    case kDialogPrivate:
      if (id == kPrivateQuit) quitGame();
      if (id == kPrivateResume) loadGame(0);
      break;
    case kDialogControlHit:
    case 2:
      layerSelection.fbSelectValues[2] = outputWindow();
      break;
    default:
      break;
  }
}

bool appEventHandler(AppEvent& e) {
  switch (e.kind) {
    case AppEvent::kControlHit:
      // The dialog callback gets the hit (the boxes' own loops answer theirs).
      return false;
    case AppEvent::kQuitRequest:
      // A signal or the end of the desktop session: nobody is there to answer.
      quitWithoutQuestion();
      return true;
    case AppEvent::kKeyDown:
      return keyDown(e);
    case AppEvent::kShown:
      if (display.firstBoardBuild != -1 && gameHidden()) showGameWindows();
      return false;
    case AppEvent::kActivated:
    case AppEvent::kDeactivated:
      setCursor(kArrowCursor);
      return false;
  }
  return false;
}

void installAppEventHandlers() {
  setAppEventHandler(appEventHandler);
  boardCommandServices.helpTextShowing = [] { return appEvents.helpTextShowing != 0; };
  boardCommandServices.endHelpTextWait = dismissHelpText;
  boardCommandServices.openNotePad = openNotePad;
  // Quitting keeps the notes of an open note pad.
  quitServices.saveNotePad = [] { return notePadShowing() ? saveAndCloseNotePad() : std::string(); };
  quitServices.closeNotePadUnsaved = closeNotePadUnsaved;
  quitServices.reopenGivenUpNotePad = reopenGivenUpNotePad;
  boardCommandServices.showContextHelp = showContextHelp;
  boardCommandServices.notePadShowing = notePadShowing;
}

void flashButton(int16_t n) {
  const int16_t front = frontWindow();
  if (n < 0 || n > 2 || dialogWindows.dialogFlags[n] == 0 || front == kBoardWindow) return;
  if (!controlExists(front, n)) return;
  setButtonHighlight(front, n, true);
  flushWindow(front);
  delayMs(kFlashMs);
  setButtonHighlight(front, n, false);
}

void endWaitLoop() { appEvents.waitEnded = -1; }

}  // namespace bg
