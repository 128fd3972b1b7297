#pragma once
// At quit, with saving on exit off, a changed game is offered for saving on the board.
namespace bg {

// True when Yes was answered and the game could not be saved.
bool askSaveBeforeQuit();

}  // namespace bg
