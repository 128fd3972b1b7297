#include "display/board_buttons.h"

#include <cmath>
#include <vector>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/input.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"

namespace bg {

BoardButtons boardButtons;
BG_RESETS_WITH_PROGRAM(boardButtons);

namespace {


bool choosersWaiting() { return interactionDisplay.whoseRollWaiting != 0 || interactionDisplay.whoseCubeWaiting != 0; }

void clipToPolygon(const std::vector<Point>& corners) {
  PolyHandle poly = openPoly();
  moveTo(corners.front().h, corners.front().v);
  for (std::size_t k = 1; k < corners.size(); ++k) lineTo(corners[k].h, corners[k].v);
  lineTo(corners.front().h, corners.front().v);
  closePoly();
  RgnHandle clip = newRgn();
  clip->rgn = polygonRegion(poly);
  setClip(clip);
  disposeRgn(clip);
  killPoly(poly);
}

void clipToBoard() {
  if (boardImages.boardClipRgn != nullptr)
    setClip(boardImages.boardClipRgn);
  else
    clipRect(layout.boardRect);
}

Point pt(int h, int v) { return {static_cast<int16_t>(h), static_cast<int16_t>(v)}; }

}  // namespace

void drawFramedText(std::string_view text, int16_t y, int16_t left, int16_t right) {
  const int ts = layout.textSize;
  const int sw = stringWidth(text);
  const int cx = left + ((right - layout.panelShadowX - left) / 2) + 2;
  Rect r = makeRect(cx - sw / 2 - ts / 2 - 1, static_cast<int>(std::trunc(y - 1.1 * ts)), cx + sw / 2 + ts / 2 - 1,
                    y + ts / 2 + 1);
  boardButtons.framedTextRect = r;
  moveTo(r.left + ts / 2, r.bottom - ts / 2);
  drawString(text);
  rgbForeColor(kBlackRGB);
  penNormal();
  frameRect(r);
  insetRect(r, -1, -1);
  boardButtons.framedTextRect = r;
  frameRect(r);
  penNormal();
  rgbForeColor(kWhiteRGB);
  moveTo(r.left, r.top);
  lineTo(r.right - 1, r.top);
  moveTo(r.left, r.top + 1);
  lineTo(r.right - 2, r.top + 1);
  moveTo(r.left, r.top);
  lineTo(r.left, r.bottom - 1);
  moveTo(r.left + 1, r.top);
  lineTo(r.left + 1, r.bottom - 2);
}

void drawButtonLabel(const Rect& rect, std::string_view text, int16_t offset) {
  if (choosersWaiting()) return;
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  textMode(srcOr);
  const int x = rect.left + (rect.width() - stringWidth(text)) / 2;
  moveTo(x + offset, rect.bottom - ((rect.height() - layout.textSize) / 2) - 1 + offset);
  roleForeColor(roles.panelTextColor);
  drawString(text);
}

void drawRoundButton(const Rect& rect, int16_t pressed) {
  if (choosersWaiting()) return;
  const int radius = static_cast<int>(std::trunc(rect.height() * 0.75));
  RgnHandle button = newRgn();
  button->rgn = roundRectRegion(rect, radius, radius);
  setDrawColor(roles.pieceColors[0]);
  paintRgn(button);
  // A light upper-left edge and a shaded lower-right one; pressed, shaded all round.
  clipToPolygon({pt(rect.left, rect.top), pt(rect.right + 1, rect.top), pt(rect.left, rect.bottom)});
  penSize(2, 2);
  setDrawColor(pressed != 0 ? roles.pieceSecondColors[1] : roles.pieceColors[1]);
  frameRgn(button);
  clipToPolygon({pt(rect.right + 1, rect.bottom), pt(rect.right + 1, rect.top), pt(rect.left, rect.bottom)});
  setDrawColor(roles.pieceSecondColors[1]);
  frameRgn(button);
  clipToBoard();
  penSize(1, 1);
  disposeRgn(button);
}

bool trackButton(const Rect& rect, std::string_view label, int16_t lit) {
  InteractionDisplayState& ui = interactionDisplay;
  while (stillDown()) {
    ui.mousePoint = getMouse();
    const bool inside = ptInRect(ui.mousePoint, rect);
    if ((!inside && lit != 0) || (inside && lit == 0)) {
      lit = lit != 0 ? 0 : -1;
      drawRoundButton(rect, lit);
      drawButtonLabel(rect, label, lit);
      flushWindow(kBoardWindow);
    }
  }
  ui.mousePoint = getMouse();
  Rect under{};
  if (ui.doneButtonShown != 0 && ptInRect(ui.mousePoint, ui.doneButtonRect))
    under = ui.doneButtonRect;
  else if (ptInRect(ui.mousePoint, ui.yesButtonRect))
    under = ui.yesButtonRect;
  else if (ptInRect(ui.mousePoint, ui.noButtonRect))
    under = ui.noButtonRect;
  else if (ui.middleButtonActive != 0 && ptInRect(ui.mousePoint, ui.middleButtonRect))
    under = ui.middleButtonRect;
  return under == rect;
}

void drawCentreEmblem() {
  if (display.boardColor == kPictureBoard) return;
  const Rect& emblem = boardImages.emblemRect;
  const int w = emblem.width();
  const int h = emblem.height();
  const int left = layout.boardCentreX - w / 2;
  const int top = layout.boardCentreY - h / 2;
  const Rect place = makeRect(left, top, left + w, top + h);
  copyOffscreenToWindow(boardImages.boardWorld, getPort(), place, place);
  copyOffscreenMasked(boardImages.centreEmblemWorlds[1], boardImages.centreEmblemMasks[1], getPort(), emblem, emblem,
                      place);
}

void eraseRowNumberStrips() {
  const BoardLayout& L = layout;
  const bool pictures = display.boardColor == kPictureBoard;
  const int strip = static_cast<int>(std::trunc(L.textSize * 0.9));
  const int upper = L.pointHeight + L.fieldTop + L.fieldGap + 2 + (pictures ? 3 : 0);
  const Rect upperStrip = makeRect(L.fieldLeft + 2, upper, L.fieldRight - 2, upper + strip + 2);
  copyOffscreenToWindow(boardImages.boardWorld, getPort(), upperStrip, upperStrip);
  const int lower = L.fieldBottom - L.pointHeight - 3 - strip + (pictures ? 5 : 0);
  const Rect lowerStrip = makeRect(L.fieldLeft + 2, lower, L.fieldRight - 2, lower + strip + 1);
  copyOffscreenToWindow(boardImages.boardWorld, getPort(), lowerStrip, lowerStrip);
  drawCentreEmblem();
}

}  // namespace bg
