#pragma once
// What the rules ask of the sound: sound effects by number.
#include <cstdint>

namespace bg {

inline constexpr int16_t kLongDiceSound = 3;
inline constexpr int16_t kShortDiceSound = 4;

namespace least {
void playSound(int16_t sound, int16_t wait);
void playAlertSound();
void playPieceSound();
}  // namespace least

struct SoundServices {
  // Plays sound n when sound is on; wait -1 lets the dice sounds finish first.
  void (*playSound)(int16_t sound, int16_t wait) = least::playSound;
  // The alert beep, when sound is on and speech is off.
  void (*playAlertSound)() = least::playAlertSound;
  // The click of a checker put down or into a tray.
  void (*playPieceSound)() = least::playPieceSound;
};

extern SoundServices soundServices;

namespace hook {
inline void playSound(int16_t sound, int16_t wait) { soundServices.playSound(sound, wait); }
inline void playAlertSound() { soundServices.playAlertSound(); }
inline void playPieceSound() { soundServices.playPieceSound(); }
}  // namespace hook

}  // namespace bg
