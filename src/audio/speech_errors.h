#pragma once
// The texts of the speech failures shown in the information box.
#include <cstdint>
#include <string>

namespace bg {

inline constexpr std::size_t kSpeechErrorLength = 51;  // characters

// The text of error number errorNumber, then " [" status "]" (the status with a leading
// blank when not negative), at most 51 characters.
std::string speechErrorText(int16_t errorNumber, int status);

}  // namespace bg
