#include "rollout/game_record_printout.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>
#include <string_view>

#include "computer/personalities.h"
#include "rollout/print_page.h"
#include "rules/record_walk.h"
#include "runtime/core/format.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "state/app_constants.h"
#include "state/cube_state.h"
#include "state/position.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {

namespace {

constexpr int16_t kTitleSize = 14;
constexpr int16_t kHeaderSize = 10;
constexpr int16_t kAidsSize = 8;
constexpr int16_t kEntrySize = 9;
constexpr uint8_t kByteFlagOn = 255;
constexpr int16_t kCentredCube = 2;
constexpr int16_t kLastBoardPoint = 24;  // points 1 to 24; 0 and 25 are the bars
constexpr int16_t kPointMirror = 25;
constexpr int16_t kGammonWin = 2;
constexpr int16_t kBackgammonWin = 3;
// Header flags of entry 0.
constexpr int16_t kHeaderReRolledOpening = 64;
constexpr int16_t kHeaderHumanFirstRoll = 128;
constexpr int16_t kHeaderRollOverUsed = 256;
// The page break puts the headings under the title, and the entries below them.
constexpr int16_t kHeadingsLineAfterBreak = 3;
constexpr int16_t kFirstEntryLineAfterBreak = 4;
// The table's headings and the column units their entries stand at.
constexpr std::string_view kMoveHeadings = "Player     Die    From    To     Blot Hit";
constexpr std::string_view kCubeHeadings = "Doubled  Cube  Cube Owner";
constexpr std::string_view kBeaverHeading = "Beavered";
constexpr std::string_view kCubeGap = "   ";
constexpr std::string_view kBeaverGap = "  ";
constexpr double kPlayerUnits = 5;
constexpr double kDieUnits = 11;
constexpr double kOwnerUnits = 38;
constexpr double kBeaveredUnits = 47;
// Between a name and the next column.
constexpr int kColumnGap = 3;

using ResultText = PString<201>;
using AidLine = PString<101>;

std::string_view sideName(int16_t side) { return shell.playerNames[side].view(); }

// Count lines end in " Times" (" Time" for one) after the count's own blank.
AidLine countLine(std::string_view text, int count) {
  return AidLine(text) + strS(count) + (count == 1 ? " Time" : " Times");
}

std::vector<AidLine> aidLines() {
  const GameRecordEntry& h = record.gameRecord[0];
  std::vector<AidLine> lines;
  if ((h.flags & kHeaderHumanFirstRoll) != 0) lines.emplace_back("Human First Roll Used");
  if ((h.flags & kHeaderRollOverUsed) != 0) lines.emplace_back("Roll Over Used");
  if ((h.flags & kHeaderReRolledOpening) != 0) lines.emplace_back("Re-Rolled First Roll");
  const std::array<std::pair<std::string_view, int>, 8> counted = {{
      {"Doubling Advice Used", h.distance},
      {"Best Moves Advice Used", h.die1},
      {"Pip Count Used", h.die2},
      {"Remaining Rolls Used", h.moveNumber},
      {"Computer Unwillingly Accepted Cube", h.cubeOwner},
      {"Took Back Moves Used", h.cubeValue},
      {"Dice Entered Manually", h.toPoint},
      {"Doubles Taken Back", h.fromPoint},
  }};
  for (const auto& [text, count] : counted)
    if (count > 0) lines.push_back(countLine(text, count));
  const int winningUses = flow.whoIsWinningUses[0] + flow.whoIsWinningUses[1];
  if (winningUses > 0) lines.push_back(countLine("Whose Winning Used", winningUses));
  return lines;
}

// A line too long for the page (long names) goes on over as many lines as it needs.
void printHeaderLine(std::string_view text) {
  const int x = columnX(5, -2);
  for (const std::string& line : wrapToWidth(text, widthLeftFrom(x))) {
    printAt(x, line);
    ++printPage.printLine;
  }
}

void printHeaderLines() {
  printHeaderLine("Print Date - " + printPage.printDateText.str());
  printHeaderLine("Skill Level " + skillNameTable.skillNames[skill.skillLevel].str() + "-" +
                  menuItemText(kPersonalityMenu, skill.personality));
  if (settings.backgammonAllowed != kByteFlagOn) printHeaderLine("No Backgammons Allowed");
  if (cube.beaverAllowed != 0) printHeaderLine("Beavers Allowed");
  if (cube.jacobyRule != 0) printHeaderLine("Jacoby Rule");
  if (flow.tournamentGoing != 0) {
    printAt(columnX(5, -2), "Tournament ");
    printInteger(flow.tournamentPoints);
    if (cube.crawfordRule == kByteFlagOn) printString("Crawford Rule");
    ++printPage.printLine;
  }
  // The scores' numbers keep their own leading blank, as PRINT gives them.
  printHeaderLine("Scores: " + std::string(sideName(0)) + strS(flow.scores[0]) + " - " + std::string(sideName(1)) +
                  strS(flow.scores[1]));
  printHeaderLine(gameResultText());
}

// The line is full: the footer, a new page with the title and the headings.
void breakPage() {
  printPageFooter();
  printNewPage();
  printPage.printLine = 1;
  printPageHeader();
  printPage.printLine = kHeadingsLineAfterBreak;
  printMoveTableHeader();
  printPage.printLine = kFirstEntryLineAfterBreak;
}

// Every line, flag lines included, is followed by the page check.
void nextEntryLine() {
  ++printPage.printLine;
  if (printPage.printLine >= printPage.printLinesPerPage) breakPage();
}

struct HeadingPart {
  int16_t face;
  std::string_view text;
};
constexpr HeadingPart kHeadingParts[] = {{kPrintBoldUnderlined, kMoveHeadings},
                                         {kPrintBold, kCubeGap},
                                         {kPrintBoldUnderlined, kCubeHeadings},
                                         {kPrintBold, kBeaverGap},
                                         {kPrintBoldUnderlined, kBeaverHeading}};

// Where the headings' text ends after their first `parts` parts, the style left for entries.
int headingsX(size_t parts, std::string_view lastPart) {
  int x = columnX(5, -1);
  for (size_t n = 0; n < parts; ++n) {
    printStyle(kHeaderSize, kHeadingParts[n].face);
    x += printStringWidth(kHeadingParts[n].text);
  }
  if (!lastPart.empty()) {
    printStyle(kHeaderSize, kPrintBoldUnderlined);
    x += printStringWidth(lastPart);
  }
  printStyle(kEntrySize, kPrintPlain);
  return x;
}

// A name wraps inside its own column: up to the next column's heading or entries.
std::vector<std::string> linesOfName(int16_t side, int fromX, int toX) {
  return wrapToWidth(sideName(side), toX - fromX - kColumnGap);
}
int playerColumnEnd() {
  return std::min(columnX(kDieUnits), headingsX(0, kMoveHeadings.substr(0, kMoveHeadings.find("Die"))));
}
// The owner's column reaches the Beavered column's entries, or the paper's edge without them.
int ownerColumnEnd(const GameRecordEntry& doubling) {
  if (cube.beaverAllowed != 0 || (doubling.flags & kFlagBeavered) != 0) return columnX(kBeaveredUnits);
  return columnX(kOwnerUnits) + widthLeftFrom(columnX(kOwnerUnits));
}

// The first line of a text too long for the page where it begins; the rest is returned.
std::vector<std::string> printFirstLine(int x, std::vector<std::string> lines) {
  if (lines.empty()) return lines;
  printAt(x, lines.front());
  lines.erase(lines.begin());
  return lines;
}

// The lines of the doubling columns; the rest of a long owner's name is returned. A double
// declined has no owner: nobody took the cube.
std::vector<std::string> printCubeColumns(const GameRecordEntry& doubling, bool taken = true) {
  printAt(columnX(29, 4), "Yes");
  printIntegerAt(columnX(34), doubling.cubeValue);
  if ((doubling.flags & kFlagBeavered) != 0) printAt(columnX(kBeaveredUnits), "Yes");
  if (!taken) return {};
  if (isPlayerSide(doubling.cubeOwner)) {
    return printFirstLine(columnX(kOwnerUnits), linesOfName(doubling.cubeOwner, columnX(kOwnerUnits), ownerColumnEnd(doubling)));
  }
  if (doubling.cubeOwner == kCentredCube) {
    printAt(columnX(38), "  ");
  } else {
    printIntegerAt(columnX(38), doubling.cubeOwner);
  }
  return {};
}

void printPartMove(int16_t i, bool firstLine) {
  const GameRecordEntry& e = record.gameRecord[i];
  constexpr std::pair<int16_t, std::string_view> kFlagLines[] = {
      {kFlagReRolledOpening, " Re-Rolled first roll"},
      {kFlagRolledOver, " Rolled Over"},
      {kFlagDiceByHand, " Input the dice"},
  };
  for (const auto& [flag, text] : kFlagLines) {
    if ((e.flags & flag) == 0) continue;
    const std::string line = std::string(isPlayerSide(e.side) ? sideName(e.side) : std::string_view()) + std::string(text);
    for (const std::string& part : wrapToWidth(line, widthLeftFrom(columnX(5)))) {
      printAt(columnX(5), part);
      nextEntryLine();
    }
  }
  std::vector<std::string> nameRest;
  if (isPlayerSide(e.side)) nameRest = printFirstLine(columnX(5), linesOfName(e.side, columnX(kPlayerUnits), playerColumnEnd()));
  printIntegerAt(columnX(kDieUnits), e.distance);
  const bool unplayable = e.fromPoint == 0 && e.toPoint == 0;
  if (e.fromPoint >= 1 && e.fromPoint <= kLastBoardPoint) {
    printIntegerAt(columnX(14, 6), kPointMirror - e.fromPoint);
  } else if (!unplayable) {
    printAt(columnX(14, 6), "BAR");
  }
  if (e.toPoint < 0) {
    printAt(columnX(18, 5), "Tray");
  } else if (e.toPoint == 0) {
    printAt(columnX(14, 6), "Can't Move");
  } else {
    printIntegerAt(columnX(18, 5), kPointMirror - e.toPoint);
  }
  if (entryHits(e)) printAt(columnX(23, 4), "Yes");
  // A double shows on the line after the entry that carries it.
  const GameRecordEntry& before = record.gameRecord[i - 1];
  std::vector<std::string> ownerRest;
  if (!firstLine && (before.flags & kFlagDoubleRecorded) != 0) ownerRest = printCubeColumns(before);
  // Names too long for their columns go on in them on the lines after.
  for (size_t n = 0; n < std::max(nameRest.size(), ownerRest.size()); ++n) {
    nextEntryLine();
    if (n < nameRest.size()) printAt(columnX(5), nameRest[n]);
    if (n < ownerRest.size()) printAt(columnX(38), ownerRest[n]);
  }
}

// A move's entry (not the header, not an opening double, which shows its own) carries a
// double that the line after it shows.
bool carriesDouble(int16_t i) {
  const GameRecordEntry& e = record.gameRecord[i];
  return i >= 1 && isPlayerSide(e.side) && (e.flags & kFlagDoubleRecorded) != 0;
}

// A double with no move after it, the game's last: on the line after its entry all the same.
void printLastDouble(const GameRecordEntry& doubling, bool taken) {
  for (const std::string& rest : printCubeColumns(doubling, taken)) {
    nextEntryLine();
    printAt(columnX(kOwnerUnits), rest);
  }
}

void printEntries() {
  bool firstLine = true;
  for (int16_t i = 1; i <= record.gameRecordCount; ++i) {
    const GameRecordEntry& e = record.gameRecord[i];
    if (e.side == kGameEndEntrySide && carriesDouble(static_cast<int16_t>(i - 1))) {
      // The game ended at the double: the end entry's line, empty otherwise, shows it.
      printLastDouble(record.gameRecord[i - 1], e.moveNumber == 0);
    } else if (e.side == kAutoDoubleEntrySide) {
      printAt(columnX(5), "Same Roll - Double");
      printInteger(e.die1);
      if ((e.flags & kFlagDoubleRecorded) != 0) {
        printAt(columnX(29, 4), "Yes");
        printIntegerAt(columnX(34), e.cubeValue);
      }
    } else if (e.side == kGameEndEntrySide) {
      // The result follows the entries.
    } else if (e.distance >= 1) {
      printPartMove(i, firstLine);
      firstLine = false;
    } else if (!(i == 1 && e.side == 0)) {
      printAt(columnX(5), "Unknown Action");
    }
    nextEntryLine();
  }
  // A game still going, doubled since the last move.
  if (carriesDouble(record.gameRecordCount)) {
    printLastDouble(record.gameRecord[record.gameRecordCount], true);
    nextEntryLine();
  }
}

}  // namespace

