#include "audio/sound_effects.h"

#include "audio_fixture.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/speech_state.h"

namespace bg::testing {
namespace {

using SoundEffects = AudioTest;

TEST_F(SoundEffects, MenuItemsChooseLevelVolumeAndCheckMark) {
  struct Row { int16_t item; uint8_t on; int16_t level; float volume; };
  // Item 1 turns sound off and keeps the level that item 5 chose before it.
  const Row rows[] = {{2, 255, 1, 0.1f}, {7, 255, 6, 0.6f}, {11, 255, 10, 1.0f}, {5, 255, 4, 0.4f}, {1, 0, 4, 0.1f}};
  for (const Row& row : rows) {
    menuMarks.clear();
    setSoundOption(static_cast<int16_t>(row.item - 1), true);
    EXPECT_EQ(settings.soundOptions.soundOn, row.on) << row.item;
    EXPECT_EQ(settings.soundOptions.soundLevel, row.level) << row.item;
    EXPECT_FLOAT_EQ(soundEffects.volume, row.volume) << row.item;
    for (int16_t n = 0; n < kSoundSlots; ++n) EXPECT_FLOAT_EQ(device.volumes[n], row.volume);
    ASSERT_EQ(menuMarks.size(), 11u);
    for (int16_t item = 1; item <= 11; ++item)
      EXPECT_EQ(menuMarks[item - 1], "24 " + std::to_string(item) + (item == row.item ? " 2" : " 1"));
  }
  // Re-applied at start-up: the kept level comes back checked once sound is on.
  settings.soundOptions.soundOn = 255;
  menuMarks.clear();
  applySoundOption();
  EXPECT_EQ(menuMarks[4], "24 5 2");
}

TEST_F(SoundEffects, VolumeIsClampedToTheLevelRange) {
  const std::pair<int16_t, float> rows[] = {{-5, 0.1f}, {0, 0.1f}, {1, 0.1f}, {3, 0.3f}, {10, 1.0f}, {12, 1.0f}};
  for (auto [level, volume] : rows) {
    setAllSoundVolumes(level);
    EXPECT_FLOAT_EQ(soundEffects.volume, volume) << level;
  }
}

TEST_F(SoundEffects, PieceSoundFollowsTheCheckerStep) {
  struct Row { int16_t to; int16_t bearingOff; int16_t side; int16_t left; int16_t sound; };
  const Row rows[] = {{0, 0, 1, 15, 1},   {25, 0, 0, 15, 1}, {7, 0, 0, 15, 0},  {24, 0, 1, 15, 0},
                      {-1, -1, 0, 14, 1}, {-1, -1, 1, 14, 1}, {-1, -1, 0, 13, 2}, {-1, -1, 1, 0, 2}};
  for (const Row& row : rows) {
    device.events.clear();
    hand.moveToPoint = row.to;
    display.bearingOffPiece = row.bearingOff;
    display.movingPieceSide = row.side;
    position.piecesOnBoard[row.side] = row.left;
    position.piecesOnBoard[1 - row.side] = 15;  // the other side's count must not matter
    playPieceSound();
    EXPECT_EQ(device.events.back(), "play " + std::to_string(row.sound)) << row.to << " " << row.left;
  }
}

TEST_F(SoundEffects, AlertOnlyWithSoundOnAndSpeechOff) {
  const std::tuple<uint8_t, int16_t, bool> rows[] = {{255, 0, true}, {255, -1, false}, {0, 0, false}};
  for (auto [on, speechOn, plays] : rows) {
    device.events.clear();
    settings.soundOptions.soundOn = on;
    speech.speechOn = speechOn;
    playAlertSound();
    EXPECT_EQ(!device.events.empty() && device.events.back() == "play 7", plays);
  }
}

TEST_F(SoundEffects, SoundOffStartsNothing) {
  settings.soundOptions.soundOn = 0;
  for (int16_t n = 0; n < kSoundSlots; ++n) playSound(n);
  hand.moveToPoint = 5;
  playPieceSound();
  EXPECT_TRUE(device.events.empty());
}

TEST_F(SoundEffects, DiceSoundsHoldTheGameAtMostTheirWait) {
  initSoundTable();
  const std::tuple<int16_t, double, bool> rows[] = {
      {3, 1.5, true}, {4, 0.5, true}, {0, 0.0, true}, {3, 0.0, false}, {4, 0.0, false}};
  for (auto [sound, held, keepsPlaying] : rows) {
    device.playing.clear();
    device.keepPlaying = keepsPlaying;
    const double seconds = secondsOf([&] { playSound(sound); });
    EXPECT_GE(seconds, held - 1.0 / 60) << sound;  // the wait is counted in ticks
    EXPECT_LE(seconds, held + 0.05) << sound;  // plus the first short pause
    EXPECT_EQ(soundEffects.currentSound, sound);
  }
}

TEST_F(SoundEffects, NewSoundWaitsAtMostATenthForThePreviousThenStopsIt) {
  playSound(2);  // keeps playing
  device.events.clear();
  const double seconds = secondsOf([] { playSound(0); });
  EXPECT_GE(seconds, 0.1 - 1.0 / 60);
  EXPECT_LE(seconds, 0.12);
  EXPECT_EQ(device.events, (std::vector<std::string>{"stop 2", "play 0"}));
}

TEST_F(SoundEffects, TableLoadsTheEightSounds) {
  initSoundTable();
  for (int16_t n = 0; n < kSoundSlots; ++n) {
    EXPECT_EQ(device.loaded[n].substr(0, 4), "RIFF") << n;
    EXPECT_EQ(soundEffects.soundTable[n].enabled, 255);
    EXPECT_FLOAT_EQ(soundEffects.soundTable[n].waitTime, n == 3 ? 1.5f : n == 4 ? 0.5f : 0.1f);
  }
  EXPECT_EQ(device.loaded[5], device.loaded[7]);  // the same beep twice
  EXPECT_EQ(soundEffects.soundTable[8].enabled, 0);
}

}  // namespace
}  // namespace bg::testing
