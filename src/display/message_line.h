#pragma once
// The message line: one line of text in a small framed box over the strip above the
// field. displayMessage shows interaction.messageText and/or interaction.messageNumber,
// keeping the board pixels under the box, and hands the text to speech; clearMessageLine
// puts the pixels back. The flags that hold the line are the flow's, in boardInput.
#include <cstdint>

#include "display/message_text.h"
#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"

namespace bg {

struct MessageLineState {
  int16_t messageLength = 0;
  MessageRepeatRecord lastMessageRecord;
  int16_t messageLineShown = 0;  // -1 while a message is on the line
  Str255 lineText;               // the text on the line while it is shown
  Rect messageLineRect;
  PicHandle messageLinePicture = nullptr;
  Rect messageScratchRect;
  GWorldPtr messageScratchWorld = nullptr;
  uint64_t shownAtUs = 0;  // when the message on the line was put up (microseconds)
};
extern MessageLineState messageLine;

// The speech value the message line keeps besides the speech flags and the chosen voice
// (speech in state/speech_state.h): the flag that skips the next message.
struct MessageSpeechState {
  int16_t skipNextSpeech = 0;  // -1: the next message is not spoken (the flag is cleared instead)
};
extern MessageSpeechState messageSpeech;

// Board interaction values the display reads: the typed-key buffer the message line
// clears, and the panel buttons that button tracking hit-tests.
struct InteractionDisplayState {
  Str255 keyBuffer;  // typed command letters
  Rect doneButtonRect;
  int16_t doneButtonShown = 0;
  Rect yesButtonRect;
  Rect noButtonRect;
  Rect middleButtonRect;
  int16_t middleButtonActive = 0;
  int16_t whoseRollWaiting = 0;  // -1 while the set-up's "Whose Roll?" chooser waits
  int16_t whoseCubeWaiting = 0;  // -1 while its "Whose Cube?" chooser waits
  Point mousePoint;
  int16_t trayPickUp = 0;   // -1 while a checker is taken back out of a tray
  int16_t checkerPickedUp = 0;   // -1 right after move entry picked a checker up
  int16_t pickingUpChecker = 0;  // -1 while move entry lifts checkers into the hand
  CheckedArray<int16_t, 9> pickedCheckers{};  // [1..9] from-points of the held checkers
  int16_t firstPanelRound = 0;
  uint8_t boardInputEvent = 0;   // 255 ends a wait for a board click
};
extern InteractionDisplayState interactionDisplay;

void displayMessage();
// The flag is passed by callers but not acted on: a held line stays whatever it says.
void clearMessageLine(int16_t flag = 0);
void formatMessageText();
void showAndSpeakMessage();
void speakMessageLine();
// Draws the kept message picture again (used by the redraw while a message is shown).
void redrawMessageLine();

}  // namespace bg
