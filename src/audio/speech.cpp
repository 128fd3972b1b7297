#include "audio/speech.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "audio/audio_services.h"
#include "audio/speech_engine.h"
#include "audio/speech_errors.h"
#include "audio/voice_aliases.h"
#include "flow/turn_services.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/core/shutdown.h"
#include "state/cube_state.h"
#include "state/interaction_state.h"
#include "state/program_state.h"
#include "state/shell_services.h"
#include "state/speech_state.h"

namespace bg {

SpeechChannelState speechChannel;
BG_RESETS_WITH_PROGRAM(speechChannel);

namespace {

constexpr std::uint64_t kSpeechWaitLimitUs = 5'000'000;  // on the monotonic clock
constexpr std::uint64_t kSpeechLookUs = 10'000;          // between looks at a speaking channel
constexpr double kAfterSpeakingPause = 0.5;
constexpr int16_t kSpeechFailedMessage = 217;
constexpr int16_t kCantGetVoiceError = 3;
constexpr int16_t kCantCreateChannelError = 5;
constexpr std::string_view kStuckSpeechText = "Speech is having a problem finishing saying:";

void showSpeechError(int16_t errorNumber, int status) {
  hook::showSpeechNotice(speechErrorText(errorNumber, status));
}

// Appends voices 1..count to menu 13; the count becomes 999 when one cannot be described.
int16_t appendVoices(int16_t count) {
  int16_t result = count;
  for (int16_t v = 1; v <= count; ++v) {
    Str255 name;
    if (speechEngine().describeVoice(v, name) == 0)
      hook::setMenuItemState(kVoiceMenu, static_cast<int16_t>(v + 1), kItemEnabled, name.view());
    else
      result = kVoiceCountFailed;
  }
  return result;
}

// Waits while the channel speaks; after 5 seconds stops it and quotes the text. The
// engine tells nobody when it falls idle: it is looked at between short sleeps, the
// window's events taken at each look, rather than spinning a processor on it.
void waitForSpeechChannel(std::string_view quoted) {
  const std::uint64_t start = microseconds();
  while (speechEngine().busy()) {
    hook::pollEvents();
    const std::uint64_t waited = microseconds() - start;
    if (waited >= kSpeechWaitLimitUs) {
      speechEngine().stop();
      hook::showSpeechNotice(std::string(kStuckSpeechText) + "\r\r'" + std::string(quoted) + "'");
      return;
    }
    delayMs(static_cast<std::int64_t>(std::min(kSpeechLookUs, kSpeechWaitLimitUs - waited) / 1000));
  }
}

}  // namespace

int speechAvailable() { return speechEngine().available(); }

int16_t buildVoiceMenuTestChannel() {
  speechChannel.speechUsable = 0;
  if (speechAvailable() != 0) return 0;
  speechChannel.speechUsable = -1;
  SpeechEngine& engine = speechEngine();
  Str255 first;
  if (engine.describeVoice(1, first) != 0 || engine.openChannel(1) != 0) {
    speechChannel.speechUsable = 0;
    return 0;
  }
  const int16_t count = appendVoices(engine.countVoices());
  engine.closeChannel();
  return count;
}

void buildVoiceMenuAtStart() {
  speechChannel.firstVoiceItem = 1;
  speechChannel.voiceCount = buildVoiceMenuTestChannel();
}

void buildVoiceMenu() {
  if (speechChannel.channelOpen == 0 || speechAvailable() != 0) return;
  appendVoices(speechEngine().countVoices());
}

void getIndexedVoice(int16_t n) {
  Str255 name;
  const int status = speechEngine().describeVoice(n, name);
  if (status != 0) {
    showSpeechError(kCantGetVoiceError, status);
    return;
  }
  speechChannel.voiceSpec = n;
  speech.voiceName = name;
}

int16_t findVoiceByName(std::string_view name, int16_t count) {
  int16_t v = 1;
  do {
    Str255 found;
    const int status = speechEngine().describeVoice(v, found);
    if (status != 0)
      showSpeechError(kCantGetVoiceError, status);
    else if (found == name)
      return v;
    ++v;
  } while (v <= count);
  return 0;
}

void selectSpeechVoice() {
  SpeechChannelState& s = speechChannel;
  if (s.voiceCount == kVoiceCountFailed) speech.voiceName = kSpeechOffName;
  int16_t item = kSpeechOffItem;
  if (speech.voiceName.empty()) {
    // The preferred voices, in the alias table's order.
    for (int16_t k = 0; k < kVoiceAliasCount && s.speechUsable != 0; ++k) {
      const int16_t v = findVoiceByName(kVoiceAliases[k].name, s.voiceCount);
      if (v != 0) {
        item = static_cast<int16_t>(v + 1);
        getIndexedVoice(v);
        break;
      }
    }
  } else if (speech.voiceName != kSpeechOffName && s.speechUsable != 0) {
    item = static_cast<int16_t>(findVoiceByName(speech.voiceName.view(), s.voiceCount) + 1);
  }
  if (item == kSpeechOffItem) speech.voiceName = kSpeechOffName;
  speech.speechOn = -1;
  s.pendingVoiceIndex = item;
  s.voiceIndex = kSpeechOffItem;
  s.suppressVoiceGreeting = -1;
  applyVoiceChoice();
  s.suppressVoiceGreeting = 0;
}

void initSpeech() {
  static const bool releaseAtQuit = [] {
    addShutdownHook(releaseSpeechChannel);
    return true;
  }();
  (void)releaseAtQuit;
  buildVoiceMenuAtStart();
  selectSpeechVoice();
}

void applyVoiceChoice() {
  hook::setMenuItemState(kVoiceMenu, speechChannel.voiceIndex, kItemEnabled, "");
  speechChannel.voiceIndex = speechChannel.pendingVoiceIndex;
  selectVoice();
  hook::setMenuItemState(kVoiceMenu, speechChannel.voiceIndex, kItemChecked, "");
}

void releaseSpeechChannel() {
  if (speechChannel.channelOpen == 0) return;
  speechEngine().closeChannel();
  speechChannel.channelOpen = 0;
}

void selectVoice() {
  SpeechChannelState& s = speechChannel;
  releaseSpeechChannel();
  if (s.voiceIndex == kSpeechOffItem) {
    speech.speechOn = 0;
    speech.voiceName = kSpeechOffName;
  } else {
    speech.speechOn = -1;
    getIndexedVoice(static_cast<int16_t>(s.voiceIndex - 1));
    const int status = speechEngine().openChannel(s.voiceSpec);
    if (status != 0)
      showSpeechError(kCantCreateChannelError, status);
    else
      s.channelOpen = -1;
  }
  if (s.voiceIndex > kSpeechOffItem && s.suppressVoiceGreeting == 0 && s.voiceIndex >= s.firstVoiceItem) {
    speakText(std::string("Hi, I am ") + std::string(speech.voiceName.view()) + ".");
    speakText(" ");
  }
}

void speakText(std::string_view text) {
  SpeechChannelState& s = speechChannel;
  hook::pollEvents();
  waitForSpeechChannel(s.speechTextCopy.view());
  s.speechTextCopy = text;
  const int status = s.channelOpen != 0 ? speechEngine().speak(text) : kSpeechFailedStatus;
  hook::pauseSeconds(kAfterSpeakingPause);
  if (status != 0) {
    hook::showSpeechNotice(messageWordsOf(kSpeechFailedMessage).view());
    s.pendingVoiceIndex = kSpeechOffItem;
    applyVoiceChoice();
  } else if (hand.pieceInHand != -1 && cube.doublePending != -1 && speech.waitForSpeechEnd != 0) {
    waitForSpeechChannel(s.speechTextCopy.view());
  }
  speech.waitForSpeechEnd = 0;
}

}  // namespace bg
