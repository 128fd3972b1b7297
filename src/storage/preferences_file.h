#pragma once
// The preferences file: read at start-up, written on every way out. It lies in the
// preferences folder as "<program name> Preferences".
#include <filesystem>

namespace bg {

std::filesystem::path preferencesPath();

// No file: the first-start defaults stay and firstRun is set. A file that cannot be read
// leaves the defaults, is told once, and is not written over at quit.
void loadPreferences();
// True when the file was written whole; a failure keeps the old file and is shown.
bool savePreferences();

}  // namespace bg
