#pragma once
// The About box: the program's name and version over the board, closed by Done through
// the dialog dispatcher.
#include <cstdint>
#include <string>

namespace bg {

inline constexpr int16_t kAboutWindow = 347;

// "Version 6.4", with " b" and the build when the build is above 0.
std::string versionText();
// Only while the board is the front window.
void showAboutBox();

}  // namespace bg
