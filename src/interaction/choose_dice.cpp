#include "interaction/choose_dice.h"

#include <algorithm>
#include <cmath>

#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "display/dice_display.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "flow/roll_stage.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_question.h"
#include "interaction/board_waits.h"
#include "rules/dice.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/display_settings.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/settings.h"

namespace bg {

namespace {

constexpr char kTitle[] = "Choose Dice";
constexpr int16_t kFacesPerRow = 3;
constexpr int16_t kFaceInset = 2;  // the faces stand this far inside the grid's corner
constexpr int16_t kDiceToChoose = 2;
constexpr int64_t kChosenPauseMs = 200;
constexpr int kMostBoxes = 2;

int16_t trunc16(double v) { return static_cast<int16_t>(std::trunc(v)); }

void boardTextStyle() {
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  textMode(srcOr);
}

int16_t facesWidth() { return static_cast<int16_t>(kFacesPerRow * layout.dieWidth + 2 * kFaceInset); }
int16_t facesHeight() { return static_cast<int16_t>(2 * layout.dieHeight + 2 * kFaceInset); }

// The panel's rows from the top: title, instruction, faces, button, each with its gap.
struct PanelRows {
  int16_t margin;
  int16_t titleBaseline;
  int16_t instructionBaseline;
  int16_t facesTop;
  int16_t buttonTop;
  int16_t buttonWidth;
  int16_t buttonHeight;
  int16_t width;
  int16_t height;
};

PanelRows measurePanel(const std::string& instruction, const std::string& button) {
  const int ts = layout.textSize;
  PanelRows r{};
  r.margin = charWidth('M');
  r.buttonWidth = static_cast<int16_t>(stringWidth(button) + 2 * ts);
  r.buttonHeight = trunc16(ts * 1.8);
  // The title's frame reaches 1.1 text sizes above its baseline and half one below.
  r.titleBaseline = trunc16(r.margin + 1.1 * ts + 2);
  r.instructionBaseline = static_cast<int16_t>(r.titleBaseline + 2 * ts);
  r.facesTop = static_cast<int16_t>(r.instructionBaseline + ts / 2);
  r.buttonTop = static_cast<int16_t>(r.facesTop + facesHeight() + r.margin / 2);
  const int titleWidth = stringWidth(kTitle) + ts + 4;
  const int content =
      std::max({titleWidth, static_cast<int>(stringWidth(instruction)), static_cast<int>(facesWidth()),
                static_cast<int>(r.buttonWidth)});
  r.width = static_cast<int16_t>(content + 2 * r.margin + layout.panelShadowX);
  r.height = static_cast<int16_t>(r.buttonTop + r.buttonHeight + r.margin + layout.panelShadowY);
  return r;
}

// The fresh opening roll may not be a double; a roll the record replays stands as it is.
void rollForMe() {
  const bool fresh = nextRollIsFresh();
  do {
    generateDiceRoll();
  } while (position.openingPhase != 0 && fresh && diceState.dice[0].value == diceState.dice[1].value);
}

void markChosenRoll() {
  GameRecordEntry& header = record.gameRecord[0];
  header.toPoint = static_cast<int16_t>(header.toPoint + 1);  // "Dice Entered Manually"
  GameRecordEntry& entry = record.gameRecord[record.gameRecordCount + 1];
  entry.flags = static_cast<int16_t>(entry.flags | kFlagDiceByHand);
}

}  // namespace

int16_t chooserFaceAt(Point at) {
  const int dx = at.h - (diceChooser.chooserLeft + kFaceInset);
  const int dy = at.v - (diceChooser.chooserTop + kFaceInset);
  if (dx < 0 || dy < 0 || layout.dieWidth <= 0 || layout.dieHeight <= 0) return 0;
  const int column = dx / layout.dieWidth;
  const int row = dy / layout.dieHeight;
  if (column >= kFacesPerRow || row >= 2) return 0;
  return static_cast<int16_t>(column + 1 + kFacesPerRow * row);
}

void drawChooseDice() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  // The panel is the only box while it is up.
  for (int k = 0; k < kMostBoxes && display.overlayActive != 0; ++k) closeBoardOverlay();
  setPort(window);
  boardTextStyle();
  const std::string instruction = messageWordsOf(kClickDiceFacesMessage).str();
  const std::string button = messageWordsOf(kRollForMeMessage).str();
  const PanelRows rows = measurePanel(instruction, button);
  offscreen.messageBoxWidth = rows.width;
  offscreen.messageBoxHeight = rows.height;
  offscreen.messageBoxFixedSize = -1;
  overlay.messageBoxSeconds = 0;
  layoutMessageBox();
  setPort(window);
  boardTextStyle();
  const Rect box = offscreen.messageBoxRect;
  const int16_t middle = static_cast<int16_t>(box.left + (box.width() - layout.panelShadowX) / 2);
  drawFramedText(kTitle, static_cast<int16_t>(box.top + rows.titleBaseline), box.left, box.right);
  boardTextStyle();
  setDrawColor(roles.panelTextColor);
  moveTo(middle - stringWidth(instruction) / 2, box.top + rows.instructionBaseline);
  drawString(instruction);

