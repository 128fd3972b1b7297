#include "shell/fast_play.h"

#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "state/display_settings.h"
#include "runtime/qt/menus.h"
#include "shell/radio_groups.h"
#include "shell/shell_settings.h"
#include "state/cube_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"

namespace bg {

namespace {

constexpr uint8_t kByteOn = 255;
constexpr uint8_t kAllAutoMoves = 15;

uint8_t lowByte(int16_t v) { return static_cast<uint8_t>(v & 0xFF); }
int16_t widened(uint8_t b) { return static_cast<int8_t>(b); }

void setPieceSpeed(int16_t speed) {
  shellSettings.pieceSpeedChoice = speed;
  selectPieceSpeed();
}

// The options Fast Play touches show their marks again: the toggles are not called, so
// nothing else (a roll click, a notice) happens.
void markFastPlayOptions() {
  setMenuItemChecked(kSettingsMenu, kAutoPassItem, options.autoPass != 0);
  setMenuItemChecked(kSettingsMenu, kAutomaticRollsItem, settings.automaticRolls != 0);
  applySoundOption();
}

}  // namespace

void enterFastPlay() {
  FastPlaySaved& s = fastPlaySaved;
  s.pieceSpeed = displaySettings.pieceSpeed;
  s.clickAfterHumanMove = options.clickAfterHumanMove;
  s.clickAfterComputerMove = options.clickAfterComputerMove;
  s.autoPass = options.autoPass;
  s.autoEnterFromBarOn = lowByte(options.autoEnterFromBarOn);
  s.autoBearOffOn = lowByte(options.autoBearOffOn);
  s.autoPlayForHumanOn = lowByte(options.autoPlayForHumanOn);
  s.autoPlayForcedOn = lowByte(options.autoPlayForcedOn);
  s.autoMoves = options.autoMoves;
  s.soundOn = settings.soundOptions.soundOn;
  s.automaticRolls = lowByte(settings.automaticRolls);
  s.speechOn = lowByte(speech.speechOn);
  s.voiceIndex = speechChannel.voiceIndex;

  shellFlags.fastPlay = kFastPlayOn;
  setPieceSpeed(kFastPieceSpeed);
  options.clickAfterHumanMove = 0;
  options.clickAfterComputerMove = 0;
  options.autoPass = kByteOn;
  // Automatic rolls would take the chance to double away.
  if (cube.cubeUsed == 0) settings.automaticRolls = -1;
  options.autoEnterFromBarOn = -1;
  options.autoBearOffOn = -1;
  options.autoPlayForHumanOn = -1;
  options.autoPlayForcedOn = -1;
  options.autoMoves = kAllAutoMoves;
  settings.soundOptions.soundOn = 0;
  speech.speechOn = 0;
  speechChannel.pendingVoiceIndex = kSpeechOffItem;
  applyVoiceChoice();
  markFastPlayOptions();
  s.savedMarker = kByteOn;
}

void leaveFastPlay() {
  const FastPlaySaved& s = fastPlaySaved;
  if (s.savedMarker == 0) {
    shellFlags.fastPlay = 0;
    return;
  }
  setPieceSpeed(s.pieceSpeed);
  options.clickAfterHumanMove = s.clickAfterHumanMove;
  options.clickAfterComputerMove = s.clickAfterComputerMove;
  options.autoPass = s.autoPass;
  // The cube may have come on meanwhile, and the two never go together.
  if (cube.cubeUsed == 0) settings.automaticRolls = widened(s.automaticRolls);
  options.autoEnterFromBarOn = widened(s.autoEnterFromBarOn);
  options.autoBearOffOn = widened(s.autoBearOffOn);
  options.autoPlayForHumanOn = widened(s.autoPlayForHumanOn);
  options.autoPlayForcedOn = widened(s.autoPlayForcedOn);
  options.autoMoves = lowByte(s.autoMoves);
  settings.soundOptions.soundOn = s.soundOn;
  speech.speechOn = widened(s.speechOn);
  // Kept from an earlier run, the voice may be gone from this one's menu.
  const bool voiceThere = s.voiceIndex >= kSpeechOffItem && s.voiceIndex <= menuItemCount(kVoiceMenu);
  speechChannel.pendingVoiceIndex = voiceThere ? s.voiceIndex : kSpeechOffItem;
  applyVoiceChoice();
  markFastPlayOptions();
}

}  // namespace bg
