#pragma once
// The message line: one line of text in a small framed box over the strip above the
// field. displayMessage shows interaction.messageText and/or interaction.messageNumber,
// keeping the board pixels under the box, and hands the text to speech; clearMessageLine
// puts the pixels back.
#include <cstdint>

#include "display/message_text.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"

namespace bg {

struct MessageLineState {
  int16_t messageLength = 0;
  MessageRepeatRecord lastMessageRecord;
  int16_t messageLineShown = 0;  // -1 while a message is on the line
  int16_t holdMessageLine = 0;   // not 0: clearMessageLine leaves the line alone
  int16_t keepRollMessage = 0;   // -1: the roll stage keeps its notice on the line
  Rect messageLineRect;
  PicHandle messageLinePicture = nullptr;
  Rect messageScratchRect;
  GWorldPtr messageScratchWorld = nullptr;
};
extern MessageLineState messageLine;

// Speech settings the message line reads; the speech subsystem owns them.
struct SpeechState {
  int16_t speechOn = 0;            // -1 while a voice is chosen
  Str255 voiceName;
  int16_t waitForSpeechEnd = 0;    // -1: the next message waits for its speech
  int16_t speakNextMessage = 0;    // -1: the next message is spoken even as a quick repeat
  int16_t skipNextSpeech = 0;      // -1: the next message is not spoken (the flag is cleared instead)
};
extern SpeechState speech;

// Board interaction values the message line reads and clears.
struct InteractionDisplayState {
  int16_t clickedPoint = 40;  // the last board click's code; 40 no click yet
  Str255 keyBuffer;           // typed command letters
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
