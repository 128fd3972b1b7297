#pragma once
// Text in the current port, in whole-pixel sizes from the bundled font families, so that
// widths and layouts are the same on every machine. Text is drawn on the baseline at the
// pen, which moves on by the text's width.
#include <QFont>

#include <cstdint>
#include <string_view>

#include "runtime/qt/ports.h"

namespace bg {

// Font numbers: 0, 1, 3, 5, 21 and any other the sans-serif family; 4 and 22 the
// monospaced one; 2 and 20 the serif one.
void textFont(int16_t font);
void textSize(int16_t size);   // pixels; 0 is 12
void textFace(int16_t face);   // kBoldFace | kItalicFace | ...
void textMode(int16_t mode);   // srcOr draws the glyphs; srcCopy fills their box first
void drawString(std::string_view utf8);
void drawChar(char c);
int16_t stringWidth(std::string_view utf8);
int16_t charWidth(char c);

struct FontInfo {
  int16_t ascent = 0;
  int16_t descent = 0;
  int16_t widMax = 0;
  int16_t leading = 0;
};
void getFontInfo(FontInfo& info);

namespace detail {
QFont fontOf(const GrafPort* port);
}  // namespace detail

}  // namespace bg
