#pragma once
// Reading a saved-game file into a copy: the keyed layout the writer makes, a bare list
// of 26 counts (the command key held while opening), and the older layout without keys.
#include <cstdint>
#include <string>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "storage/saved_game.h"

namespace bg {

// The settings block of the older layout, put in force through their own commands.
struct OlderLayoutSettings {
  Str40 phoneNumber;
  CheckedArray<Str100, 1> playerNames;
  int16_t soundLevel = 0;
  int16_t skillLevel = 0;
  int16_t cubeUsed = 0;
  int16_t autoDoubleMax = 0;
  int16_t beaverAllowed = 0;
  int16_t acceptDoubles = 0;
  int16_t rollOverOnce = 0;
  int16_t jacobyRule = 0;
  uint8_t crawfordRule = 0;
};

struct SavedGameReading {
  SavedGame game;
  bool complete = false;      // false: the file ends before its move table
  bool bareBoard = false;     // only the board was read; side 1 is on roll, no dice
  bool olderLayout = false;   // the settings block below was read
  bool readFailed = false;    // the disk failed while reading
  bool cutShort = false;      // a row of the move table is cut short
  bool boardDamaged = false;  // the Board line is not 26 checker counts
  std::string unfitNumber;    // where a number too large for its value stands, if anywhere
  OlderLayoutSettings settings;
};

// Reads the open input file n, whose first line has not been read, over a copy of the
// game's values. bareBoard takes the first field as 26 counts and reads nothing more.
SavedGameReading readSavedGameFields(int16_t n, bool bareBoard);

// The older layout after its first field.
void readOlderLayout(int16_t n, SavedGameReading& r);

}  // namespace bg
