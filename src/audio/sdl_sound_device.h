#pragma once
// The system's sound device through SDL_mixer: one mixer channel per slot. Opened on
// first use; without an audio device it says so once on standard error and stays quiet
// (SDL's dummy driver plays in silence).
#include "audio/sound_device.h"

namespace bg {

SoundDevice& systemSoundDevice();

}  // namespace bg
