#include "display/message_line.h"

#include <string>

#include "state/program_state.h"

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "display/upper_services.h"
#include "state/board_input.h"
#include "state/interaction_state.h"
#include "state/rollout_state.h"
#include "state/speech_state.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/display_state.h"

namespace bg {

MessageLineState messageLine;
BG_RESETS_WITH_PROGRAM(messageLine);
MessageSpeechState messageSpeech;
BG_RESETS_WITH_PROGRAM(messageSpeech);
InteractionDisplayState interactionDisplay;
BG_RESETS_WITH_PROGRAM(interactionDisplay);

namespace {

constexpr std::string_view kRetiredVoice = "MacinTalk1";

void boardTextStyle(int16_t face, int16_t mode) {
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(face);
  textMode(mode);
}

// The character limit comes from the width of "t", narrow in the board font: a text of
// wide letters is cut further, whole characters at a time, to stay inside the field.
void fitTextToField() {
  const int room = layout.fieldRight - layout.fieldLeft - 2 * layout.textSize;
  std::string text = interaction.messageText.str();
  while (!text.empty() && stringWidth(text) > room) {
    // The last character: its continuation bytes, then its first byte.
    while ((static_cast<unsigned char>(text.back()) & 0xC0) == 0x80 && text.size() > 1) text.pop_back();
    text.pop_back();
  }
  interaction.messageText.assign(text);
  messageLine.messageLength = static_cast<int16_t>(interaction.messageText.len());
}

}  // namespace

void formatMessageText() {
  MessageRepeatRecord& record = messageLine.lastMessageRecord;
  record.speakFlag = 255;
  const int16_t number = interaction.messageNumber;
  if (number != kNoMessage) noteNumberedMessage(record, number, interaction.clickedPoint, secondsToday());
  interaction.messageText = composeMessageText(interaction.messageText.view(), number,
                                               messageTextOf(number).view(), layout.messageMaxLength);
  messageLine.messageLength = static_cast<int16_t>(interaction.messageText.len());
}

void displayMessage() {
  if (rolloutPlaysUnattended()) {
    interaction.messageText.clear();
    interaction.messageNumber = kNoMessage;
    return;
  }
  if (interaction.messageText == kFreeTextMarker) {
    interaction.messageText.clear();
    return;
  }
  boardInput.holdMessageLine = 0;
  clearMessageLine(0);
  formatMessageText();
  messageLine.messageLineShown = -1;
  messageLine.lineText = interaction.messageText;
  messageLine.shownAtUs = microseconds();

  GrafPtr window = windowPort(kBoardWindow);
  if (window != nullptr) {
    const GrafPtr saved = getPort();
    setPort(window);
    const bool pictureBoard = display.boardColor == kPictureBoard;
    const int16_t shadowX = layout.panelShadowX;
    const int16_t shadowY = layout.panelShadowY;
    layout.panelShadowX = reducedShadow(shadowX);
    layout.panelShadowY = reducedShadow(shadowY);
    boardTextStyle(0, srcOr);
    fitTextToField();
    const MessageBoxMeasures measures{display.boardWidth,       layout.fieldTop,         layout.textSize,
                                      layout.panelMargin,      layout.panelShadowX,     layout.panelShadowY,
                                      pictureBoard,            boardState.textStripTop, boardState.textStripHeight};
    const Rect box = messageLineBox(stringWidth(interaction.messageText.view()), measures);
    messageLine.messageLineRect = box;

    rgbForeColor(kBlackRGB);
    messageLine.messageScratchRect = makeRect(0, 0, box.width(), box.height());
    messageLine.messageScratchWorld = newOffscreenWorld(messageLine.messageScratchRect);
    copyOffscreenToWindow(window, messageLine.messageScratchWorld, box, messageLine.messageScratchRect);

    messageLine.messageLinePicture = openPicture(box);
    // The picture board's line has no box of its own: what the strip holds under it (a name
    // label) would show through the text.
    if (pictureBoard)
      copyOffscreenToWindow(boardImages.boardWorld, window, box, box);
    else
      drawMessageFrame();
    layout.panelShadowX = shadowX;
    layout.panelShadowY = shadowY;
    boardTextStyle(0, srcOr);
    const Point pen = messageTextPen(box, measures);
    if (pictureBoard)
      rgbForeColor(kWhiteRGB);
    else
      roleForeColor(roles.panelTextColor);
    moveTo(pen.h, pen.v);
    drawString(interaction.messageText.view());
    closePicture();
    if (messageLine.messageLinePicture != nullptr) drawPicture(messageLine.messageLinePicture, box);
    flushWindow(kBoardWindow);
    setPort(saved);
  }
  showAndSpeakMessage();
}

void showAndSpeakMessage() {
  if (GrafPtr window = windowPort(kBoardWindow)) {
    const GrafPtr saved = getPort();
    setPort(window);
    boardTextStyle(shellWindow.textFace, srcCopy);
    setPort(saved);
  }
  speakMessageLine();
  interaction.messageText.clear();
  interaction.messageNumber = kNoMessage;
}

void speakMessageLine() {
  const bool forced = speech.speakNextMessage != 0;
  speech.speakNextMessage = 0;
  if (messageLine.lastMessageRecord.speakFlag == 0 && !forced) return;
  const Str255 spoken(lowerS(interaction.messageText.view()));
  interaction.messageText.clear();
  if (messageSpeech.skipNextSpeech != 0) {
    messageSpeech.skipNextSpeech = 0;
  } else if (speech.speechOn != 0) {
    const int16_t number = interaction.messageNumber;
    const bool speakable = number == kNoMessage || messageTables.messageTable2[number].empty();
    if (speech.voiceName == kRetiredVoice)
      upperServices.macintalkNotSupported(spoken.view());
    else if (speakable)
      upperServices.speakText(spoken.view());
  }
  speech.waitForSpeechEnd = 0;
}

void clearMessageLine(int16_t /*flag*/) {
  if (messageLine.messageLineShown != -1) return;
  if (boardInput.holdMessageLine != 0) return;
  interactionDisplay.keyBuffer.clear();
  if (GrafPtr window = windowPort(kBoardWindow)) {
    const GrafPtr saved = getPort();
    setPort(window);
    clipRect(layout.boardRect);
    copyOffscreenToWindow(messageLine.messageScratchWorld, window, messageLine.messageScratchRect,
                          messageLine.messageLineRect);
    setPort(saved);
  }
  disposeOffscreenWorld(messageLine.messageScratchWorld);
  messageLine.messageLineShown = 0;
  messageLine.lineText.clear();
  killPicture(messageLine.messageLinePicture);
  messageLine.messageLinePicture = nullptr;
  flushWindow(kBoardWindow);
  boardInput.keepRollMessage = 0;
}

void redrawMessageLine() {
  if (messageLine.messageLineShown != -1 || messageLine.messageLinePicture == nullptr) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  drawPicture(messageLine.messageLinePicture, messageLine.messageLineRect);
  setPort(saved);
}

}  // namespace bg
