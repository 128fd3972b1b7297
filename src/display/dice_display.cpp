#include "display/dice_display.h"

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "state/display_settings.h"
#include "display/offscreen.h"
#include "flow/turn.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "runtime/qt/windows.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"

namespace bg {

DiceChooserPlace diceChooser;
BG_RESETS_WITH_PROGRAM(diceChooser);

namespace {

constexpr double kLastMovePauseSeconds = 0.4;
constexpr int16_t kTwoHumans = 3;

bool allDiceUsed() {
  int sum = 0;
  for (const DiceEntry& die : diceState.dice) sum += die.value;
  return sum == 0;
}

Rect dieAt(int16_t left, int16_t top) { return makeRect(left, top, left + layout.dieWidth, top + layout.dieHeight); }

// Runs draw with the board window current and clipped to the board.
template <typename Draw>
void onBoardWindow(Draw draw) {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  draw(window);
  clipRect(layout.boardRect);
  setPort(saved);
}

}  // namespace

int16_t dieColourAt(int16_t x) {
  return x >= display.boardWidth / 2 ? display.playerColors[0] : display.playerColors[1];
}

void frameAllDice() {
  // A hidden rollout's board is drawn whole when it shows again: clearing the places at
  // every roll would only cost.
  if (rolloutHidesBoard()) return;
  for (int16_t end = 0; end <= 1; ++end) {
    for (int16_t place = 0; place <= 1; ++place) {
      // A place with no face (a side that has not rolled in a game brought back) shows
      // the board, not a blank die.
      if (display.dieSlots[end][place].hidden != 0 || display.dieSlots[end][place].value == 0)
        clearDieSlot(end, place);
      else
        frameDie(end, place);
    }
  }
  flushWindow(kBoardWindow);
}

void frameDie(int16_t end, int16_t place) {
  if (rolloutHidesBoard()) return;
  onBoardWindow([&](GrafPtr window) {
    const Point at = layout.dieSlotPositions[displaySettings.playDirection][end][place];
    const int16_t face =
        static_cast<int16_t>(display.dieSlots[end][place].value + kDieFacesPerColour * display.playerColors[end]);
    copyOffscreenMasked(boardImages.dieFaceWorlds[face], boardImages.plainDieWorlds[0], window, layout.dieRect,
                        layout.dieRect, dieAt(at.h, at.v));
  });
}

void clearDieSlot(int16_t end, int16_t place) {
  onBoardWindow([&](GrafPtr window) {
    const Point at = layout.dieSlotPositions[displaySettings.playDirection][end][place];
    const Rect r = dieAt(at.h, at.v);
    copyOffscreenToWindow(boardImages.boardWorld, window, r, r);
  });
}

void showDieUsed(int16_t die) {
  if (rolloutHidesBoard()) {
    if (allDiceUsed()) {
      display.redrawPending = 0;
      hook::setDiceDisplayFlags(0);
    }
    return;
  }
  if (diceState.rolledDoubles != 0 && settings.display4OnDoubles != -1 && (die == 1 || die == 3)) return;
  const int16_t left = diceState.drawnDieLeft[die];
  display.dieTop = display.diceTop;
  // The colour goes with where the die stands: in the opening roll a die may stand in
  // the other side's half.
  display.dieFaceIndex = static_cast<int16_t>(diceState.rolledDice[die] + kDieFacesPerColour * dieColourAt(left));
  onBoardWindow([&](GrafPtr window) {
    copyOffscreenMaskedLocked(boardImages.dieFaceWorlds[display.dieFaceIndex], boardImages.plainDieWorlds[0], window,
                              layout.dieRect, layout.dieRect, dieAt(left, display.dieTop));
  });
  flushWindow(kBoardWindow);
  // The pause belongs to the last move; a redraw only draws the dice as they are.
  if (flow.movesLeft == 0 && redrawState.boardRedrawing != -1) hook::pauseSeconds(kLastMovePauseSeconds);
  if (!allDiceUsed()) return;
  display.redrawPending = 0;
  hook::setDiceDisplayFlags(0);
  // Between rolls all four places show, as the next redraw would draw them.
  frameAllDice();
  if (flow.bestMoveForHuman != -1 && isClickAfterMoveDue() == 0) removeDice();
}

void drawDiceChooserFaces() {
  for (int16_t row = 0; row <= 1; ++row) {
    for (int16_t column = 0; column <= 2; ++column) {
      display.dieLeft = static_cast<int16_t>(diceChooser.chooserLeft + 2 + layout.dieWidth * column);
      display.dieTop = static_cast<int16_t>(diceChooser.chooserTop + 2 + layout.dieHeight * row);
      display.dieFaceIndex = static_cast<int16_t>(column + 1 + 3 * row +
                                                  kDieFacesPerColour * display.playerColors[position.currentPlayer]);
      drawDieFace();
    }
  }
}

void drawCurrentDice() {
  display.dieTop = display.diceTop;
  // The opponent's last move is analysed with the roll it played, also after the game's end.
  const GameRecordEntry& entry = lastPlayedRoll();
  for (int16_t die = 0; die <= 1; ++die) {
    display.dieLeft =
        static_cast<int16_t>(layout.moveListDiceX[position.currentPlayer] + die * (layout.dieWidth + 2));
    int16_t value = diceState.dice[die].value;
    if (position.currentPlayer != position.turnPlayer && flow.opponentMode != kTwoHumans)
      value = die == 0 ? entry.die1 : entry.die2;
    display.dieFaceIndex = static_cast<int16_t>(value + kDieFacesPerColour * dieColourAt(display.dieLeft));
    drawDieFace();
  }
}

}  // namespace bg
