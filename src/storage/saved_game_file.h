#pragma once
// The saved game: an unfinished game with its cube, dice, session and record.
#include <cstdint>

namespace bg {

bool saveGame(int16_t askName);  // true when the file was written whole
void saveGameAs();
void loadGame(int16_t askFile);

}  // namespace bg
