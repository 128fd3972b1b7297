// The system device and engine on SDL's dummy driver: the sounds load and play with no
// sound card, and espeak-ng synthesises the text into a buffer for the speech slot.
#include <cstdlib>

#include "audio/espeak_speech_engine.h"
#include "audio/sdl_sound_device.h"
#include "audio/sound_effects.h"
#include "audio_fixture.h"
#include "runtime/qt/resources.h"
#include "state/settings.h"

namespace bg::testing {
namespace {

TEST_F(AudioTest, SystemDeviceOnTheDummyDriverPlaysSilently) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setSoundDevice(&systemSoundDevice());
  initSoundTable();
  setSoundOption(5, true);
  soundPlay(3);
  EXPECT_TRUE(soundIsPlaying(3));
  soundStop(3);
  EXPECT_FALSE(soundIsPlaying(3));
  EXPECT_FALSE(systemSoundDevice().load(kTraySound, "not a wav file"));
  playSound(kTraySound);  // an empty slot plays nothing
  EXPECT_FALSE(soundIsPlaying(kTraySound));
}

TEST_F(AudioTest, EspeakSpeaksIntoTheSpeechSlot) {
  SpeechEngine& espeak = systemSpeechEngine();
  if (espeak.available() != 0) GTEST_SKIP() << "espeak-ng data not installed";
  Str255 name;
  ASSERT_EQ(espeak.describeVoice(1, name), 0);
  EXPECT_EQ(name, "Bruce");
  ASSERT_GT(espeak.countVoices(), 5);
  for (int16_t v : {int16_t{1}, int16_t{4}, espeak.countVoices()}) EXPECT_EQ(espeak.openChannel(v), 0) << v;
  EXPECT_NE(espeak.openChannel(static_cast<int16_t>(espeak.countVoices() + 1)), 0);
  ASSERT_EQ(espeak.openChannel(1), 0);
  ASSERT_EQ(espeak.speak("you rolled a 5 and a 3"), 0);
  const std::string& wav = device.loaded[kSpeechSlot];
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_GT(wav.size(), 20000u);  // about a second of speech
  EXPECT_TRUE(espeak.busy());
  espeak.stop();
  EXPECT_FALSE(espeak.busy());
}

}  // namespace
}  // namespace bg::testing
