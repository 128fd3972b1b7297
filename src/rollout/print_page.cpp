#include "rollout/print_page.h"

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
}  // namespace

void startPrintPage(int16_t firstLine) {
  printPage.printDateText = Str255(dateTextAbbrev());
  printPage.printLine = firstLine;
  printPage.printPageNumber = 1;
  printPage.printLineHeight = kPrintLineHeight;
  printPage.printCharWidth = kPrintCharWidth;
}

// The small allowance keeps 45.3 x 10 at 453 after the binary fraction.
int columnX(double units, int offset) { return static_cast<int>(units * printPage.printCharWidth + 1e-6) + offset; }

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
