#pragma once
// Reading the preferences text: every line in file order up to "ENDOFPREFERENCES", the key
// before the first blank, the value after the blanks that follow it. Known keys are
// stored or handed to their applier; other lines are skipped.
#include <functional>
#include <string_view>

namespace bg {

// Hands each line's key and value to take, split as the reader splits them, up to the end
// line; true when the end line was reached.
bool forEachPreferenceLine(std::string_view text,
                           const std::function<void(std::string_view key, std::string_view value)>& take);

// True when the end line was reached: a file without it is not whole.
bool parsePreferences(std::string_view text);

// Whether the board window rectangle read may be used; clears windowX2 when it may not,
// and a board width below the smallest size becomes the largest.
void validateWindowRect();

}  // namespace bg
