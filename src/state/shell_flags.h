#pragma once
// Request flags of the application shell that the game flow acts on. Menus, dialogs and
// the quit command set them; the game loop and the turn's waits read them.
#include <cstdint>

namespace bg {

inline constexpr uint8_t kFastPlayOn = 255;

struct ShellFlags {
  int16_t quitRequested = 0;       // -1: quit; no new game starts while set
  uint8_t modalBusy = 0;           // non-zero while a modal dialog runs: no turn starts
  uint8_t fastPlay = 0;            // 255: Fast Play, no pauses
  int16_t switchSidesPending = 0;  // -1: swap the human and computer sides after the turn
};

extern ShellFlags shellFlags;

}  // namespace bg
