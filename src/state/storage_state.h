#pragma once
// Values of the saved-game code that the rules read and write.
#include <cstdint>

namespace bg {

struct StorageState {
  int16_t gameModified = 0;  // -1 once the game has changed since it was last saved
};

extern StorageState storage;

}  // namespace bg