std::string gameResultText() {
  const GameRecordEntry& end = record.gameRecord[record.gameRecordCount];
  if (end.side != kGameEndEntrySide) return "Game Was Not Completed";
  ResultText text(sideName(isPlayerSide(end.fromPoint) ? end.fromPoint : 0));
  text += " Won";
  text += strS(end.toPoint);
  // One blank before each text that follows, whichever follow.
  text += end.toPoint == 1 ? " Point" : " Points";
  if (end.die1 == kGammonWin) text += " With a Gammon";
  if (end.die1 == kBackgammonWin) text += " With a BackGammon";
  if (end.moveNumber != 0) {
    text += " - Double Declined";
  } else if (end.die2 != 0) {
    text += " - Concession";
  }
  return text.str();
}

void printPageHeader() {
  printStyle(kTitleSize, kPrintBold);
  printAt(columnX(5, -2), appConstants.programName.str() + " " + appConstants.versionText.str());
  printPage.printLine = static_cast<int16_t>(printPage.printLine + 2);
  printStyle(kHeaderSize, kPrintBold);
}

namespace {

// The widest line of the record: the headings, or the beaver column's entries.
int recordRightEdge() {
  const int headings = headingsX(std::size(kHeadingParts), {});
  return std::max(headings, columnX(kBeaveredUnits) + printStringWidth("Yes"));
}

}  // namespace