  diceChooser.chooserLeft = static_cast<int16_t>(middle - facesWidth() / 2);
  diceChooser.chooserTop = static_cast<int16_t>(box.top + rows.facesTop);
  Rect& no = interactionDisplay.noButtonRect;
  const int16_t buttonLeft = static_cast<int16_t>(middle - rows.buttonWidth / 2);
  const int16_t buttonTop = static_cast<int16_t>(box.top + rows.buttonTop);
  no = makeRect(buttonLeft, buttonTop, buttonLeft + rows.buttonWidth, buttonTop + rows.buttonHeight);
  drawRoundButton(no, 0);
  drawButtonLabel(no, button, 0);
  penNormal();
  // The box was recorded, not drawn: the recording ends and is drawn; the faces go on top
  // of it, and a full redraw draws them again while the panel is open.
  closePicture();
  if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  drawDiceChooserFaces();
  flushWindow(kBoardWindow);
  setPort(saved);
}

void chooseDiceByClick() {
  playSearch.searchedPlayer = -1;
  int16_t chosen = 0;
  for (;;) {
    if (chosen == kDiceToChoose) {
      hand.diceClicked = -1;
      markChosenRoll();
      delayMs(kChosenPauseMs);
      return;
    }
    waitForClickOrKey();
    if (flow.abortTurn != 0) return;
    hitTestBoard();
    if (boardHit.hitMessageArea != 0 || boardHit.requestHelp != 0) handleMessageAreaClick();
    if (flow.abortTurn != 0) return;
    const Point at{boardInput.clickH, boardInput.clickV};
    if (ptInRect(at, interactionDisplay.noButtonRect)) {
      rollForMe();
      hand.diceClicked = -1;
      return;
    }
    const int16_t face = chooserFaceAt(at);
    if (face == 0) continue;
    diceState.dice[chosen].value = face;
    diceState.rolledDice[chosen] = face;
    showRolledDice();
    ++chosen;
  }
}

void chooseDiceWindow() {
  DiceState& D = diceState;
  if (settings.inputDice != 0) removeDice();
  diceChooser.chooseDiceOpen = -1;
  hand.diceClicked = 0;
  // A double of the roll before would lay the chosen dice out as four.
  D.rolledDoubles = 0;
  drawChooseDice();
  panelWait.questionPanelUp = -1;
  const QuietStretch quiet;
  chooseDiceByClick();
  panelWait.questionPanelUp = 0;
  interactionDisplay.noButtonRect = Rect{};
  // Closed before the redraw, which would otherwise draw the faces on the bare board.
  diceChooser.chooseDiceOpen = 0;
  hook::redrawBoardPicture();
  if (flow.abortTurn != 0) {
    removeDice();
    return;
  }
  const bool pair = D.dice[0].value == D.dice[1].value;
  if (pair && position.openingPhase == 0 && flow.turnNumber == 1 && settings.rerollFirstRoll != 0) {
    D.handChosenOpeningDouble = -1;
    drawDiceBackground();
    position.openingPhase = 0;
  }
  flow.movesAllowed = kPartMovesOfPlainRoll;
  flow.movesLeft = kPartMovesOfPlainRoll;
  // Every value of the roll is set: the set-up's panel follows whatever roll came before.
  D.dice[2].value = 0;
  D.dice[3].value = 0;
  if (pair) {
    D.rolledDoubles = -1;
    flow.movesAllowed = kPartMovesOfTurn;
    flow.movesLeft = kPartMovesOfTurn;
    D.dice[2].value = D.dice[1].value;
    D.dice[3].value = D.dice[1].value;
  }
  for (int16_t n = 0; n <= 3; ++n) D.rolledDice[n] = D.dice[n].value;
  if (D.diceShowing != 0) {
    if (pair) drawDiceBackground();
    showRolledDice();
  } else {
    redrawDice();
  }
}

}  // namespace bg
