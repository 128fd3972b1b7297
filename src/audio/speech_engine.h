#pragma once
// The text-to-speech engine behind the one speech channel: its voices by number (1 to
// count), a channel opened on one voice, and asynchronous speaking with busy and stop.
// The system engine is espeak-ng; tests install a recording engine. Statuses are 0 for
// success, otherwise negative.
#include <cstdint>
#include <string_view>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int kNoSpeechStatus = -240;     // no speech on this system
inline constexpr int kVoiceNotFoundStatus = -244;
inline constexpr int kSpeechFailedStatus = -245;

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
  // 0 when speech can be used, otherwise kNoSpeechStatus.
  virtual int available() = 0;
  virtual int16_t countVoices() = 0;
  // The name of voice v; a status when there is no such voice.
  virtual int describeVoice(int16_t v, Str255& name) = 0;
  virtual int openChannel(int16_t v) = 0;
  virtual void closeChannel() = 0;
  // Starts speaking and returns at once; a status when the text cannot be spoken.
  virtual int speak(std::string_view text) = 0;
  virtual bool busy() = 0;
  virtual void stop() = 0;
};

// Installs the engine; nullptr restores the system engine. Returns the previous one.
SpeechEngine* setSpeechEngine(SpeechEngine* engine);
SpeechEngine& speechEngine();

}  // namespace bg
