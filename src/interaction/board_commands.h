#pragma once
// The commands of the board frame's letters (and of the keys that set the same
// requests), the computer's replayed turn, and the help text on the letters.
namespace bg {

// Runs the first requested command in the order B P R I S M D C N, pip counts, W, and
// clears every request.
void runBoardCommand();
// Command I: the computer plays its last turn again.
void replayComputerMove();
void showBoardFrameHelp();

}  // namespace bg
