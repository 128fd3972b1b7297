#include "display/statistics_panels.h"

#include <cmath>

#include "computer/analyse_position.h"
#include "computer/race_estimates.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "flow/opponent_modes.h"
#include "flow/turn_services.h"
#include "runtime/core/format.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/windows.h"
#include "state/analysis_state.h"
#include "state/board_input.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

StatisticsPanelState statisticsPanels;
BG_RESETS_WITH_PROGRAM(statisticsPanels);

namespace {

constexpr int16_t kPipPanel = 1;
constexpr int16_t kRacePanel = 2;
constexpr size_t kStatDigits = 5;
constexpr size_t kShortStat = 4;
constexpr float kRounding = 0.005f;
constexpr double kIconPlace = 0.36;
constexpr int16_t kPanelLines = 3;

void analyseFor(int16_t side) {
  position.currentPlayer = side;
  position.otherPlayer = static_cast<int16_t>(1 - side);
  analysePosition();
}

void fillPanelLines() {
  InteractionState& I = interaction;
  if (statisticsPanels.statisticsPanelKind == kPipPanel) {
    I.messageLines[1].assign(messageWordsOf(kPipCountTitleMessage).str() + " ");
    I.messageLines[2].assign("  " + strS(analysis.analysisPips[1]));
    I.messageLines[3].assign("  " + strS(analysis.analysisPips[0]));
  } else {
    I.messageLines[1].assign(messageWordsOf(kRaceEstimateTitleMessage).str() + " ");
    I.messageLines[2].assign(formatStatNumber(race.raceRolls[1] + kRounding));
    I.messageLines[3].assign(formatStatNumber(race.raceRolls[0] + kRounding));
  }
  I.messageLineCount = kPanelLines;
}

}  // namespace

Rect pieceIconRect(int16_t x, int16_t y, int16_t r) { return makeRect(x - r - 1, y - r, x + r + 1, y + r); }

void drawPieceIcon(int16_t x, int16_t y, int16_t r, int16_t side) {
  const int16_t c = display.playerColors[side];
  penNormal();
  const Rect icon = pieceIconRect(x, y, r);
  setDrawColor(roles.pieceColors[c]);
  paintOval(icon);
  setDrawColor(roles.pieceFrameColors[c]);
  penNormal();
  frameOval(icon);
}

std::string formatStatNumber(float value) {
  const std::string t = strS(value);
  std::string s = t.substr(0, kStatDigits);
  if (t.size() < kShortStat && value >= 1) s += ".0";
  return "  " + s;
}

void drawStatistics() {
  if (display.overlayActive != 0) return;
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return;
  }
  Position& P = position;
  const int16_t savedCurrentPlayer = P.currentPlayer;
  analyseFor(1);
  fillPanelLines();
  P.currentPlayer = savedCurrentPlayer;
  P.otherPlayer = static_cast<int16_t>(1 - savedCurrentPlayer);
  overlay.messageBoxSeconds = 0;
  drawOverlayMessage();
  GrafPtr window = windowPort(kBoardWindow);
  if (window != nullptr) {
    const GrafPtr saved = getPort();
    setPort(window);
    const Rect box = offscreen.messageBoxRect;
    const BoardLayout& L = layout;
    const auto x = static_cast<int16_t>(
        std::trunc(box.left + (box.right - box.left - L.panelShadowX - 2 * L.panelMargin) * kIconPlace));
    const auto r = static_cast<int16_t>(L.pieceDepth / 2 + 1);
    // Line 2 is side 1, line 3 side 0.
    for (int16_t line = 2; line <= kPanelLines; ++line) {
      const auto side = static_cast<int16_t>(kPanelLines - line);
      const auto y = static_cast<int16_t>(
          std::trunc(overlayLineBaseline(line) - (L.textSize - std::trunc(L.textSize / 3 + 0.5)) / 2 - 1));
      drawPieceIcon(x, y, r, side);
    }
    closePicture();
    if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
    flushWindow(kBoardWindow);
    setPort(saved);
  }
  boardInput.waitHelpContext = -1;
  hook::waitForPanelClose();
  closeBoardOverlay();
  // The analysis belongs to the side to move again.
  if (flow.abortTurn != kLeaveTurn && savedCurrentPlayer != 1) analyseFor(savedCurrentPlayer);
  P.currentPlayer = savedCurrentPlayer;
  P.otherPlayer = static_cast<int16_t>(1 - savedCurrentPlayer);
}

void drawStatsLeft() {
  StatisticsPanelState& S = statisticsPanels;
  if (S.pipPanelBusy != 0) return;
  S.pipPanelBusy = -1;
  S.statisticsPanelKind = kPipPanel;
  drawStatistics();
  S.pipPanelBusy = 0;
}

void drawStatsRight() {
  StatisticsPanelState& S = statisticsPanels;
  if (S.racePanelBusy != 0) return;
  S.racePanelBusy = -1;
  S.statisticsPanelKind = kRacePanel;
  drawStatistics();
  S.racePanelBusy = 0;
}

}  // namespace bg
