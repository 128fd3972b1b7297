#pragma once
// Flags of the speech that the rules and the computer set for the next message.
#include <cstdint>

namespace bg {

struct SpeechState {
  int16_t speechOn = 0;          // -1 while messages are spoken
  int16_t speakNextMessage = 0;  // -1: the next message is spoken
  int16_t waitForSpeechEnd = 0;  // -1: the next message waits for the speech to finish
};

extern SpeechState speech;

}  // namespace bg
