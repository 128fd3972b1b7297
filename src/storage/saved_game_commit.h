#pragma once
// Putting a checked saved game into the running game: the board, the session and the
// record, the dice in hand made ready to play, and the running turn left at once.
#include "storage/saved_game_reader.h"

namespace bg {

void commitSavedGame(const SavedGameReading& r);

// A match the file was saved in, taken up again without its set-up dialog: the options a
// match switches off are kept, to come back at its end.
void resumeTournamentFromSave();

}  // namespace bg
