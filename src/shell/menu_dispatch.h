#pragma once
// Every menu choice arrives here: routed by menu to its handler, which refuses it while
// the board is busy or runs the command. Items not listed by a handler do nothing.
#include <cstdint>

namespace bg {

// The layer's menu callback.
void menuEventHook();
void doMenuCommand();

void gameMenuCommand(int16_t item);
void infoMenuCommand(int16_t item);
void helpMenuCommand(int16_t item);
void settingsMenuCommand(int16_t item);
void optionsMenuCommand(int16_t item);
void commandMenuCommand(int16_t item);
void playerMenuCommand(int16_t item);

// Installs the menu callback and the shell's menu services of the lower areas.
void installMenuCommands();

}  // namespace bg
