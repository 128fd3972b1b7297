#pragma once
// The preferences file: read at start-up, written on every way out. It lies in the
// preferences folder as "<program name> Preferences".
#include <filesystem>

namespace bg {

std::filesystem::path preferencesPath();

// No file: the first-start defaults stay and firstRun is set. A file that cannot be read
// leaves the defaults and is not written over at quit.
void loadPreferences();
// Tells the user that the file could not be read, if so: once the board can show it.
void tellUnreadablePreferences();

// Where a failure to write is told: in a box, or on standard error when nobody is there to
// answer one (a quit from a signal or the end of the desktop session).
enum class FailureNotice { kInBox, kOnStandardError };
// True when the file was written whole; a failure keeps the old file and is told.
bool savePreferences(FailureNotice notice = FailureNotice::kInBox);

}  // namespace bg
