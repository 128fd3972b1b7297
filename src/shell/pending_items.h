#pragma once
// The menu items whose commands belong to parts of the program not built yet (dialogs,
// saved games, rollouts, printing, help, the keyboard aids, the position editor). They
// stay greyed, so that no item reaches a routine that does nothing; each row goes when
// its command lands.
#include <cstdint>

namespace bg {

bool itemAwaitsCommand(int16_t menu, int16_t item);
// Greys every such item (start-up, after the menus are loaded).
void disablePendingItems();

}  // namespace bg