void printMoveTableHeader() {
  printStyle(kHeaderSize, kPrintBoldUnderlined);
  printAt(columnX(5, -1), kMoveHeadings);
  if (cube.cubeUsed != 0) {
    printStyle(kHeaderSize, kPrintBold);
    printString(kCubeGap);
    printStyle(kHeaderSize, kPrintBoldUnderlined);
    printString(kCubeHeadings);
  }
  if (cube.beaverAllowed != 0) {
    printStyle(kHeaderSize, kPrintBold);
    printString(kBeaverGap);
    printStyle(kHeaderSize, kPrintBoldUnderlined);
    printString(kBeaverHeading);
  }
  printStyle(kEntrySize, kPrintPlain);
}

void printAidsUsed() {
  const std::vector<AidLine> lines = aidLines();
  if (lines.empty()) return;
  ++printPage.printLine;
  printStyle(kAidsSize, kPrintBold);
  for (const AidLine& line : lines) {
    printAt(columnX(6), line.view());
    ++printPage.printLine;
  }
  printStyle(kHeaderSize, kPrintBold);
}

void printGameRecord() {
  if (!FBPrintDialog()) return;
  startPrintPage(1);
  fitReportToPage(recordRightEdge());
  fillPageWithLines();
  printPageHeader();
  printHeaderLines();
  printAidsUsed();
  ++printPage.printLine;
  printMoveTableHeader();
  printPage.printLine = static_cast<int16_t>(printPage.printLine + 2);
  printEntries();
  const std::vector<std::string> result = wrapToWidth(gameResultText(), widthLeftFrom(columnX(5)));
  for (size_t n = 0; n < result.size(); ++n) {
    if (n > 0) nextEntryLine();
    printAt(columnX(5), result[n]);
  }
  ++printPage.printLine;
  // Every page ends in its footer, the last one too, at the foot of the page.
  if (printPage.printLine <= printPage.printLinesPerPage) printPage.printLine = printPage.printLinesPerPage;
  printPageFooter();
  FBClosePrint();
}

}  // namespace bg
