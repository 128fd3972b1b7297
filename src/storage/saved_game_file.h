#pragma once
// The saved game: an unfinished game with its cube, dice, session and record, written to
// "SavedGame" in the data folder or a file the user names, and read back from there, from
// the file the program was opened with, or from one the user picks.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace bg {

// askName non-zero: the Save As dialog. True when the file was written whole; a refusal
// (a checker held, part of the roll played) is told to the user, a cancel is silent.
bool saveGame(int16_t askName);
// What the message line says when a save fails, with the cause of the last file error;
// the quit's box says it too.
std::string gameNotSavedText();
void saveGameAs();
// askFile non-zero: the open dialog. Refused with a message while a checker is held, a
// question waits on the board or a search runs; a damaged file is refused with a message
// and changes nothing.
void loadGame(int16_t askFile);
void openSavedGame();
// At start-up, before the game saved at the last quit is announced: reads and checks it
// without putting it in place. False after telling the user that it cannot be resumed;
// it is then forgotten.
bool checkSavedGameToResume();

// Where a saved-game name points: a bare name lies in the data folder.
std::filesystem::path savedGamePath(const std::string& name);
// The name to remember for a path: bare for a file in the data folder.
std::string savedGameNameOf(const std::filesystem::path& path);

}  // namespace bg
