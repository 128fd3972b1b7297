#include "rules/speech_state.h"

namespace bg {

SpeechState speech;

}  // namespace bg
