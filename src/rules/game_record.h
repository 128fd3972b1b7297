#pragma once
// The game record: every roll, checker move, unplayed die, double and result of a game.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "state/game_record_state.h"

namespace bg {


// Raises gameRecordCount for one more entry of play (a move, an unplayed die, an
// automatic double) and returns true. When only the game-end entry's place is left the
// count stays, the user is told once, and the result is false: play goes on unrecorded.
bool advanceGameRecord();
// Raises gameRecordCount for the game-end entry, which always has a place.
void advanceGameRecordForGameEnd();
// True while the entry after the count may take a new roll.
bool recordHasRoomForRoll();
// The entry of the last roll played, for reading its dice: a game-end entry after it holds
// the result's counts (a concession's second die is -1), and the header holds counters,
// so with no roll played the blank entry's dice, none, are returned.
const GameRecordEntry& lastPlayedRoll();
// Records an unplayed-die entry for each die of the roll still in hand, for the side to
// move, each counted as a move; then no move is left.
void recordUnplayedDiceEntries();

// Empties the game record (entry 0 the blank header, every other entry free), or, on
// request (rollout.keepRollsOnReset), keeps each entry's side and dice so the next game
// replays the same rolls, with sides exchanged when rollout.swapSidesOnReset is set.
// Clears both requests.
void resetGameRecord();

}  // namespace bg
