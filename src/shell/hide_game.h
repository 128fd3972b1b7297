#pragma once
// Hiding the game: the game's windows go away and a small window with the hidden-game
// menus (Resume Game, Quit) stays until the user resumes; closing it resumes too.
#include <cstdint>

namespace bg {

inline constexpr int16_t kHiddenGameWindow = 9;

void toggleHideGame();
// Shows the game's windows again and puts the main menu bar back.
void showGameWindows();
bool gameHidden();

}  // namespace bg
