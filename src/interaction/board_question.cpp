#include "interaction/board_question.h"

#include <algorithm>
#include <cmath>

#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "display/turn_arrow.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_waits.h"
#include "rules/dice.h"
#include "rules/take_back.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_command_services.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

RollOverState rollOver;
BG_RESETS_WITH_PROGRAM(rollOver);

namespace {

constexpr int16_t kHeaderRolledOver = 0x100;  // header flag: a roll-over was made this game
constexpr int16_t kDoubleReplays = 5;          // recorded rolls a double's roll-over erases
constexpr uint8_t kRolledOver = 255;
constexpr char kUndoDoubleFirst[] = "MMCan't Do That Now - Undo Double First";
constexpr char kNotTheOpeningRoll[] = "MMThe Opening Roll Can't Be Rolled Over";

int16_t trunc16(double v) { return static_cast<int16_t>(std::trunc(v)); }

void boardTextStyle() {
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
}

void drawLabel(const Rect& button, const char* text, int16_t width, int16_t extra) {
  const int16_t bh = static_cast<int16_t>(button.bottom - button.top);
  moveTo(button.left + (width - stringWidth(text)) / 2 + extra, button.bottom - (bh - layout.textSize) / 2 - 1);
  drawString(text);
}

}  // namespace

void drawBoardQuestion() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  boardTextStyle();
  const BoardLayout& L = layout;
  const int16_t bw = trunc16(stringWidth("Yes") * 1.7 + 9.0);
  const int16_t bh = trunc16(bw * 0.5);
  const int16_t boxHeight = trunc16(L.textSize * 1.6 + bh * 2.3);
  const Str255 first = interaction.messageLines[1];
  const int16_t boxWidth = std::max<int16_t>(
      static_cast<int16_t>(3 * bw), trunc16(2 * L.textSize + stringWidth(first.str()) + L.panelShadowY * 1.02));
  offscreen.messageBoxFixedSize = -1;
  offscreen.messageBoxWidth = boxWidth;
  offscreen.messageBoxHeight = boxHeight;
  overlay.messageBoxSeconds = 0;
  interaction.messageLines[1] = " ";
  drawOverlayMessage();
  interaction.messageLines[1] = first;
  const Rect box = offscreen.messageBoxRect;
  setPort(window);
  boardTextStyle();
  drawFramedText(first.str(), static_cast<int16_t>(box.top + boxHeight / 3), box.left, box.right);

  InteractionDisplayState& ui = interactionDisplay;
  const int16_t top = trunc16(box.bottom - (bh * 1.4 + 0.5));
  const int16_t yesLeft = static_cast<int16_t>(box.left + boxWidth / 9);
  const int16_t noLeft = static_cast<int16_t>(box.left + box.right - yesLeft - bw - 2);
  ui.yesButtonRect = makeRect(yesLeft, top, yesLeft + bw, top + bh);
  ui.noButtonRect = makeRect(noLeft, top, noLeft + bw, top + bh);
  ui.middleButtonRect = makeRect(yesLeft + bw + 2, top, noLeft - 2, top + bh);
  drawRoundButton(ui.yesButtonRect, 0);
  drawRoundButton(ui.noButtonRect, 0);
  setPort(window);
  boardTextStyle();
  setDrawColor(roles.panelTextColor);
  drawLabel(ui.yesButtonRect, "Yes", bw, 0);
  drawLabel(ui.noButtonRect, "No", bw, 2);
  penNormal();
  // The recording of the box ends with its buttons, so a full redraw shows them too; the
  // recording drew nothing on the window, so the box is drawn from it now.
  closePicture();
  if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  panelWait.questionDrawn = -1;
  flushWindow(kBoardWindow);
  setPort(saved);
}

void askRollOver() {
  if (panelWait.questionPanelUp == -1) return;
  interaction.messageLines[1] = messageWordsOf(kRollAgainMessage);
  interaction.messageLines[2].clear();
  interaction.messageLines[3].clear();
  interaction.messageLineCount = 3;
  drawBoardQuestion();
  waitForBoardClick();
  closeBoardOverlay();
}

void handleMessageAreaClick() {
  if (boardHit.hitMessageArea == 0) {
    // Beside the field: the help zone, the same as the help key.
    if (boardHit.requestHelp != 0 && !hook::helpTextShowing()) hook::showContextHelp();
    return;
  }
  if (messageLine.messageLineShown == -1) {
    if (hand.pieceInHand == 0) hook::clearMessageLine(0);
  } else if (boardHit.hitRollOverMarker != 0) {
    rollOverRequest();
  }
}

void rollOverRequest() {
  const int16_t side = position.currentPlayer;
  if (options.rollOverOnce == 0 || interaction.playerRolledOver[side] != 0) return;
  const bool rollInHand = diceState.diceShowing == -1 && flow.movesLeft == flow.movesAllowed;
  // The dice not yet thrown, the opening over.
  const bool beforeTheRoll = diceState.diceShowing == 0 && position.openingPhase == 0;
  // The roll-over is a take-back, and the game's first roll has nothing before it to go
  // back to: a Yes would do nothing. The opening roll has its own option to roll again.
  if ((rollInHand || beforeTheRoll) && record.gameRecordCount < 1) {
    interaction.messageText = kNotTheOpeningRoll;
    hook::displayMessage();
    return;
  }
  if (rollInHand) {
    askRollOver();
    if (interaction.panelAnswer == 0) return;
    rollOverExecute();
    record.gameRecord[0].flags = static_cast<int16_t>(record.gameRecord[0].flags | kHeaderRolledOver);
  } else if (beforeTheRoll) {
    if (record.gameRecord[record.gameRecordCount].cubeValue >= 1) {
      interaction.messageText = kUndoDoubleFirst;
      hook::displayMessage();
      return;
    }
    askRollOver();
    if (interaction.panelAnswer == 0) return;
    rollOver.rollOverForMover = kRolledOver;
    removeDice();
    rollOverExecute();
    rollOver.rollOverForMover = 0;
  }
}

void rollOverExecute() {
  interaction.takeBackPending = 1;
  const GameRecordEntry noted = record.gameRecord[record.gameRecordCount];
  takeBack();
  if (interaction.takeBackPending != 0) return;
  const int16_t who = rollOver.rollOverForMover != 0 ? position.currentPlayer : position.otherPlayer;
  interaction.playerRolledOver[who] = kRolledOver;
  // The recorded rolls ahead would be replayed: they go, up to the record's last entry.
  const int16_t count = record.gameRecordCount;
  const int16_t span = noted.die1 == noted.die2 ? kDoubleReplays : int16_t{1};
  for (int n = count + 1; n <= count + span && n <= kGameRecordHighest; ++n) {
    GameRecordEntry& e = record.gameRecord[n];
    e.die1 = 0;
    e.die2 = 0;
    e.side = kEmptyEntrySide;
  }
  if (count + 1 <= kGameRecordHighest)
    record.gameRecord[count + 1].flags = static_cast<int16_t>(record.gameRecord[count + 1].flags | kFlagRolledOver);
  hook::clearMessageLine(0);
  removeDice();
  clearRollOverMark();
}

}  // namespace bg
