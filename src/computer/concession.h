#pragma once
// The computer's resignation: in a pure race it cannot win, it resigns a single game, or
// a gammon when it has borne off no man and cannot get home in time.
namespace bg {

// Run for a computer side before it rolls, right after the position analysis of
// currentPlayer. Sets flow.concessionLevel (untouched while there is contact) and, at
// most once in five record entries, offers the resignation.
void considerConcession();

}  // namespace bg
