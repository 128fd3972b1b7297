#pragma once
// The preferences file's text: one line per setting in a fixed order, "KEY  value" (a
// number with a blank before it unless it is negative), every line ended by a carriage
// return, the last one "ENDOFPREFERENCES".
#include <string>

namespace bg {

// The board window's content rectangle goes into the text as it is now (with no window,
// the rectangle as it was read); byte flags are written as signed values.
std::string preferencesText();

}  // namespace bg
