#include "storage/saved_game_file.h"

namespace bg {

bool saveGame(int16_t /*askName*/) { return false; }

void saveGameAs() { saveGame(-1); }

void loadGame(int16_t /*askFile*/) {}

}  // namespace bg
