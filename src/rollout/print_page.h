#pragma once
// The page of the printed reports: a line counter in lines of printLineHeight points, a
// column unit, the page number and the date of the job. Every text stands at an explicit
// position: y = line x line height, x a multiple of the column unit plus a small offset.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kPrintLineHeight = 11;
inline constexpr int16_t kPrintCharWidth = 10;
// The lines a page holds at least; taller paper holds more (fillPageWithLines).
inline constexpr int16_t kPrintLinesPerPage = 63;
// The bundled sans family, as the board's text uses it.
inline constexpr int16_t kPrintFont = 3;
inline constexpr int16_t kPrintPlain = 0;
inline constexpr int16_t kPrintBold = 1;
inline constexpr int16_t kPrintBoldUnderlined = 5;

struct PrintPageState {
  int16_t printLine = 1;
  int16_t printLineHeight = kPrintLineHeight;
  int16_t printCharWidth = kPrintCharWidth;
  int16_t printPageNumber = 1;
  // A value of the job: the line of the footer's rule, the page's last.
  int16_t printLinesPerPage = kPrintLinesPerPage;
  Str255 printDateText;
};
extern PrintPageState printPage;

// A fresh job's page state: line `firstLine`, page 1, today's date.
void startPrintPage(int16_t firstLine);
// x in points of n column units plus offset; fractional units are cut to whole points.
int columnX(double units, int offset = 0);
int lineY();
// Shrinks the job, when the paper is too small, so that everything up to `rightEdge` and the
// footer at the foot of every page fits the printable area.
void fitReportToPage(int rightEdge);
// After the fit: as many lines a page as the printable area holds below the footer's two.
void fillPageWithLines();
// The width in points from x to the right edge of the printable area.
int widthLeftFrom(int x);
// The text in lines no wider than `width` points in the current style: broken at blanks,
// a word wider than a whole line broken where the line is full. A text that fits is its
// one line, unchanged. However narrow the width, every character is printed, one a line.
std::vector<std::string> wrapToWidth(std::string_view text, int width);
// Moves the pen to (x, the current line) and prints the text / the integer there.
void printAt(int x, std::string_view text);
void printIntegerAt(int x, int64_t value);
void printStyle(int16_t size, int16_t face);
// The footer: a rule on the current line, the program's title, the page number and the
// date on the next; leaves printLine on that line and counts the page.
void printPageFooter();

}  // namespace bg
