#pragma once
namespace bg {

// Puts the board interaction into the flow's and the rules' service tables: the human's
// move entry, the board's waits and hit test, the roll-over and the in-board questions.
void installInteractionServices();

}  // namespace bg
