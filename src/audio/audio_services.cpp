#include "audio/audio_services.h"

#include "state/program_state.h"

namespace bg {

AudioServices audioServices;
BG_RESETS_WITH_PROGRAM(audioServices);

namespace least {
void showAudioNotice(std::string_view /*text*/) {}
}  // namespace least

}  // namespace bg
