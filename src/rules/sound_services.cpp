#include "rules/sound_services.h"

namespace bg {

SoundServices soundServices;

namespace least {

void playSound(int16_t /*sound*/, int16_t /*wait*/) {}

void playAlertSound() {}

}  // namespace least
}  // namespace bg
