#pragma once
// The B command: the Blot Risk report in its window over the board.
namespace bg {

// Nothing while a checker is in hand; refused while a search runs.
void showBlotRisk();

}  // namespace bg
