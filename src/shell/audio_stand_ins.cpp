#include "shell/audio_stand_ins.h"

namespace bg {
void initSpeech() {}
void initSoundTable() {}
void applySoundOption() {}
}  // namespace bg
