#pragma once
// The preferences file's text: one line per setting in a fixed order, "KEY  value" (a
// number with a blank before it unless it is negative), every line ended by a carriage
// return, the last one "ENDOFPREFERENCES".
#include <string>
#include <string_view>

namespace bg {

// What the writer puts between a key and its value; the reader takes only these blanks
// off a name, whose own leading blanks are the name's.
inline constexpr std::string_view kKeySeparator = "  ";

// The options Fast Play keeps, after FASTPLAY while it is on: piece speed, the two clicks
// after a move, automatic pass, the four automatic moves, their mask, sound, automatic
// rolls, speech and the voice item, in that order.
inline constexpr std::string_view kFastPlaySavedKey = "FASTPLAYSAVED";

// The board window's content rectangle goes into the text as it is now (with no window,
// the rectangle as it was read); byte flags are written as signed values.
std::string preferencesText();

}  // namespace bg
