#include "audio/sound_device.h"

#include "audio/sdl_sound_device.h"

namespace bg {

namespace {
SoundDevice* installedDevice = nullptr;
}  // namespace

SoundDevice* setSoundDevice(SoundDevice* device) {
  SoundDevice* previous = installedDevice;
  installedDevice = device;
  return previous;
}

SoundDevice& soundDevice() {
  if (installedDevice != nullptr) return *installedDevice;
  return systemSoundDevice();
}

}  // namespace bg
