#pragma once
// Speech: the voice menu (menu 13) built from the installed voices, the stored voice
// chosen at start-up, one speech channel for the chosen voice, and texts spoken through
// it with waits of at most 5 seconds on the monotonic clock.
//
// Menu 13 holds "Speech Off" as item 1; voice v is item v + 1. The voices are appended
// with setMenuItemState(13, v + 1, enabled, name): an item one past the end is appended.
#include <cstdint>
#include <string_view>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kVoiceMenu = 13;
inline constexpr int16_t kSpeechOffItem = 1;
inline constexpr std::string_view kSpeechOffName = "Speech Off";
inline constexpr int16_t kVoiceCountFailed = 999;  // describing a voice failed

struct SpeechChannelState {
  int16_t channelOpen = 0;  // -1 while the speech channel is open
  int16_t voiceSpec = 0;    // the voice number the channel is opened for
  int16_t voiceIndex = 1;   // the checked item of menu 13
  int16_t pendingVoiceIndex = 1;
  int16_t firstVoiceItem = 1;
  int16_t voiceCount = 0;
  int16_t speechUsable = 0;  // -1: speech is available and a test channel opened
  int16_t suppressVoiceGreeting = 0;
  Str255 speechTextCopy;  // the text last handed to the channel
};
extern SpeechChannelState speechChannel;

// Start-up: the voice menu, then the stored voice without a greeting.
void initSpeech();
void buildVoiceMenuAtStart();
int16_t buildVoiceMenuTestChannel();
// Appends the voices again when the submenus are installed again (needs an open channel).
void buildVoiceMenu();
void selectSpeechVoice();
// Moves the check of menu 13 to pendingVoiceIndex and opens its voice.
void applyVoiceChoice();
void selectVoice();
void speakText(std::string_view text);
int speechAvailable();
void getIndexedVoice(int16_t n);
int16_t findVoiceByName(std::string_view name, int16_t count);
// The channel is closed at quit.
void releaseSpeechChannel();

}  // namespace bg
