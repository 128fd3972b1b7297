#pragma once
// A player's name on a saved game's line. The reader takes a line field by field, and a
// field ends at a comma or a tab: those bytes, the quote that opens a quoted field, line
// ends and the escape mark itself are written as %XX, so a name stays within its line.
#include <string>
#include <string_view>

namespace bg {

std::string nameOnLine(std::string_view name);
// The name a line holds; a % not followed by two hex digits stands for itself.
std::string nameFromLine(std::string_view text);

}  // namespace bg
