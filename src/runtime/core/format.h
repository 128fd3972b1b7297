#pragma once
// Number texts as the game writes and reads them: STR$ (a leading blank for
// non-negative numbers), VAL (as much of a number as the text holds, 0 for none) and
// USING (#-masks such as "###.#" and "+##.###").
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

// STR$ of an integer: " 5", " 0", "-1".
std::string strS(std::int64_t value);
template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, std::int64_t>)
std::string strS(T value) {
  return strS(static_cast<std::int64_t>(value));
}
// STR$ of a single: up to 7 significant digits, trailing zeros dropped, exponent form
// ("1E+07") from 1e7 up and below 1e-5.
std::string strS(float value);
// STR$ of a double: the same with 15 significant digits (exponent form from 1e15 up).
std::string strS(double value);

// The whole-number text with a leading blank for non-negative values (" 3", "-2").
std::string intText(std::int64_t value);

// VAL: leading blanks and tabs skipped, an optional sign, then &H / 0x (hexadecimal),
// &O (octal), &X (binary) or a decimal number with an optional fraction and exponent.
// Reading stops at the first character that does not fit; no digits give 0.
double val(std::string_view text);

// USING: formats value by a mask of an optional leading "+" or "-", "#" digit positions
// with at most one ".", and literal characters after them. Rounds half away from zero;
// a value too wide for the mask is printed whole.
std::string usingS(std::string_view mask, double value);

// Conversions that keep the low bits, as the callers of VAL store numbers: truncate
// toward zero, then keep the low 16, 32 or 8 bits. Not-a-number and infinities give 0.
std::int16_t int16Of(double value);
std::int32_t int32Of(double value);
std::uint8_t byteOf(double value);
// A byte flag (0 / 255) read as a signed value (0 / -1).
inline std::int16_t signedByte(std::uint8_t b) { return static_cast<std::int8_t>(b); }

}  // namespace bg
