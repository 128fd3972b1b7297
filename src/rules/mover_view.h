#pragma once
// Builds the mover's view of `board` for `currentPlayer` with the pip counts, the men
// left and the basic contact counts.
namespace bg {

// The first stage of the position analysis: fills everything in `analysis`.
void buildMoverView();

}  // namespace bg
