#pragma once
// The opponent modes (1 a person against the computer, 2 the computer against itself,
// 3 two people sharing the board), the change between them, and two refusals many
// commands share.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

// Who plays against the computer: the player record in use, the names of the two sides
// and the session's scores.
struct ComputerOpponentSides {
  int16_t row = 1;
  CheckedArray<Str100, 1> names;
  CheckedArray<int32_t, 1> scores;
};

// The sides play against the computer goes on with: while two people share the board,
// those kept from before them (what leaving two people puts back), else those in use. Two
// people are not kept from one run to the next: the preferences written at a quit hold these.
ComputerOpponentSides computerOpponentSides();

// A game saved between two people is resumed between them: the mode, their names and
// the row they play in; the turn is the loaded game's to set. The sides before them are
// kept for the computer, as when Two Players is chosen.
void resumeTwoPeople(int16_t row, const CheckedArray<Str40, 1>& names);

// Game menu item 12 (mode 1), and item 13 (mode 3) once its players' box has its OK.
void selectOpponentMode(int16_t mode);

// Applies flow.opponentMode, leaving turnState.previousOpponentMode; installed as
// applyOpponentMode. A change during a turn ends it with the sides exchanged.
void applyOpponentMode();

// With the board shown the other way round: the dice change ends and the cube owner
// before the double is the other side.
void swapSidesAfterModeChange();

// Message 2: a move is in progress.
void refuseCommandBusy();
// Message 3: the dice are not rolled.
void refuseCommandNotRolled();

}  // namespace bg
