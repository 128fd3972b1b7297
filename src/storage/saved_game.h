#pragma once
// The values a saved game carries, as one plain copy: the writer fills it from the game,
// the reader fills it from a file, and only a copy that passes the check is put into the
// game, so a damaged file never leaves half a game behind.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"

namespace bg {

inline constexpr std::string_view kSavedGameFileName = "SavedGame";
inline constexpr int16_t kSavedGameFileNumber = 2;

// The checks of a reading's values share this.
inline constexpr bool inRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

struct SavedGame {
  CheckedArray<int16_t, 25> board;
  CheckedArray<int32_t, 1> scores;
  int16_t cubeValue = 1;
  int16_t cubeOwner = kCubeCentred;
  int16_t playerDeclined = 0;  // side 1's flag only
  int16_t diceShowing = 0;
  CheckedArray<int16_t, 1> dice;
  CheckedArray<uint8_t, 1> playerRolledOver;
  int16_t tournamentGoing = 0;  // 0, or -1 while a match runs
  int16_t tournamentPoints = 0;
  CheckedArray<int16_t, 1> crawfordRestrictions;
  int16_t lastPlayerToMove = 0;
  int16_t moneySession = 0;   // -1: the scores are the balances of a money session
  int16_t gameContinued = 0;  // -1: played on after its result was counted
  // Two people at the board: -1, with the player record they play in (0: none of the
  // scoreboard's) and the names of sides 0 and 1.
  int16_t twoPeople = 0;
  int16_t pairRow = 0;
  CheckedArray<Str40, 1> sideNames;
  std::vector<GameRecordEntry> rows;  // entries 0 to the count; row 0 the header
  bool operator==(const SavedGame&) const = default;
};

// The game as the writer stores it: while a double is pending, the cube from before it,
// and the side that moved last by the record.
SavedGame savedGameOfState();
// The game's values as they stand, the starting point of a reading: a key the file
// lacks keeps its value. A game is taken for one not played on unless its file says so.
SavedGame currentGameValues();

// Empty when the copy may be put into the game, else what is wrong with it, for the user.
std::string savedGameFault(const SavedGame& g);

// True when the dice showing are a roll the next side plays: both dice still to play.
// A roll used up, or ended by dice that could not be played, is over: the next side rolls.
bool holdsRollInHand(const SavedGame& g);

}  // namespace bg
