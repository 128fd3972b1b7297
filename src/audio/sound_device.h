#pragma once
// The sound output the effects and the speech play through: one slot per sound, each
// holding one loaded sound that plays, stops and reports whether it still plays. The
// system device is SDL_mixer; tests install a recording device. A device that could not
// be opened plays nothing and reports nothing playing, so the game runs silently.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kSoundSlots = 8;          // the eight sound effects, slots 0..7
inline constexpr int16_t kSpeechSlot = kSoundSlots;  // the synthesised speech
inline constexpr int16_t kDeviceSlots = kSoundSlots + 1;

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Loads WAV bytes into the slot, replacing what it held; false when they cannot be
  // used (the slot is then empty and plays nothing).
  virtual bool load(int16_t slot, std::string_view wavBytes) = 0;
  virtual void play(int16_t slot) = 0;
  virtual void stop(int16_t slot) = 0;
  virtual bool isPlaying(int16_t slot) = 0;
  // 0.0 .. 1.0.
  virtual void setVolume(int16_t slot, float volume) = 0;
};

// Installs the device; nullptr restores the system device. Returns the previous one.
SoundDevice* setSoundDevice(SoundDevice* device);
SoundDevice& soundDevice();

}  // namespace bg
