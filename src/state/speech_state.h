#pragma once
// Flags of the speech that the rules and the computer set for the next message, and the
// chosen voice that the message line and the preferences read.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

struct SpeechState {
  int16_t speechOn = 0;          // -1 while messages are spoken
  int16_t speakNextMessage = 0;  // -1: the next message is spoken
  int16_t waitForSpeechEnd = 0;  // -1: the next message waits for the speech to finish
  Str255 voiceName = "Bruce";    // VOICENAME: the chosen voice, "Speech Off" when none
};

extern SpeechState speech;

}  // namespace bg
