#pragma once
// At quit, with saving on exit off, a changed game is offered for saving on the board.
namespace bg {

void askSaveBeforeQuit();

}  // namespace bg
