#pragma once
// The game record: every roll, checker move, unplayed die, double and result of a game.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "state/game_record_state.h"

namespace bg {


// Drops the oldest whole turns of the game while fewer than `entries` entries of play fit
// before the game-end entry's place. Play never waits on room: a long game keeps its
// latest turns, which the take-back undoes and a saved file's board leads back through.
void makeRoomInRecord(int16_t entries);
// Raises gameRecordCount for one more entry of play (a move, an unplayed die, an
// automatic double), making room for it first.
void advanceGameRecord();
// Raises gameRecordCount for the game-end entry, which always has a place.
void advanceGameRecordForGameEnd();
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
