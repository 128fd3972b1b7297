#pragma once
// Values of the saved-game code that the rules read and write.
#include <cstdint>

namespace bg {

struct StorageState {
  int16_t gameModified = 0;  // -1 once the game has changed since it was last saved
  int16_t loadingGame = 0;   // -1 while a saved game is read
  int16_t prefsLoading = 0;  // -1 while the preferences are read
};

extern StorageState storage;

}  // namespace bg
