#pragma once
// At quit, with saving on exit off, a changed game is offered for saving on the board.
namespace bg {

// Asks whether to save the changed game and saves it on Yes; true only when Yes was
// answered and the save failed. The answer is kept in quitState.saveAnswer.
bool saveAskedBeforeQuitFailed();

}  // namespace bg
