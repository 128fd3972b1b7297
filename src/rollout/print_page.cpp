#include "rollout/print_page.h"

#include <algorithm>
#include <string>

#include "runtime/core/clock.h"
#include "runtime/core/format.h"
#include "runtime/qt/printing.h"
#include "state/program_state.h"

namespace bg {

PrintPageState printPage;
BG_RESETS_WITH_PROGRAM(printPage);

namespace {
constexpr int16_t kFooterSize = 8;
constexpr int16_t kBodySize = 10;
constexpr int kFooterRuleLength = 82;
constexpr std::string_view kFooterTitle = "Tavrik's Backgammon";
constexpr double kFooterPageUnits = 26.5;
constexpr double kFooterDateUnits = 45.3;
// The footer's page number stands one line below the last line, its descent below that.
constexpr int kFooterLinesBelow = 2;
// Keeps the line counter and y in range on paper of any shape.
constexpr int kMostLinesPerPage = 2000;
}  // namespace

void startPrintPage(int16_t firstLine) {
  printPage.printDateText = Str255(dateTextAbbrev());
  printPage.printLine = firstLine;
  printPage.printPageNumber = 1;
  printPage.printLineHeight = kPrintLineHeight;
  printPage.printCharWidth = kPrintCharWidth;
  printPage.printLinesPerPage = kPrintLinesPerPage;
}

// The small allowance keeps 45.3 x 10 at 453 after the binary fraction.
int columnX(double units, int offset) { return static_cast<int>(units * printPage.printCharWidth + 1e-6) + offset; }

int widthLeftFrom(int x) { return static_cast<int>(printPageRect().width() / printScale()) - x; }

void fitReportToPage(int rightEdge) {
  printStyle(kFooterSize, kPrintBold);
  const int footerEdge = std::max(columnX(5) + printStringWidth(std::string(kFooterRuleLength, '_')),
                                  columnX(kFooterDateUnits) + printStringWidth(printPage.printDateText.view()));
  const int bottom = (kPrintLinesPerPage + kFooterLinesBelow) * printPage.printLineHeight;
  printFitToPage(std::max(rightEdge, footerEdge), bottom);
}

void fillPageWithLines() {
  const int height = static_cast<int>(printPageRect().height() / printScale());
  const int lines = height / printPage.printLineHeight - kFooterLinesBelow;
  printPage.printLinesPerPage = static_cast<int16_t>(std::clamp<int>(lines, kPrintLinesPerPage, kMostLinesPerPage));
}

namespace {

bool fits(std::string_view text, int width) { return printStringWidth(text) <= width; }

// The longest head of a word that fits, cut between characters and never empty.
size_t headThatFits(std::string_view word, int width) {
  size_t cut = 0;
  for (size_t next = 1; next <= word.size(); ++next) {
    // A UTF-8 continuation byte is inside a character.
    if (next < word.size() && (static_cast<unsigned char>(word[next]) & 0xC0) == 0x80) continue;
    if (!fits(word.substr(0, next), width)) break;
    cut = next;
  }
  if (cut > 0) return cut;
  size_t one = 1;
  while (one < word.size() && (static_cast<unsigned char>(word[one]) & 0xC0) == 0x80) ++one;
  return one;
}

}  // namespace

// By hand rather than with a text layout: the lines must break where the printer's own
// widths, the ones the pages are drawn with, say they are full.
std::vector<std::string> wrapToWidth(std::string_view text, int width) {
  if (fits(text, width)) return {std::string(text)};
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    std::string word(text.substr(at, end - at));
    at = end + 1;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (fits(longer, width)) {
      line = longer;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    while (!word.empty() && !fits(word, width)) {
      const size_t cut = headThatFits(word, width);
      lines.push_back(word.substr(0, cut));
      word.erase(0, cut);
    }
    line = word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

int lineY() { return printPage.printLine * printPage.printLineHeight; }

void printAt(int x, std::string_view text) {
  printMoveTo(x, lineY());
  printString(text);
}

void printIntegerAt(int x, int64_t value) {
  printMoveTo(x, lineY());
  printInteger(value);
}

void printStyle(int16_t size, int16_t face) { printTextStyle(kPrintFont, size, face); }

void printPageFooter() {
  printStyle(kFooterSize, kPrintBold);
  printAt(columnX(5), std::string(kFooterRuleLength, '_'));
  ++printPage.printLine;
  printAt(columnX(5), kFooterTitle);
  printAt(columnX(kFooterPageUnits), "page " + strS(printPage.printPageNumber));
  printAt(columnX(kFooterDateUnits), printPage.printDateText.view());
  ++printPage.printPageNumber;
  printStyle(kBodySize, kPrintBold);
}

}  // namespace bg
