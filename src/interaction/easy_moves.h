#pragma once
// Easy Moves: the person clicks only the destination and the checker to move is found.
#include <cstdint>

namespace bg {

// -1 when interaction.clickedPoint may take an Easy Move, 0 when refused with its message.
int16_t checkClickedPoint();
// -1 when a from-point for interaction.clickedPoint was found (in hand.selectedPoint).
int16_t findAutoMove();
// Plays one step of the mover's checker on `from` to interaction.clickedPoint through the
// typed-move player, then drops the events that queued meanwhile.
void moveClickedPieceTo(int16_t from);

}  // namespace bg
