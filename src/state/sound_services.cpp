#include "state/sound_services.h"

#include "state/program_state.h"

namespace bg {

SoundServices soundServices;
BG_RESETS_WITH_PROGRAM(soundServices);

namespace least {

void playSound(int16_t /*sound*/, int16_t /*wait*/) {}

void playAlertSound() {}

void playPieceSound() {}

}  // namespace least
}  // namespace bg
