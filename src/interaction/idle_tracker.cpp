#include "interaction/idle_tracker.h"

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/drag_feedback.h"
#include "display/message_line.h"
#include "display/move_markers.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_waits.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/windows.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/shell_flags.h"

namespace bg {

IdleTrackerState idleTracker;
BG_RESETS_WITH_PROGRAM(idleTracker);

namespace {

constexpr int16_t kCentredCube = 2;
// Indices into boardImages.colourCursors.
enum CursorIndex : int { kI, kP, kR, kS, kM, kHelp, kD, kN, kB, kC, kW };
constexpr int16_t kUpperPointsHint = 517;
constexpr int16_t kLowerPointsHint = 516;
constexpr int16_t kSide1TrayHint = 518;
constexpr int16_t kSide0TrayHint = 519;

// Cursors by id, made once: the direction hints are plain cursors.
CCrsrHandle hintCursor(int16_t id) {
  static CCrsrHandle hints[4] = {getCCursor(516), getCCursor(517), getCCursor(518), getCCursor(519)};
  return hints[id - kLowerPointsHint];
}

void colourCursor(int k) { setCCursor(boardImages.colourCursors[k]); }
void handCursor() { setCCursor(boardImages.handCursors[position.currentPlayer]); }
void arrow() { setCursor(kArrowCursor); }

void clearMarks() {
  idleTracker.lastHoverPoint = kNoHoverPoint;
  erasePossibleMoveMarkers();
}

int letterCursor(char letter) {
  switch (letter) {
    case 'B': return kB;
    case 'P': return kP;
    case 'R': return kR;
    case 'I': return kI;
    case 'S': return kS;
    case 'M': return kM;
    case 'D': return kD;
    case 'C': return kC;
    case 'N': return kN;
    case 'W': return kW;
    default: return -1;
  }
}

bool diceShow() { return diceState.diceShowing != 0; }
int16_t side() { return position.currentPlayer; }

// Cursors and marks while the dice show: the hand over the field, the possible moves
// of the own point under the mouse.
void overThePoints(const BoardHit& h) {
  if (h.hitField != 0) handCursor(); else arrow();
  if ((h.hitUpperPoints == 0 && h.hitLowerPoints == 0) || boardState.setupInProgress != 0) {
    clearMarks();
    return;
  }
  int16_t hover = interaction.clickedPoint;
  if (h.hitBar != 0) {
    hover = h.clickZoneCode;
  } else {
    pointFromClick();
    hover = interaction.clickedPoint;
  }
  moveMarkerState.hoverPoint = hover;
  const bool own = hover >= 0 && hover <= 25 && position.board[hover] * position.playerDirection[side()] > 0;
  if (!own) {
    clearMarks();
    return;
  }
  if (hover != idleTracker.lastHoverPoint) {
    erasePossibleMoveMarkers();
    showPossibleMoveMarkers();
  }
  idleTracker.lastHoverPoint = hover;
}

void beforeTheRoll(const BoardHit& h) {
  const BoardLayout& L = layout;
  const int16_t x = boardInput.clickH;
  if (h.hitCubeTop != 0 || h.hitCubeMiddle != 0 || h.hitCubeBottom != 0) {
    const bool mayDouble = cube.cubeOwner == side() || cube.cubeOwner == kCentredCube;
    if (mayDouble && position.openingPhase == 0) handCursor(); else arrow();
  } else if (h.hitField != 0) {
    const bool trayColumn = displaySettings.playDirection == 0 ? x >= L.fieldRight - L.boardUnit : x <= L.fieldLeft + L.boardUnit;
    const bool upperHint = displaySettings.playDirection + side() != 1;
    if (trayColumn)
      setCCursor(hintCursor(side() == 0 ? kSide0TrayHint : kSide1TrayHint));
    else if (h.hitUpperPoints != 0)
      setCCursor(hintCursor(upperHint ? kUpperPointsHint : kLowerPointsHint));
    else if (h.hitLowerPoints != 0)
      setCCursor(hintCursor(upperHint ? kLowerPointsHint : kUpperPointsHint));
    else
      arrow();
  } else {
    arrow();
  }
  clearMarks();
}

}  // namespace

void trackIdleMouse() {
  if (outputWindow() != kBoardWindow || rolloutPlaysUnattended() || windowPort(kBoardWindow) == nullptr) return;
  if (hook::notePadShowing()) {
    setCursor(kIBeamCursor);
    return;
  }
  if (overlay.overlayShown != 0 || shellFlags.quitRequested != 0) {
    arrow();
    return;
  }
  if (panelWait.questionPanelUp == 0 && display.overlayActive != 0 && boardState.setupInProgress == 0) {
    arrow();
    return;
  }
  const Point mouse = boardMouse();
  interactionDisplay.mousePoint = mouse;
  boardInput.clickH = mouse.h;
  boardInput.clickV = mouse.v;
  if (boardInput.boardWindowActive == 0) return;
  // The idle look must not disturb the click being handled: the requests of a command
  // still running, the zone flags and the clicked point are put back.
  const BoardRequests requests = boardRequests;
  const BoardHit hit = boardHit;
  const int16_t clicked = interaction.clickedPoint;
  const BoardInput flags = boardInput;
  boardHit.hitTestIdle = 255;
  hitTestBoard();
  const BoardHit h = boardHit;
  const char letter = firstRequest();
  boardRequests = requests;
  if (h.pointerOutside != 0) {
    boardHit = hit;
    boardHit.hitTestIdle = 0;
    interaction.clickedPoint = clicked;
    arrow();
    // Leaving the board takes the marks with it: a resize may follow.
    clearMarks();
    return;
  }
  if (h.hitField == 0) clearMarks();
  if (boardInput.pickedCount > 0) {
    trackDraggedPiece();
  } else if (h.requestHelp != 0) {
    colourCursor(kHelp);
  } else if (h.hitBottomFrame != 0) {
    const int k = letterCursor(letter);
    if (k >= 0) colourCursor(k); else arrow();
  } else if (letter == '#') {
    colourCursor(options.showPipCounts != 0 ? kS : kP);
  } else if (interactionDisplay.doneButtonShown != 0) {
    handCursor();
  } else if (panelWait.questionPanelUp != 0) {
    arrow();
  } else if (h.hitRollOverMarker != 0) {
    // The cursor stays as it is.
  } else if (boardInput.diceAreaClicked != 0 && position.openingPhase == 0) {
    const bool partPlayed = diceShow() && flow.movesLeft < flow.movesAllowed;
    if (flow.opponentMode == kComputerOpponent || partPlayed) colourCursor(kB); else arrow();
    clearMarks();
  } else if (!diceShow()) {
    beforeTheRoll(h);
  } else {
    overThePoints(h);
  }
  boardHit = hit;
  boardHit.hitTestIdle = 0;
  interaction.clickedPoint = clicked;
  const int16_t x = boardInput.clickH, v = boardInput.clickV;
  boardInput = flags;
  boardInput.clickH = x;
  boardInput.clickV = v;
}

}  // namespace bg
