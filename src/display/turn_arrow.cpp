#include "display/turn_arrow.h"

#include "computer/personalities.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/shell_services.h"

namespace bg {

TurnArrowState turnArrow;
BG_RESETS_WITH_PROGRAM(turnArrow);
[[maybe_unused]] static const bool turnArrowReleased =
    registerStateRelease([] { disposeRgn(turnArrow.turnArrowClipRgn); });

namespace {

constexpr int16_t kShadowOffset = 2;
constexpr int16_t kArrowAreaRaise = 2;
constexpr int16_t kPictureArrowTop = 5;
constexpr int16_t kUnchecked = 1;
constexpr int16_t kChecked = 2;
constexpr uint8_t kRolledOver = 255;  // playerRolledOver of a side that used it

bool redrawing() { return redrawState.boardRedrawing == -1; }

int16_t moverColourRole() { return roles.pieceColors[display.playerColors[position.currentPlayer]]; }

// The marker's area: the "R" with a pixel around it.
Rect rollOverArea() {
  const BoardLayout& L = layout;
  return makeRect(L.rollOverMarkerX - 1, L.rollOverMarkerY - 2 - L.textSize, L.rollOverMarkerX + L.textSize,
                  L.rollOverMarkerY + 2);
}

void restoreFromBoard(const Rect& r) {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  copyOffscreenToWindow(boardImages.boardWorld, window, r, r);
  setPort(saved);
}

bool topSkillAgainstComputer() {
  return skill.skillLevel == kHighestSkillLevel && flow.opponentMode == kComputerOpponent;
}

}  // namespace

void drawTurnArrow() {
  if (rolloutHidesBoard()) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  if (display.boardColor == kPictureBoard) {
    drawTurnArrowPictured();
    return;
  }
  if (!redrawing()) clearMessageLine(0);
  turnArrow.turnArrowRight = displaySettings.playDirection == 1 ? static_cast<int16_t>(layout.fieldLeft - 1)
                                                                : static_cast<int16_t>(display.boardWidth - 1);
  clearTurnArrowArea();
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  RgnHandle arrow = boardImages.arrowRegions[displaySettings.playDirection][position.currentPlayer];
  if (arrow != nullptr) {
    penNormal();
    offsetRgn(arrow, kShadowOffset, kShadowOffset);
    setDrawColor(roles.boardForeColor);
    paintRgn(arrow);
    offsetRgn(arrow, -kShadowOffset, -kShadowOffset);
    setDrawColor(moverColourRole());
    paintRgn(arrow);
    penNormal();
    setDrawColor(roles.arrowColor);
    frameRgn(arrow);
  }
  penNormal();
  setDrawColor(roles.boardForeColor);
  setPort(saved);
  drawRollOverMarker();
}

void drawTurnArrowPictured() {
  if (!redrawing()) clearMessageLine(0);
  GrafPtr window = windowPort(kBoardWindow);
  const int16_t colour = display.playerColors[position.currentPlayer];
  GrafPtr picture = boardImages.turnArrowWorlds[colour][displaySettings.playDirection][position.currentPlayer];
  if (window == nullptr || picture == nullptr) return;
  const Rect source = picture->bounds();
  const auto x = static_cast<int16_t>(layout.trayLeft[1 - displaySettings.playDirection] + 1);
  const Rect at = makeRect(x, kPictureArrowTop, x + source.width(), kPictureArrowTop + source.height());
  const GrafPtr saved = getPort();
  setPort(window);
  RgnHandle& clip = turnArrow.turnArrowClipRgn;
  if (clip == nullptr) clip = newRgn();
  if (boardImages.turnArrowRgn != nullptr) {
    copyRgn(boardImages.turnArrowRgn, clip);
    const Rect shape = rgnBounds(clip);
    offsetRgn(clip, at.left - shape.left, at.top - shape.top);
    setClip(clip);
  }
  copyOffscreenToWindow(picture, window, source, at);
  // The "R" is drawn with the clip back at the board, or the arrow's shape would hide it.
  clipRect(layout.boardRect);
  setPort(saved);
  drawRollOverMarker();
}

void clearTurnArrowArea() {
  const BoardLayout& L = layout;
  turnArrow.turnArrowRect = makeRect(L.turnArrowPos[displaySettings.playDirection], L.turnArrowY - kArrowAreaRaise,
                                     turnArrow.turnArrowRight, L.turnArrowBottom);
  restoreFromBoard(turnArrow.turnArrowRect);
}

void drawRollOverMarker() {
  const int16_t side = position.currentPlayer;
  if (options.rollOverOnce == 0 || interaction.playerRolledOver[side] == kRolledOver ||
      position.playerType[side] == kComputerPlayer)
    return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  // Letters take the foreground colour, never a role's pen pattern.
  roleForeColor(moverColourRole());
  moveTo(layout.rollOverMarkerX, layout.rollOverMarkerY);
  const int16_t face = window->textFace;
  const int16_t mode = window->textMode;
  textSize(layout.textSize);
  textFace(kOutlineFace);
  textMode(srcOr);
  drawString("R");
  textFace(face);
  textMode(mode);
  penNormal();
  setPort(saved);
}

void clearRollOverMark() { restoreFromBoard(rollOverArea()); }

void updateRollOverDisplay() {
  if (topSkillAgainstComputer() && options.rollOverOnce == 0) return;
  clearMessageLine(0);
  if (options.rollOverOnce != 0 || topSkillAgainstComputer()) {
    options.rollOverItemState = kUnchecked;
    options.rollOverOnce = 0;
    clearRollOverMark();
  } else {
    options.rollOverItemState = kChecked;
    options.rollOverOnce = -1;
    if (interaction.playerRolledOver[position.currentPlayer] != kRolledOver && display.firstBoardBuild != -1)
      drawRollOverMarker();
  }
  hook::setMenuItemState(kOptionsMenu, kRollOverItem, options.rollOverItemState, "");
}

}  // namespace bg
