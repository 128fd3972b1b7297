#include "interaction/move_list.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "display/dice_display.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "interaction/board_waits.h"
#include "rules/best_plays.h"
#include "runtime/core/format.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/display_services.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/rollout_state.h"

namespace bg {

namespace {

constexpr int16_t kMonospacedFont = 4;
constexpr int16_t kMinimumPartMoves = 2;   // a one-step play gets the width of two
constexpr int16_t kCharsPerPartMove = 6;   // "xx-yy "
constexpr double kPanelLinesHigh = 3.7;    // the panel's height in text sizes
constexpr double kFirstBaselineDrop = 1.25;
constexpr int16_t kNoMovesIndent = 8;
constexpr float kViewBar = 25;             // the mover's bar in a list row
constexpr int16_t kPointsAcross = 25;      // player 0's number of board index p is 25 - p
constexpr int16_t kFramePen = 2;
constexpr int16_t kPanelDiceGap = 2;       // between the panel's shadow and the dice at its right
constexpr int16_t kPartMoveColumns = 2;
// Where the overlay's shared rectangle is parked once the panel is gone.
constexpr Rect kParkedOverlayBox{80, 80, 180, 130};

constexpr std::string_view kNoMovesText = "No Moves";
constexpr std::string_view kAvailableText = "Available";

std::string twoChars(float point) { return usingS("##", static_cast<int16_t>(point)); }

struct PanelPlace {
  int16_t left = 0;
  int16_t top = 0;
  int16_t width = 0;
  int16_t height = 0;
  Rect overlayBox;
  int16_t textSize = 0;
};

// The panel beside the dice of the side to move: to their right when they stand in the
// left half of the board, else to their left; the overlay covers the dice as well.
PanelPlace placePanel(int16_t partMoves, int16_t digitWidth) {
  const BoardLayout& L = layout;
  PanelPlace p;
  p.textSize = static_cast<int16_t>(L.textSize + 1);
  const int16_t n = std::max(partMoves, kMinimumPartMoves);
  p.width = static_cast<int16_t>(kCharsPerPartMove * n * digitWidth + 2 * L.panelMargin);
  p.height = static_cast<int16_t>(std::trunc(p.textSize * kPanelLinesHigh + 2 * L.panelMargin));
  const int16_t x = L.moveListDiceX[position.currentPlayer];
  int16_t boxLeft = 0;
  int16_t boxRight = 0;
  if (x < display.boardWidth / 2) {
    p.left = static_cast<int16_t>(x + L.moveListDiceWidth);
    boxLeft = x;
    boxRight = static_cast<int16_t>(p.left + L.panelShadowX + p.width);
  } else {
    p.left = static_cast<int16_t>(x - p.width - L.panelShadowX - kPanelDiceGap);
    boxLeft = p.left;
    boxRight = L.fieldRight;
  }
  p.top = static_cast<int16_t>(L.boardCentreY - 1 - p.height / 2);
  p.overlayBox = makeRect(boxLeft, p.top, boxRight, p.top + p.height + L.panelShadowY);
  return p;
}

void drawPanelFrame(const PanelPlace& p) {
  const BoardLayout& L = layout;
  const Rect panel = makeRect(p.left, p.top, p.left + p.width, p.top + p.height);
  roleForeColor(roles.panelShadowColor);
  setPenPixPat(boardImages.panelFramePenPattern);
  paintRect(makeRect(p.left + L.panelShadowX, p.top + L.panelShadowY, p.left + L.panelShadowX + p.width,
                     p.overlayBox.bottom));
  roleForeColor(roles.panelBackColor);
  setPenPixPat(boardImages.pixPatterns);
  paintRect(panel);
  penSize(kFramePen, kFramePen);
  penPatSolid();
  roleForeColor(roles.panelFrameColor);
  frameRect(panel);
  penNormal();
}

// The panel's lines: one per listed play (empty for an empty row), or the two lines that
// say no play exists.
void fillPanelLines() {
  InteractionState& I = interaction;
  const BestPlaysList& list = bestPlays.bestPlaysTrue;
  if (list[1][kScoreColumn] <= kEmptyRow) {
    I.messageLines[1] = kNoMovesText;
    I.messageLines[2] = kAvailableText;
    I.messageLines[3].clear();
    I.messageLineCount = 2;
    return;
  }
  for (int16_t r = 1; r <= kRankedRows; ++r) {
    if (list[r][kScoreColumn] > kEmptyRow)
      I.messageLines[r].assign(playNotation(list, r));
    else
      I.messageLines[r].clear();
  }
  I.messageLineCount = kRankedRows;
}

void drawPanelLines(const PanelPlace& p) {
  const BoardLayout& L = layout;
  const int baseline = static_cast<int>(std::trunc(p.top + L.panelMargin + p.textSize * kFirstBaselineDrop));
  const int lineHeight = L.textSize + 2;
  setDrawColor(roles.panelTextColor);
  if (bestPlays.bestPlaysTrue[1][kScoreColumn] <= kEmptyRow) {
    for (int16_t r = 1; r <= interaction.messageLineCount; ++r) {
      moveTo(p.left + kNoMovesIndent, baseline + (r - 1) * lineHeight);
      drawString(interaction.messageLines[r].view());
    }
    return;
  }
  const int indent = L.panelMargin + L.textSize / 3;
  for (int16_t r = 1; r <= kRankedRows; ++r) {
    if (bestPlays.bestPlaysTrue[r][kScoreColumn] <= kEmptyRow) continue;
    moveTo(p.left + indent, baseline + (r - 1) * lineHeight);
    drawString(interaction.messageLines[r].view());
  }
}

}  // namespace

std::string playNotation(const BestPlaysList& list, int16_t row) {
  CheckedArray<float, 9> points{};
  readCandidatePlay(list, row, points);
  const CandidatePlayRow& r = list[row];
  const int16_t partMoves = static_cast<int16_t>(r[kPartMovesColumn]);
  std::string text;
  for (int16_t k = 1; k <= partMoves; ++k) {
    const int c = kPartMoveColumns * k;
    // The bar is known by the mover's 25 before the mapping: once mapped, side 1's bar
    // reads 25 - 25 = 0 in player 0's numbering and side 0's reads 25.
    if (r[c] == kViewBar) {
      text += " B-" + twoChars(kPointsAcross - points[c + 1]) + " ";
      continue;
    }
    // No checker stands on the mover's 0: nothing was moved.
    if (r[c] < 1) continue;
    const float from = kPointsAcross - points[c];
    const float to = kPointsAcross - points[c + 1];
    if (to >= 1 && to <= kPointsAcross - 1)
      text += twoChars(from) + "-" + twoChars(to) + " ";
    else
      text += twoChars(from) + "-BO ";
  }
  return text;
}

void showMoveList() {
  if (rolloutHidesBoard()) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  // Two boxes are up already: the overlay says it cannot open a third.
  if (overlay.overlayShown != 0) {
    openBoardOverlay();
    return;
  }
  const GrafPtr saved = getPort();
  setPort(window);
  textFont(kMonospacedFont);
  textSize(static_cast<int16_t>(layout.textSize + 1));
  textFace(shellWindow.textFace);
  textMode(srcOr);
  const int16_t digitWidth = charWidth('6');
  const PanelPlace place =
      placePanel(static_cast<int16_t>(bestPlays.bestPlaysTrue[1][kPartMovesColumn]), digitWidth);
  offscreen.messageBoxRect = place.overlayBox;
  openBoardOverlay();
  setPort(window);
  drawPanelFrame(place);
  fillPanelLines();
  drawPanelLines(place);
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  drawCurrentDice();
  setPort(window);
  closePicture();
  if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  flushWindow(kBoardWindow);
  setPort(saved);
  boardInput.waitHelpContext = -1;
  waitForPanelClose();
  hook::redrawBoardPicture();
  offscreen.messageBoxRect = kParkedOverlayBox;
}

}  // namespace bg
