#include "state/speech_state.h"

#include "state/program_state.h"

namespace bg {

SpeechState speech;
BG_RESETS_WITH_PROGRAM(speech);

}  // namespace bg
