#pragma once
// Values of the application shell that the rules read and write.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

struct ShellState {
  int16_t gameMenuLock = 0;   // the Game menu refuses its commands while either lock is set
  int16_t gameMenuLock2 = 0;
  CheckedArray<Str100, 1> playerNames;  // each side's name, on the board and in the messages
  // Kept with the preferences.
  Str40 languageName;               // LANGUAGE
  int16_t saveGameOnExit = 0;       // SAVEGAMEONEXIT
  StrPath savedGameName;            // GAMEWASSAVED: the last saved game, its whole path
  int16_t moneySessionGoing = 0;    // MONEYSESSIONGOING
  uint8_t originateCall = 0;        // ORIGINATECALL
  int32_t modemSpeed = 0;           // MODEMSPEED
  Str40 phoneNumber;                // PHONENUMBER
  int16_t quitting = 0;             // -1 once the program is quitting
};

extern ShellState shell;

}  // namespace bg
