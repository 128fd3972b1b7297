#include "dialogs/option_dialogs.h"

#include "audio/sound_effects.h"
#include "dialogs/dialog_frame.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "state/play_options.h"
#include "state/settings.h"

namespace bg {

namespace {

// Sound.
constexpr int16_t kSoundOnGroup = 3;
constexpr int16_t kDiceSoundBox = 4;
constexpr int16_t kDiceSoundLengthGroup = 5;
// Automatic moves.
constexpr int16_t kEnterFromBarBox = 3;
constexpr int16_t kBearOffBox = 4;
constexpr int16_t kPlayForHumanBox = 5;
constexpr int16_t kPlayForcedBox = 6;
// Speak dice.
constexpr int16_t kSpeakHumanBox = 3;
constexpr int16_t kSpeakComputerBox = 4;
constexpr int16_t kShortMessageBox = 5;
// Click after move.
constexpr int16_t kAfterHumanBox = 3;
constexpr int16_t kAfterComputerBox = 4;

// A radio group of two: 1 the first choice (off, short), 2 the second (on, long).
constexpr int16_t kFirstChoice = 1;
constexpr int16_t kSecondChoice = 2;
constexpr int16_t kSoundOffItem = 1;

constexpr uint8_t kEnterFromBarBit = 1;
constexpr uint8_t kBearOffBit = 2;
constexpr uint8_t kPlayForHumanBit = 4;
constexpr uint8_t kPlayForcedBit = 8;

int16_t shown(long flag) { return flag != 0 ? int16_t{1} : int16_t{0}; }
void setBox(int16_t window, int16_t id, long flag) { setControlValue(window, id, shown(flag)); }
// A checked box stores -1 in a two-byte flag, 255 in a one-byte flag.
int16_t wordFlag(int16_t window, int16_t id) { return static_cast<int16_t>(0 - controlValue(window, id)); }
uint8_t byteFlag(int16_t window, int16_t id) { return static_cast<uint8_t>(0 - controlValue(window, id)); }

void fillSound() {
  const SoundOptions& s = settings.soundOptions;
  setControlValue(kSoundWindow, kDiceSoundLengthGroup, settings.longDiceSound != 0 ? kSecondChoice : kFirstChoice);
  setControlValue(kSoundWindow, kSoundOnGroup, s.soundOn != 0 ? kSecondChoice : kFirstChoice);
  setBox(kSoundWindow, kDiceSoundBox, s.diceSoundOn);
}

void fillAutomaticMoves() {
  setBox(kAutomaticMovesWindow, kEnterFromBarBox, options.autoEnterFromBarOn);
  setBox(kAutomaticMovesWindow, kBearOffBox, options.autoBearOffOn);
  setBox(kAutomaticMovesWindow, kPlayForHumanBox, options.autoPlayForHumanOn);
  setBox(kAutomaticMovesWindow, kPlayForcedBox, options.autoPlayForcedOn);
}

void fillSpeakDice() {
  setBox(kSpeakDiceWindow, kSpeakHumanBox, options.speakHumanDice);
  setBox(kSpeakDiceWindow, kSpeakComputerBox, options.speakComputerDice);
  setBox(kSpeakDiceWindow, kShortMessageBox, options.shortDiceMessage);
}

void fillClickAfterMove() {
  setBox(kClickAfterMoveWindow, kAfterHumanBox, options.clickAfterHumanMove);
  setBox(kClickAfterMoveWindow, kAfterComputerBox, options.clickAfterComputerMove);
}

}  // namespace

void soundDialog() { openNibDialog(kSoundWindow, "soundDialog", fillSound, DialogOpening::kFromBoard); }
void automaticMovesDialog() {
  openNibDialog(kAutomaticMovesWindow, "automaticMovesDialog", fillAutomaticMoves, DialogOpening::kFromBoard);
}
void speakDiceDialog() { openNibDialog(kSpeakDiceWindow, "speakDiceDialog", fillSpeakDice, DialogOpening::kFromBoard); }
void clickAfterMoveDialog() {
  openNibDialog(kClickAfterMoveWindow, "clickAfterMoveDialog", fillClickAfterMove, DialogOpening::kFromBoard);
}

void handleSoundDialog() {
  SoundOptions& s = settings.soundOptions;
  settings.longDiceSound = controlValue(kSoundWindow, kDiceSoundLengthGroup) == kFirstChoice ? 0 : -1;
  s.soundOn = controlValue(kSoundWindow, kSoundOnGroup) == kFirstChoice ? 0 : 255;
  s.diceSoundOn = byteFlag(kSoundWindow, kDiceSoundBox);
  // The level stays; only the level menu's mark follows the switch.
  checkMenuItemOnly(kSoundMenu, s.soundOn != 0 ? static_cast<int16_t>(s.soundLevel + 1) : kSoundOffItem);
}

void handleAutomaticMoves() {
  options.autoEnterFromBarOn = wordFlag(kAutomaticMovesWindow, kEnterFromBarBox);
  options.autoBearOffOn = wordFlag(kAutomaticMovesWindow, kBearOffBox);
  options.autoPlayForHumanOn = wordFlag(kAutomaticMovesWindow, kPlayForHumanBox);
  options.autoPlayForcedOn = wordFlag(kAutomaticMovesWindow, kPlayForcedBox);
  uint8_t mask = 0;
  if (options.autoEnterFromBarOn != 0) mask |= kEnterFromBarBit;
  if (options.autoBearOffOn != 0) mask |= kBearOffBit;
  if (options.autoPlayForHumanOn != 0) mask |= kPlayForHumanBit;
  if (options.autoPlayForcedOn != 0) mask |= kPlayForcedBit;
  options.autoMoves = mask;
}

void handleSpeakDice() {
  options.speakComputerDice = wordFlag(kSpeakDiceWindow, kSpeakComputerBox);
  options.speakHumanDice = wordFlag(kSpeakDiceWindow, kSpeakHumanBox);
  options.shortDiceMessage = wordFlag(kSpeakDiceWindow, kShortMessageBox);
}

void handleClickAfterMove() {
  options.clickAfterHumanMove = byteFlag(kClickAfterMoveWindow, kAfterHumanBox);
  options.clickAfterComputerMove = byteFlag(kClickAfterMoveWindow, kAfterComputerBox);
}

}  // namespace bg
