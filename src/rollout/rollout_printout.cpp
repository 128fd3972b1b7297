#include "rollout/rollout_printout.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "rollout/print_page.h"
#include "rollout/rollout_picture.h"
#include "rollout/rollout_report.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/format.h"
#include "runtime/qt/printing.h"
#include "state/rollout_state.h"

namespace bg {

namespace {

constexpr int16_t kReportSize = 10;
// The first text stands at y 99; a page begun by a page break starts there too.
constexpr int16_t kFirstReportLine = 9;
// The top rule, the point numbers above, the inner rule, the roll line with its two
// spacers, the lower edge, the point numbers below and the last rule.
constexpr int16_t kPictureFrameLines = 9;
// Enough "_" to measure one to a hundredth of a point.
constexpr int kWidthSample = 100;

// A column position: units of printCharWidth plus an offset in points.
struct Column {
  double units;
  int offset = 0;
};
int at(Column c) { return columnX(c.units, c.offset); }

constexpr Column kTextColumn{5, -2};
constexpr Column kIndentColumn{6};
constexpr Column kRuleColumn{5};
constexpr Column kRollCountColumn{5, 3};
constexpr Column kEquityGameColumn{37};

// The picture's columns.
constexpr Column kInnerEdge{8};
constexpr Column kBarLeftEdge{26};
constexpr Column kBarCell{28, -1};
constexpr Column kBarRightEdge{31, -8};
constexpr Column kTrayEdge{48, 1};
constexpr Column kLowTrayEdge{48};
constexpr Column kCubeCell{50};
constexpr Column kOuterEdge{52, -4};
constexpr Column kBottomRightRule{31, -6};
constexpr Column kLeftRollText{15, 4};
constexpr Column kRightRollText{37, 3};
constexpr Column kBarTextNearDice{27};
constexpr Column kBarText{27, 1};
// The six points of a quarter, from the outer edge inward: the left quarters hold points
// 24 to 19 on top and 1 to 6 below, the right ones 18 to 13 and 7 to 12.
constexpr std::array<Column, 6> kLeftQuarter{{{9, -1}, {12}, {15, 2}, {18, 4}, {21, 6}, {24, 8}}};
constexpr std::array<Column, 6> kRightQuarter{{{31, -2}, {34, -1}, {37, 1}, {40, 3}, {43, 5}, {46, 7}}};
constexpr int kQuarterPoints = 6;

// The footer at the foot of the page, and the report goes on at the top of the next.
void breakPage() {
  printPage.printLine = printPage.printLinesPerPage;
  printPageFooter();
  printNewPage();
  printPage.printLine = kFirstReportLine;
}

// Every step down the page goes through here: a line that would leave no room for the
// footer goes on a new page.
void advanceLines(int16_t lines) {
  printPage.printLine = static_cast<int16_t>(printPage.printLine + lines);
  if (printPage.printLine >= printPage.printLinesPerPage) breakPage();
}

int16_t linesAfter(ReportBlock block) {
  switch (block) {
    case ReportBlock::kDoubleAdvice:
    case ReportBlock::kCounts:
      return 1;
    default:
      return 2;
  }
}

void printTextBlocks() {
  const int x = at(kTextColumn);
  for (const ReportText& t : rolloutReportTexts(printPage.printDateText.view())) {
    // A long description goes on over as many lines as it needs, all on the page.
    const std::vector<std::string> lines = wrapToWidth(t.text, widthLeftFrom(x));
    for (size_t n = 0; n < lines.size(); ++n) {
      if (n > 0) advanceLines(1);
      printAt(x, lines[n]);
    }
    advanceLines(linesAfter(t.block));
  }
}

// Where a row's label, side 1's value and side 0's value stand.
struct RowColumns {
  Column label;
  Column top;
  Column bottom;
};
RowColumns columnsOf(ReportRow row) {
  switch (row) {
    case ReportRow::kGames:
    case ReportRow::kPoints:
    case ReportRow::kGammons:
    case ReportRow::kBackgammons:
      return {kTextColumn, {23}, {33}};
    case ReportRow::kPercent:
      return {kTextColumn, {22, 3}, {32, 3}};
    case ReportRow::kMaxPercent:
    case ReportRow::kMinPercent:
      return {kIndentColumn, {23, 2}, {33}};
    case ReportRow::kEquity:
      return {kTextColumn, {20, 6}, {30, 6}};
    case ReportRow::kMaxEquity:
    case ReportRow::kMinEquity:
      return {kIndentColumn, {21, 5}, {31, 5}};
  }
  return {};
}

void printStatisticsTable() {
  for (const ReportRowText& r : rolloutReportRows()) {
    const RowColumns c = columnsOf(r.row);
    printAt(at(c.label), r.label);
    printAt(at(c.top), r.top);
    printAt(at(c.bottom), r.bottom);
    if (!r.game.empty()) printAt(at(kEquityGameColumn), r.game);
    advanceLines(1);
  }
}

void printCell(Column c, char mark) { printAt(at(c), std::string(1, mark)); }

// The frame's texts stand on the cells' columns rather than being spaced with blanks, so
// that the point numbers stay over their points whatever the printer font's widths.
void printEdge(Column c) { printAt(at(c), "|"); }

// A rule of "_" from x to about `toX`, as long as the font's width of "_" allows.
void printRule(int x, int toX) {
  const double width = printStringWidth(std::string(kWidthSample, '_')) / static_cast<double>(kWidthSample);
  if (width <= 0 || toX <= x) return;
  printAt(x, std::string(static_cast<size_t>(std::lround((toX - x) / width)), '_'));
}
int afterEdge(Column c) { return at(c) + printStringWidth("|"); }

// The left edge and the inner edge every row of the picture begins with.
void printLeftEdges() {
  printEdge(kTextColumn);
  printEdge(kInnerEdge);
}

// The right-hand part every picture row shares: the tray's edge, the cube, the outer edge.
void printCubeEnd() {
  printEdge(kTrayEdge);
  printCell(kCubeCell, kCubeMark);
  printEdge(kOuterEdge);
}

void printSpacerLine() {
  printLeftEdges();
  printEdge(kBarLeftEdge);
  printEdge(kBarRightEdge);
  printCubeEnd();
  advanceLines(1);
}

// The labels firstLabel onward by `step`, each centred over its point's marks.
void printPointNumbers(int firstLabel, int step) {
  printEdge(kTextColumn);
  const int markWidth = printStringWidth("C");
  for (int k = 0; k < 2 * kQuarterPoints; ++k) {
    const std::string number = std::to_string(firstLabel + step * k);
    const Column cell = k < kQuarterPoints ? kLeftQuarter[k] : kRightQuarter[k - kQuarterPoints];
    printAt(at(cell) + (markWidth - printStringWidth(number)) / 2, number);
  }
  printEdge(kOuterEdge);
  advanceLines(1);
}

// One row of marks: labels firstLabel onward by `step` across the left quarter, then on
// across the right one.
void printMarkRow(int firstLabel, int step, char bar, int r) {
  printLeftEdges();
  for (int k = 0; k < kQuarterPoints; ++k) printCell(kLeftQuarter[k], labelMark(firstLabel + step * k, r));
  printEdge(kBarLeftEdge);
  printCell(kBarCell, bar);
  printEdge(kBarRightEdge);
  for (int k = 0; k < kQuarterPoints; ++k) {
    printCell(kRightQuarter[k], labelMark(firstLabel + step * (k + kQuarterPoints), r));
  }
  printCubeEnd();
  advanceLines(1);
}

void printRollLine() {
  const RolloutSnapshot& s = rolloutSnapshot;
  printLeftEdges();
  const std::string rollText = s.diceShowing != 0 ? rolloutDiceText() : "Roll";
  if (s.sideToMove != 0) printAt(at(kLeftRollText), rollText);
  printEdge(kBarLeftEdge);
  // With the dice showing and player 0 to move, "BAR" stands one point further left.
  printAt(at(s.diceShowing != 0 && s.sideToMove == 0 ? kBarTextNearDice : kBarText), "BAR");
  printEdge(kBarRightEdge);
  if (s.sideToMove == 0) printAt(at(kRightRollText), rollText);
  printCubeEnd();
  advanceLines(1);
}

// The picture's lines: its frame and its rows of marks.
int16_t pictureLines() {
  int16_t lines = kPictureFrameLines;
  for (int r = 1; r <= kHighestPictureRow && topRowMarked(r); ++r) ++lines;
  for (int r = 1; r <= kHighestPictureRow; ++r) {
    if (bottomRowMarked(r)) ++lines;
  }
  return lines;
}

void printPicture() {
  // A picture that does not fit below the table goes whole onto the next page.
  if (printPage.printLine + pictureLines() > printPage.printLinesPerPage) breakPage();
  printRule(at(kRuleColumn), afterEdge(kOuterEdge));
  advanceLines(1);
  printPointNumbers(24, -1);
  printEdge(kTextColumn);
  printRule(at(kInnerEdge), at(kBarLeftEdge));
  printRule(afterEdge(kBarRightEdge), at(kTrayEdge));
  printEdge(kOuterEdge);
  advanceLines(1);
  for (int r = 1; r <= kHighestPictureRow && topRowMarked(r); ++r) printMarkRow(24, -1, topBarMark(r), r);
  printSpacerLine();
  printRollLine();
  printSpacerLine();
  for (int r = kHighestPictureRow; r >= 1; --r) {
    if (bottomRowMarked(r)) printMarkRow(1, 1, bottomBarMark(r), r);
  }
  printLeftEdges();
  printRule(afterEdge(kInnerEdge), at(kBarLeftEdge));
  printEdge(kBarLeftEdge);
  printEdge(kBarRightEdge);
  printRule(at(kBottomRightRule), at(kLowTrayEdge));
  printEdge(kLowTrayEdge);
  printEdge(kOuterEdge);
  advanceLines(1);
  printPointNumbers(1, 1);
  printEdge(kTextColumn);
  printRule(afterEdge(kTextColumn), at(kOuterEdge));
  printEdge(kOuterEdge);
  advanceLines(1);
}

// An average over no games is 0, not a number that is none.
double perGame(double total, int32_t games) { return games == 0 ? 0.0 : total / games; }

void printRollCounts(int32_t games) {
  printAt(at(kRollCountColumn), "Top average Rolls" + strS(perGame(rollout.rollsMade[1], games)));
  advanceLines(1);
  printAt(at(kRollCountColumn), "Bottom average Rolls" + strS(perGame(rollout.rollsMade[0], games)));
  advanceLines(1);
  // Only the bottom player's rolls, and not per game.
  printAt(at(kRollCountColumn), "Total Rolls" + strS(rollout.rollsMade[0]));
  advanceLines(1);
  printAt(at(kRollCountColumn), "Games Play" + strS(games));
}

}  // namespace

void printRolloutResults() {
  if (!FBPrintDialog()) return;
  startPrintPage(kFirstReportLine);
  printStyle(kReportSize, kPrintBold);
  fitReportToPage(afterEdge(kOuterEdge));
  printStyle(kReportSize, kPrintBold);
  printTextBlocks();
  printStatisticsTable();
  advanceLines(2);
  printPicture();
  advanceLines(2);
  printRollCounts(rolloutStats.wins[0] + rolloutStats.wins[1]);
  // The footer's rule underlines "Games Play"; the line check above keeps both its lines on
  // the page.
  printPageFooter();
  FBClosePrint();
}

}  // namespace bg
