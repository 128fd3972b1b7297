#pragma once
// The preferences file: read at start-up, written on every way out. It lies in the
// preferences folder as "<program name> Preferences".
#include <filesystem>
#include <string>

namespace bg {

std::filesystem::path preferencesPath();
// Where a preferences file that did not read whole is first kept: "<file name> damaged";
// a later one is kept beside it as "<file name> damaged 2", and so on.
std::filesystem::path preferencesKeptCopyPath();
// Whether `file` bears the name of one of those copies, whichever its number.
bool isPreferencesDamagedCopy(const std::filesystem::path& file);

// No file: the first-start defaults stay and firstRun is set. A file that cannot be read
// leaves the defaults and is not written over at quit. A file without its end mark is taken
// as far as it goes and copied aside, as it is, under a name no file holds, before the quit
// writes a new one; when no copy can be made it is not written over either.
void loadPreferences();
// The file read at the start is not to be written over: it could not be read, or it was
// damaged and no copy of it could be made.
bool preferencesKeptAsTheyAre();

// Writes the file whole, or keeps the old one and returns what could not be kept and why,
// for the caller to tell. Empty when written, and when the file is not to be written (it
// could not be read at the start, or there is no preferences folder).
std::string writePreferences();

}  // namespace bg
