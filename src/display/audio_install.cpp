#include "display/audio_install.h"

#include "audio/audio_services.h"
#include "audio/dice_speech.h"
#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "state/sound_services.h"

namespace bg {

void installAudioServices() {
  // Every sound waits as its own entry says; the caller's wait flag adds nothing.
  soundServices.playSound = [](int16_t sound, int16_t /*wait*/) { playSound(sound); };
  soundServices.playAlertSound = playAlertSound;
  soundServices.playPieceSound = playPieceSound;
  turnServices.speakDiceRoll = speakDiceRoll;
  upperServices.speakText = speakText;
  // Whatever information box the shell installs later is the one used.
  audioServices.showInformation = [](std::string_view text) { upperServices.showInformation(text); };
}

}  // namespace bg
