#pragma once
// The File menu's open and save items, the saved game named on the command line, and
// what the saved-game code needs of the shell: the file dialogs and the older layout's
// settings through their commands.
#include <cstdint>

namespace bg {

// File items 3 to 6. Opening is refused while a checker is held, a question waits or a
// search runs; saving while a checker is held or a search runs.
void fileOpenSaveCommand(int16_t item);

// A saved game named after the options: read once the board waits for the user.
void takeDocumentFromCommandLine(int argc, char** argv);

void installSavedGameServices();

}  // namespace bg
