#pragma once
// One key typed on the board, or a Commands item turned into its letter: typed moves and
// the answer keys first, then the one-letter commands. The key is in interaction's
// keyBuffer, already upper-cased.
namespace bg {

void doKeyDown();
void handleKeyCommand();

}  // namespace bg
