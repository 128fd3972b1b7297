#pragma once
// The board window follows the user's resize: the open board state is put away when the
// resize begins, and the board is refitted to the new size when it ends.
namespace bg {

void prepareBoardResize();
void fitBoardToWindow();

}  // namespace bg
