#include "shell/board_window.h"

#include <algorithm>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_rebuild.h"
#include "state/board_state.h"
#include "display/colour_roles.h"
#include "display/dice_display.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/shared_services.h"
#include "interaction/board_waits.h"
#include "interaction/position_setup.h"
#include "state/board_input.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kBoardSizeMenu = 14;
constexpr int kOverlayRedrawsAtMost = 2;

void paintContent() {
  const Rect content = windowContentRect(kBoardWindow);
  setOrigin(0, 0);
  clipRect(makeRect(0, 0, content.width(), content.height()));
  setDrawColor(roles.windowBackColor);
  paintRect(makeRect(0, 0, content.width(), content.height()));
}

void fitUnitToWindow(int16_t width, int16_t height) {
  ShellWindowState& S = shellWindow;
  BoardLayout& L = layout;
  const int margin = windowPlacement.windowMargin;
  auto measure = [&] {
    display.boardWidth = display.boardSizeUnit;
    computePieceSize();
    computeBoardMargins();
  };
  measure();
  if (display.boardWidth < width - 2 * margin && L.boardHeight < height - 2 * margin) {
    do {
      ++display.boardSizeUnit;
      measure();
    } while (!(display.boardWidth > width - 2 * margin || display.boardWidth > S.boardWidthFallback ||
               L.boardHeight > height - 2 * margin));
    --display.boardSizeUnit;
  } else {
    do {
      --display.boardSizeUnit;
      measure();
    } while (!((display.boardWidth <= width - 2 * margin && L.boardHeight < height - 2 * margin) ||
               display.boardSizeUnit <= S.boardWidthMin));
  }
  display.boardSizeUnit = std::max(display.boardSizeUnit, S.boardWidthMin);
  display.boardWidth = display.boardSizeUnit;
}

}  // namespace

void prepareBoardResize() {
  if (display.boardColor == kPictureBoard) return;
  // A resize is no answer: a waiting question comes back on the new board, its message line
  // with it, and waits on.
  keepQuestionThroughResize();
  clearMessageLine(0);
  for (int i = 0; i < kOverlayRedrawsAtMost && display.overlayActive != 0; ++i) hook::redrawBoardPicture();
  // The editor goes on at the new size with the checkers as laid; only the hand is emptied,
  // and clicks kept for it were given on the old board.
  putBackEveryHeldChecker();
  dropQueuedClicks();
  if (diceChooser.chooseDiceOpen != 0) {
    // The turn is left and begins again: the hand-over gives it back to the same side.
    diceChooser.chooseDiceOpen = 0;
    hook::setDiceDisplayFlags(0);
    flow.abortTurn = kLeaveTurn;
    position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  }
}

void fitBoardToWindow() {
  if (display.overlayActive != 0 || hand.pieceInHand != 0 || boardState.boardSizeChangePending != 0) return;
  ShellWindowState& S = shellWindow;
  if (display.boardColor == kPictureBoard) {
    // The picture board keeps its size: the window snaps back.
    if (S.boardRebuilding == -1) fitWindowToBoard();
    layout.boardRect = makeRect(0, 0, display.boardWidth, layout.boardHeight);
    if (boardImages.boardClipRgn != nullptr) rectRgn(boardImages.boardClipRgn, layout.boardRect);
    invalidateRect(kBoardWindow, layout.boardRect);
    return;
  }
  if (S.boardSizeIndex > 0) setMenuItemState(kBoardSizeMenu, S.boardSizeIndex, kItemEnabled, "");
  S.boardSizeIndex = 0;
  endWaitLoop();
  const int16_t oldWidth = layout.boardWindowRect.width();
  paintContent();
  flushWindow(kBoardWindow);
  S.boardRebuilding = -1;
  const Rect content = windowContentRect(kBoardWindow);
  // An old width of 0 cannot scale; the search starts from the present unit.
  const int ratio = oldWidth > 0 ? content.width() / oldWidth : 1;
  display.boardSizeUnit = static_cast<int16_t>(std::min<int>(display.boardSizeUnit * ratio, S.boardWidthFallback));
  fitUnitToWindow(content.width(), content.height());
  rebuildBoardForWindowSize();
  hook::redrawBoardWindow();
  showSetupBoxAgain();
  S.boardRebuilding = 0;
}

}  // namespace bg
