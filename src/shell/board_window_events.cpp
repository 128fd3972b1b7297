#include "shell/board_window_events.h"

#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/message_line.h"
#include "flow/game_loop.h"
#include "interaction/board_waits.h"
#include "rules/play_search.h"
#include "shell/app_events.h"
#include "shell/board_window.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kRightButton = 2;
constexpr uint8_t kEventArrived = 255;

}  // namespace

void emulateControlClick() {
  if (position.turnPlayer != position.currentPlayer || diceState.diceShowing == 0) return;
  // Behind a question on the board (Keep this move?) or a search trying plays on it, a
  // take-back would undo what the answer or the search is about to undo or put back.
  if (panelWait.questionPanelUp != 0 || flow.bestMoveForHuman != 0 || playSearchRunning()) return;
  BoardInput& in = boardInput;
  in.rightClickEmulation = -1;
  in.clickH = layout.boardCentreX;
  in.clickV = layout.boardCentreY;
  if (in.pickedCount > 0) interactionDisplay.boardInputEvent = kEventArrived;
  const bool rollWaiting = flow.rollWaitActive != 0;
  readAutoMoveModifiers();
  // A take-back ends the roll wait by its flag; its wait for a click must end too, or the
  // next click would only finish that wait.
  if (rollWaiting && flow.rollWaitActive == 0) interactionDisplay.boardInputEvent = kEventArrived;
  in.rightClickEmulation = 0;
}

bool boardWindowEventHandler(WindowEvent& e) {
  switch (e.kind) {
    case WindowEvent::kResizeStarted:
      return false;
    // A maximised or restored window is a new size like any other: the board follows it.
    case WindowEvent::kZoomed:
    case WindowEvent::kResizeCompleted: {
      // A board panel waiting for its closing click comes down with the old board, and its
      // wait ends once the new one is built.
      const bool panelTaken = takeDownWaitingPanel();
      prepareBoardResize();
      fitBoardToWindow();
      if (panelTaken) endTakenPanelWait();
      return false;
    }
    case WindowEvent::kMouseDown:
      if (frontWindow() != kBoardWindow || e.button != kRightButton) return false;
      emulateControlClick();
      return true;
  }
  return false;
}

void installBoardWindowHandler() { setWindowEventHandler(kBoardWindow, boardWindowEventHandler); }

}  // namespace bg
