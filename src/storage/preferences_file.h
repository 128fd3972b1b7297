#pragma once
// The preferences file: read at start-up, written on every way out.
namespace bg {

void loadPreferences();   // no file: the first-start defaults stay
bool savePreferences();   // true when the file was written whole

}  // namespace bg
