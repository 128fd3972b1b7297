#pragma once
// The settings the rules read. Each is stored by its option toggle and by the
// preferences reader; the defaults are the values a first start uses.
#include <cstdint>

namespace bg {

struct SoundOptions {
  uint8_t soundOn = 255;       // SOUND: the person's own choice, whatever holds sound back
  int16_t soundLevel = 8;      // SOUNDLEVEL, 0..10
  uint8_t diceSoundOn = 255;   // DICESOUND
  int16_t quietStretches = 0;  // stretches under way that hold every sound back
};

struct Settings {
  int16_t noPumpDuringSearch = 0;   // -1: searches do not run the event pump
  uint8_t backgammonAllowed = 255;  // BACKGAMMONALLOWED
  int16_t automaticRolls = 0;       // AUTOMATICROLLS, -1 = no roll click needed
  uint8_t rerollFirstRoll = 0;      // REROLLFIRSTROLL
  int16_t whoRollsFirst = 1;        // WHOROLLSFIRST, 2 = Winner Rolls First
  int16_t inputDice = 0;            // INPUTDICE, -1 = the user sets the dice
  SoundOptions soundOptions;
  int16_t longDiceSound = -1;       // LONGDICESOUND
  int16_t display4OnDoubles = -1;   // DISPLAY4ONDOUBLES
};

extern Settings settings;

// Whether a sound is played now: the person has sound on and no quiet stretch is under way.
bool soundHeard();

// A stretch that holds every sound back (a redraw, a load, the dice chooser, a rollout)
// apart from the person's setting: a quit in the middle of one keeps the setting as chosen.
void beginQuietStretch();
void endQuietStretch();

class QuietStretch {
 public:
  QuietStretch() { beginQuietStretch(); }
  ~QuietStretch() { endQuietStretch(); }
  QuietStretch(const QuietStretch&) = delete;
  QuietStretch& operator=(const QuietStretch&) = delete;
};

}  // namespace bg
