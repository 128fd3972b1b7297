#pragma once
// The game's eight sound effects: loaded once at start-up, played one at a time with a
// short wait so a new sound does not cut the previous one off too early, the dice sounds
// let finish, all at the volume of the sound level chosen in menu 24.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kPieceSound = 0;     // "Piece": a checker put down on a point
inline constexpr int16_t kBarPieceSound = 1;  // "Barpiece": to a bar end, the first bear-off
inline constexpr int16_t kTraySound = 2;      // "Tray": any other bear-off
inline constexpr int16_t kAlertSound = 7;     // "simpleBeep2": a refused action
inline constexpr int16_t kSoundMenu = 24;
inline constexpr int16_t kHighestSoundLevel = 10;
inline constexpr int16_t kHighestSoundEntry = 10;

struct SoundTableEntry {
  uint8_t enabled = 0;  // 255 for the loaded sounds
  float volume = 0.0f;
  float waitTime = 0.0f;  // seconds a dice sound may hold the game
  bool operator==(const SoundTableEntry&) const = default;
};

struct SoundEffectsState {
  CheckedArray<SoundTableEntry, kHighestSoundEntry> soundTable;
  float volume = 0.7f;       // until a level is first applied
  int16_t currentSound = 0;  // the sound started last
};
extern SoundEffectsState soundEffects;

// Start-up: loads the sounds into the device, then fills soundTable.
void initSoundTable();
void loadSounds();
// Plays sound n when sound is on: waits up to 0.1 s for the current sound, stops it,
// starts n; the dice sounds (3 and 4) hold the game until they end or their wait passes.
void playSound(int16_t n);
// The sound of the checker step just made: a bar end, a bear-off, or a point.
void playPieceSound();
// The alert, when sound is on and speech is off.
void playAlertSound();
// apply set: level 1 or more turns sound on at that level, 0 turns it off and keeps the
// stored level. Then the check mark of menu 24 and the volumes follow.
void setSoundOption(int16_t level, bool apply);
void applySoundOption();
void setAllSoundVolumes(int16_t level);
bool soundIsPlaying(int16_t n);
void soundPlay(int16_t n);
void soundStop(int16_t n);
void soundShutdown();

}  // namespace bg
