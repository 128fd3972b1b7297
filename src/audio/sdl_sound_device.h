#pragma once
// The system's sound device through SDL_mixer: one mixer channel per slot. Opened on
// first use; without an audio device (or with SDL's dummy driver) it stays quiet.
#include "audio/sound_device.h"

namespace bg {

SoundDevice& systemSoundDevice();

}  // namespace bg
