#pragma once
// A recording sound device and speech engine, installed with a virtual clock; menu marks
// and notices are recorded.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "audio/audio_services.h"
#include "audio/sound_device.h"
#include "audio/speech_engine.h"
#include "runtime/core/clock.h"
#include "state/program_state.h"
#include "state/shell_services.h"

namespace bg::testing {

struct RecordingDevice final : SoundDevice {
  std::vector<std::string> events;  // "play 3", "stop 0"
  std::map<int16_t, std::string> loaded;
  std::map<int16_t, float> volumes;
  std::map<int16_t, bool> playing;
  bool keepPlaying = true;  // a started sound plays until stopped
  bool load(int16_t slot, std::string_view bytes) override { return !(loaded[slot] = bytes).empty(); }
  void play(int16_t slot) override { events.push_back("play " + std::to_string(slot)), playing[slot] = keepPlaying; }
  void stop(int16_t slot) override { events.push_back("stop " + std::to_string(slot)), playing[slot] = false; }
  bool isPlaying(int16_t slot) override { return playing[slot]; }
  void setVolume(int16_t slot, float volume) override { volumes[slot] = volume; }
};

struct RecordingEngine final : SpeechEngine {
  std::vector<std::string> voices;  // voice v is voices[v - 1]
  std::vector<std::string> spoken;
  int stops = 0;
  bool stuck = false;  // the channel never falls idle
  bool failSpeak = false;
  int available() override { return voices.empty() ? kNoSpeechStatus : 0; }
  int16_t countVoices() override { return static_cast<int16_t>(voices.size()); }
  int describeVoice(int16_t v, Str255& name) override {
    return v < 1 || v > countVoices() ? kVoiceNotFoundStatus : (name = std::string_view(voices[v - 1]), 0);
  }
  int openChannel(int16_t v) override { return v >= 1 && v <= countVoices() ? 0 : kVoiceNotFoundStatus; }
  void closeChannel() override {}
  int speak(std::string_view text) override { return failSpeak ? kSpeechFailedStatus : (spoken.emplace_back(text), 0); }
  bool busy() override { return stuck; }
  void stop() override { ++stops; }
};

inline std::vector<std::string> menuMarks;  // "24 3 2", "13 2 1 Alex"
inline std::vector<std::string> notices;

class AudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    installRecorders();
    previousDevice_ = setSoundDevice(&device);
    previousEngine_ = setSpeechEngine(&engine);
  }
  void TearDown() override { setSoundDevice(previousDevice_), setSpeechEngine(previousEngine_); }
  SoundDevice* previousDevice_ = nullptr;
  SpeechEngine* previousEngine_ = nullptr;
  static void installRecorders() {
    menuMarks.clear();
    notices.clear();
    shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t state, std::string_view text) {
      menuMarks.push_back(std::to_string(menu) + " " + std::to_string(item) + " " + std::to_string(state) +
                          (text.empty() ? "" : " " + std::string(text)));
    };
    audioServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  }
  // Seconds of the virtual clock that a call takes.
  template <typename F>
  double secondsOf(F call) {
    const std::uint64_t start = clock_.clock.now();
    call();
    return static_cast<double>(clock_.clock.now() - start) / 1e6;
  }
  RecordingDevice device;
  RecordingEngine engine;
  UseVirtualClock clock_;
};

}  // namespace bg::testing
