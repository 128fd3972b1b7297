#pragma once
// The opponent modes (1 a person against the computer, 2 the computer against itself,
// 3 two people sharing the board), the change between them, and two refusals many
// commands share.
#include <cstdint>

namespace bg {

// Game menu items 12 (mode 1) and 13 (mode 3).
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
