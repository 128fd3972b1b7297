#include "audio/sound_effects.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <string_view>

#include "audio/sound_device.h"
#include "runtime/core/clock.h"
#include "runtime/qt/resources.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/sound_services.h"
#include "state/speech_state.h"

namespace bg {

SoundEffectsState soundEffects;
BG_RESETS_WITH_PROGRAM(soundEffects);

namespace {

// soundArray: the files under resources/sounds, by sound index.
constexpr std::string_view kSoundNames[kSoundSlots] = {"Piece", "Barpiece",    "Tray",   "Dice",
                                                       "Dice2", "simpleBeep2", "silent", "simpleBeep2"};
constexpr float kShortWait = 0.1f;  // the most a new sound waits for the one playing
constexpr float kLongDiceWait = 1.5f;
constexpr float kShortDiceWait = 0.5f;
constexpr double kPollSeconds = 0.01;
constexpr double kTicksPerSecond = 60.0;
constexpr float kLowestVolume = 0.1f;
constexpr float kHighestVolume = 1.0f;
constexpr int16_t kOffItem = 1;  // menu 24: "Off"; item level + 1 is level
constexpr int16_t kBarEnd0 = 0;
constexpr int16_t kBarEnd25 = 25;
constexpr int16_t kFirstBearOffCount = 14;

double secondsSince(uint32_t startTick) { return (tickCount() - startTick) / kTicksPerSecond; }

}  // namespace

void loadSounds() {
  for (int16_t n = 0; n < kSoundSlots; ++n) {
    QByteArray bytes;
    const QString path = QStringLiteral("sounds/%1.wav").arg(QString::fromUtf8(kSoundNames[n].data(),
                                                                                static_cast<int>(kSoundNames[n].size())));
    // A missing file leaves the slot empty: that sound is silent.
    if (!readResourceFile(path, bytes)) bytes.clear();
    soundDevice().load(n, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
}

void initSoundTable() {
  loadSounds();
  for (int16_t n = 0; n < kSoundSlots; ++n) soundEffects.soundTable[n] = {255, 1.0f, kShortWait};
  soundEffects.soundTable[kLongDiceSound].waitTime = kLongDiceWait;
  soundEffects.soundTable[kShortDiceSound].waitTime = kShortDiceWait;
}

bool soundIsPlaying(int16_t n) { return soundDevice().isPlaying(n); }
void soundPlay(int16_t n) { soundDevice().play(n); }
void soundStop(int16_t n) { soundDevice().stop(n); }

void playSound(int16_t n) {
  if (!soundHeard()) return;
  uint32_t start = tickCount();
  do {
    hook::pauseSeconds(kPollSeconds);
  } while (soundIsPlaying(soundEffects.currentSound) && secondsSince(start) < kShortWait);
  soundStop(soundEffects.currentSound);
  soundPlay(n);
  if (n == kLongDiceSound || n == kShortDiceSound) {
    start = tickCount();
    const double wait = soundEffects.soundTable[n].waitTime;
    do {
      hook::pauseSeconds(kPollSeconds);
    } while (secondsSince(start) < wait && soundIsPlaying(n));
  }
  soundEffects.currentSound = n;
}

void playPieceSound() {
  if (!soundHeard()) return;
  int16_t n = kPieceSound;
  if (hand.moveToPoint == kBarEnd0 || hand.moveToPoint == kBarEnd25)
    n = kBarPieceSound;
  else if (display.bearingOffPiece != 0)
    n = position.piecesOnBoard[display.movingPieceSide] == kFirstBearOffCount ? kBarPieceSound : kTraySound;
  playSound(n);
}

void playAlertSound() {
  if (soundHeard() && speech.speechOn == 0) playSound(kAlertSound);
}

void setAllSoundVolumes(int16_t level) {
  soundEffects.volume = std::clamp(static_cast<float>(level) / kHighestSoundLevel, kLowestVolume, kHighestVolume);
  for (int16_t n = 0; n < kSoundSlots; ++n) soundDevice().setVolume(n, soundEffects.volume);
}

void setSoundOption(int16_t level, bool apply) {
  SoundOptions& options = settings.soundOptions;
  if (apply) {
    if (level >= 1) {
      options.soundOn = 255;
      options.soundLevel = level;
    } else {
      options.soundOn = 0;
    }
  }
  const int16_t checked = options.soundOn != 0 ? static_cast<int16_t>(level + 1) : kOffItem;
  for (int16_t item = kOffItem; item <= kHighestSoundLevel + 1; ++item)
    hook::setMenuItemState(kSoundMenu, item, item == checked ? kItemChecked : kItemEnabled, "");
  setAllSoundVolumes(level);
}

void applySoundOption() { setSoundOption(settings.soundOptions.soundLevel, false); }

void soundShutdown() {}

}  // namespace bg
