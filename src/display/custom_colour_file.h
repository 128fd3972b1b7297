#pragma once
// Board colour 11 is the user's own scheme, read from a text file of records such as
// "BORDERCOLOR 255 0 0" (key, then red, green and blue 0..255) up to "END".
#include <cstdint>
#include <string_view>

#include "runtime/core/pstring.h"

namespace bg {

// One record: the key and the three components as written (a missing one is 255).
struct ColourRecord {
  Str255 key;
  int64_t red = 255;
  int64_t green = 255;
  int64_t blue = 255;
};

ColourRecord parseColorLine(std::string_view line);
// A written component 0..255 as a 16-bit colour component: (v + 1) x 256 - 1, so 0 is 255
// and 255 is 65535; -1 is 0.
int64_t scaleColourComponent(int64_t written);

// Reads the file into scheme row 11; 255 when read, 0 when not. At start-up the file is
// the remembered one (a bare name lives in the data folder) and a failure falls back to
// board colour 3; later the user chooses it.
uint8_t readCustomColors();

}  // namespace bg
