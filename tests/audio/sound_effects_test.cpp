#include "audio/sound_effects.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/sdl_sound_device.h"
#include "audio_fixture.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/speech_state.h"

namespace bg::testing {
namespace {

using SoundEffects = AudioTest;

TEST_F(SoundEffects, MenuLevelsVolumesAndCheckMark) {
  struct Row { int16_t level; uint8_t on; int16_t kept; float volume; };
  // Level 0 (item 1) turns sound off and keeps level 4; outside 1..10 the volume is clamped.
  const Row rows[] = {{1, 255, 1, 0.1f}, {6, 255, 6, 0.6f}, {10, 255, 10, 1.0f}, {12, 255, 12, 1.0f},
                      {4, 255, 4, 0.4f}, {0, 0, 4, 0.1f},    {-3, 0, 4, 0.1f}};
  for (const Row& row : rows) {
    menuMarks.clear();
    setSoundOption(row.level, true);
    EXPECT_EQ(settings.soundOptions.soundOn * 100 + settings.soundOptions.soundLevel, row.on * 100 + row.kept);
    for (int16_t n = 0; n < kSoundSlots; ++n) EXPECT_FLOAT_EQ(device.volumes[n], row.volume) << row.level;
    ASSERT_EQ(menuMarks.size(), 11u);
    const int16_t checked = row.on != 0 ? row.level + 1 : 1;
    for (int16_t item = 1; item <= 11; ++item)
      EXPECT_EQ(menuMarks[item - 1], "24 " + std::to_string(item) + (item == checked ? " 2" : " 1"));
  }
}

TEST_F(SoundEffects, PieceSoundFollowsTheCheckerStep) {
  struct Row { int16_t to, bearingOff, side, left, sound; };
  const Row rows[] = {{0, 0, 1, 15, 1},   {25, 0, 0, 15, 1},  {7, 0, 0, 15, 0},   {24, 0, 1, 15, 0},
                      {-1, -1, 0, 14, 1}, {-1, -1, 1, 14, 1}, {-1, -1, 0, 13, 2}, {-1, -1, 1, 0, 2}};
  for (const Row& row : rows) {
    std::tie(hand.moveToPoint, display.bearingOffPiece) = std::tie(row.to, row.bearingOff);
    display.movingPieceSide = row.side;
    position.piecesOnBoard[row.side] = row.left;
    position.piecesOnBoard[1 - row.side] = 14 - row.left;  // the other side's count must not matter
    playPieceSound();
    EXPECT_EQ(device.events.back(), "play " + std::to_string(row.sound)) << row.to << " " << row.left;
  }
}

TEST_F(SoundEffects, AlertOnlyWithSoundOnAndSpeechOffAndNothingWithSoundOff) {
  const std::tuple<uint8_t, int16_t, bool> rows[] = {{255, 0, 1}, {255, -1, 0}, {0, 0, 0}};
  for (auto [on, speechOn, plays] : rows) {
    device.events.clear();
    settings.soundOptions.soundOn = on;
    speech.speechOn = speechOn;
    playAlertSound();
    if (on == 0) playSound(3), playPieceSound();
    EXPECT_EQ(device.events, (plays ? std::vector<std::string>{"stop 0", "play 7"} : std::vector<std::string>{}));
  }
}

TEST_F(SoundEffects, DiceSoundsHoldTheGameAtMostTheirWait) {
  initSoundTable();
  const std::tuple<int16_t, double, bool> rows[] = {{3, 1.5, true}, {4, 0.5, true}, {0, 0.0, true}, {3, 0.0, false}};
  for (auto [sound, held, keepsPlaying] : rows) {
    device.playing.clear();
    device.keepPlaying = keepsPlaying;
    const double seconds = secondsOf([&] { playSound(sound); });
    EXPECT_GE(seconds, held - 1.0 / 60) << sound;  // counted in ticks
    EXPECT_LE(seconds, held + 0.05) << sound;
  }
  // A sound still playing is waited for at most a tenth, then stopped.
  device.keepPlaying = true;
  playSound(0);
  device.events.clear();
  EXPECT_NEAR(secondsOf([] { playSound(1); }), 0.1, 1.0 / 60);
  EXPECT_EQ(device.events, (std::vector<std::string>{"stop 0", "play 1"}));
}

// No sound card: SDL's dummy driver plays the real files silently.
TEST_F(SoundEffects, SystemDeviceOnTheDummyDriver) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setSoundDevice(&systemSoundDevice());
  initSoundTable();
  for (int16_t n : {0, 1, 2, 3, 4, 5, 7}) soundPlay(n);
  for (int16_t n : {0, 1, 2, 3, 4, 5, 7}) EXPECT_TRUE(soundIsPlaying(n)) << n;  // every file loaded
  EXPECT_FALSE(systemSoundDevice().load(kTraySound, "not a wav file"));
  playSound(kTraySound);  // an empty slot plays nothing
  EXPECT_FALSE(soundIsPlaying(kTraySound));
}

// A device that cannot be opened is told once, in the game's words, not the library's. The
// child is the test program started afresh, with a device never opened.
TEST_F(SoundEffects, NoSoundDeviceIsToldOnceInTheGamesOwnWords) {
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT({
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "no-such-device", 1);
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) systemSoundDevice().load(kTraySound, "");
    const std::string said = ::testing::internal::GetCapturedStderr();
    std::fputs(said.c_str(), stderr);
    std::_Exit(said == "No sound device: the game plays without sound.\n" ? 0 : 1);
  }, ::testing::ExitedWithCode(0), "");
  GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
}  // namespace bg::testing
