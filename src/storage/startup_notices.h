#pragma once
// What the start tells the person once the board can show it: what of this session will
// not be kept, and what became of a preferences file that did not read whole.
namespace bg {

// The preferences or data folder could not be made, if so.
void tellFoldersNotMade();
// The preferences file could not be read, or was damaged: which settings are in use,
// where the damaged file is kept, and whether the file will be written over; if so.
void tellPreferencesNotReadWhole();

}  // namespace bg
