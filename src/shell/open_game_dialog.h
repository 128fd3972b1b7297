#pragma once
// The Open Game dialog: the files of the data folder less the program's own files that hold
// no game (the note pad, its kept copy, the rollout report, the preferences). A game saved
// under any name, the program's own SavedGame among them, is listed.
#include <filesystem>
#include <string_view>

namespace bg {

// The chosen file's whole path, or an empty path when the person cancelled.
std::filesystem::path chooseGameToOpen(std::string_view prompt);

}  // namespace bg
