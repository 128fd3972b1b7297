// The printed game record read back from the PDF: header lines, result, aids, entry
// columns, the double's columns, page breaks with their footers, and a cancelled job.
#include <algorithm>
#include <string>
#include <vector>

#include "computer/program_data.h"
#include "display/message_line.h"
#include "interaction/board_commands.h"
#include "interaction/key_commands.h"
#include "rollout/game_record_printout.h"
#include "runtime/core/clock.h"
#include "state/board_requests.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/settings.h"
#include "rollout/print_fixture.h"
#include "support/position_text.h"

namespace bg {
namespace {

using testing::PdfText;
using testing::PdfWord;

constexpr double kEntrySize = 9;
constexpr double kHeaderSize = 10;
// A printed number's own leading blank, in the 9-point entry face.
constexpr double kEntryBlank = 0.318 * kEntrySize;

class GameRecordPrintout : public testing::PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    // No rule line in the header unless a test adds one.
    settings.backgammonAllowed = 255;
    cube.beaverAllowed = 0;
    cube.jacobyRule = 0;
    flow.tournamentGoing = 0;
    record.gameRecordCount = 0;
  }

  void entry(int16_t i, int16_t side, int16_t from, int16_t to, int16_t distance, int16_t flags = 0) {
    GameRecordEntry e;
    e.side = side;
    e.fromPoint = from;
    e.toPoint = to;
    e.distance = distance;
    e.flags = flags;
    record.gameRecord[i] = e;
    record.gameRecordCount = std::max(record.gameRecordCount, i);
  }

  PdfText print() {
    printGameRecord();
    return printed();
  }

  void expectAt(const PdfText& t, const std::string& word, int page, int line, double x, double size) {
    SCOPED_TRACE(word);
    const auto w = t.find(word, page);
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(lineOf(*w, size), line);
    EXPECT_NEAR(xOf(*w), x, 1.0);
  }

  // The job's last line, the footer's rule, and the page number's line below it: at the
  // foot of the paper, wherever that is.
  static int ruleLine() { return printPage.printLinesPerPage; }
  static int footerLine() { return ruleLine() + 1; }

  // Every word of the page with its line, footer sizes taken for the footer's two lines.
  std::vector<std::pair<int, PdfWord>> linesOfPage(const PdfText& t, int page) {
    std::vector<std::pair<int, PdfWord>> out;
    for (const PdfWord& w : t.onPage(page)) out.emplace_back(lineOf(w, kEntrySize), w);
    return out;
  }
};

TEST_F(GameRecordPrintout, AnEmptyRecordHasItsLinesAndAFooterAtTheFoot) {
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  EXPECT_EQ(t.pages, 1);
  expectAt(t, "Tavrik's", 1, 1, 48, 14);
  expectAt(t, "Print", 1, 3, 48, kHeaderSize);
  expectAt(t, "Skill", 1, 4, 48, kHeaderSize);
  const auto level = t.find("Level5-Balanced");
  ASSERT_TRUE(level.has_value());
  EXPECT_EQ(lineOf(*level, kHeaderSize), 4);
  expectAt(t, "Scores:", 1, 5, 48, kHeaderSize);
  expectAt(t, "Player", 1, 8, 49, kHeaderSize);
  const auto results = t.all("Completed");
  ASSERT_EQ(results.size(), 2u);
  const auto games = t.all("Game");
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(lineOf(games[0], kHeaderSize), 6);
  EXPECT_NEAR(xOf(games[0]), 48, 1.0);
  EXPECT_EQ(lineOf(games[1], kEntrySize), 10);
  EXPECT_NEAR(xOf(games[1]), 50, 1.0);
  EXPECT_GT(ruleLine(), 63);  // the default paper, A4, is taller than 63 lines and their footer
  expectAt(t, std::string(82, '_'), 1, ruleLine(), 50, 8);
  const auto titles = t.all("Tavrik's");
  ASSERT_EQ(titles.size(), 2u);  // the title line and the footer's "Tavrik's Backgammon"
  expectAt(t, "page", 1, footerLine(), 265, 8);
  const std::string day = dateTextAbbrev().substr(0, dateTextAbbrev().find(' '));
  const auto days = t.all(day);
  ASSERT_EQ(days.size(), 2u);  // after "Print Date - " and in the footer
  EXPECT_EQ(lineOf(days[1], 8), footerLine());
  EXPECT_NEAR(xOf(days[1]), 453, 1.0);
  EXPECT_EQ(footerPageNumber(t, 1, footerLine()), "1");
}

TEST_F(GameRecordPrintout, EachRuleLineMovesTheRestDownOne) {
  cube.jacobyRule = -1;
  const PdfText t = print();
  expectAt(t, "Jacoby", 1, 5, 48, kHeaderSize);
  expectAt(t, "Scores:", 1, 6, 48, kHeaderSize);
  expectAt(t, "Player", 1, 9, 49, kHeaderSize);
  const auto games = t.all("Game");
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(lineOf(games[0], kHeaderSize), 7);
  EXPECT_EQ(lineOf(games[1], kEntrySize), 11);
  expectAt(t, "page", 1, footerLine(), 265, 8);
  // All four rules at once.
  settings.backgammonAllowed = 0;
  cube.beaverAllowed = -1;
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 7;
  const PdfText all = print();
  for (const char* word : {"No", "Beavers", "Jacoby", "Tournament"}) {
    const auto w = all.find(word);
    ASSERT_TRUE(w.has_value()) << word;
    EXPECT_NEAR(w->xMin - all.find("Scores:")->xMin, 0, 1.0);
  }
  EXPECT_EQ(lineOf(*all.find("Tournament"), kHeaderSize), 8);
  EXPECT_EQ(lineOf(*all.find("Scores:"), kHeaderSize), 9);
}

TEST_F(GameRecordPrintout, TheTournamentLineKeepsTheNumbersOwnBlank) {
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 7;
  cube.crawfordRule = 255;
  const PdfText t = print();
  const auto word = t.find("Tournament");
  const auto number = t.find("7Crawford");
  ASSERT_TRUE(word.has_value());
  ASSERT_TRUE(number.has_value());
  EXPECT_EQ(lineOf(*number, kHeaderSize), 5);
  // Two blanks of the bold 10-point face between the word and the digit.
  EXPECT_GT(number->xMin - word->xMax, 6.0);
  EXPECT_LT(number->xMin - word->xMax, 8.0);
  cube.crawfordRule = 0;
  const PdfText plain = print();
  EXPECT_TRUE(plain.find("7").has_value());
  EXPECT_FALSE(plain.find("7Crawford").has_value());
}

TEST_F(GameRecordPrintout, ResultTexts) {
  struct Row {
    int16_t winner, points, kind, concession, declined;
    const char* text;
  };
  const Row rows[] = {
      {1, 1, 1, 0, 0, "Computer Won 1 Point"},
      {0, 4, 2, 0, 0, "You Won 4 Points With a Gammon"},
      {0, 6, 3, 0, 0, "You Won 6 Points With a BackGammon"},
      {1, 2, 1, -1, 0, "Computer Won 2 Points - Concession"},
      {0, 2, 1, -1, -1, "You Won 2 Points - Double Declined"},
      {0, 4, 2, 0, -1, "You Won 4 Points With a Gammon - Double Declined"},
  };
  EXPECT_EQ(gameResultText(), "Game Was Not Completed");
  for (const Row& r : rows) {
    GameRecordEntry end;
    end.side = kGameEndEntrySide;
    end.fromPoint = r.winner;
    end.toPoint = r.points;
    end.die1 = r.kind;
    end.die2 = r.concession;
    end.moveNumber = r.declined;
    record.gameRecord[3] = end;
    record.gameRecordCount = 3;
    EXPECT_EQ(gameResultText(), r.text);
  }
  shell.playerNames[0] = Str100(std::string(100, 'x'));
  record.gameRecord[3].fromPoint = 0;
  EXPECT_LE(gameResultText().size(), 201u);
}

// Names as long as they may be: the scores line and both result lines stay on the page,
// wrapped between words or inside a name with no blank, and the headings move down.
TEST_F(GameRecordPrintout, LongNamesAreWrappedOnThePage) {
  GameRecordEntry end;
  end.side = kGameEndEntrySide;
  end.fromPoint = 0;
  end.toPoint = 4;
  end.die1 = 2;
  end.moveNumber = -1;
  record.gameRecord[1] = end;
  record.gameRecordCount = 1;
  const PdfText shortNames = print();
  ASSERT_TRUE(shortNames.read);
  const int headings = lineOf(*shortNames.find("Player"), kHeaderSize);

  std::string words;
  for (int i = 0; words.size() < 94; ++i) words += "name" + std::to_string(i) + " ";
  shell.playerNames[0] = Str100(words.substr(0, 99) + "z");
  shell.playerNames[1] = Str100(std::string(100, 'y'));
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  EXPECT_EQ(t.pages, 1);
  for (const PdfWord& w : t.words) EXPECT_LE(w.xMax, page.right + 0.5) << w.text << " runs past the page";
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(t.find("name" + std::to_string(i)).has_value()) << i << " is not whole";
  // Both names on the scores line and the winner's in the result: a line and more each.
  const int scores = lineOf(*t.find("Scores:"), kHeaderSize);
  const int player = lineOf(*t.find("Player"), kHeaderSize);
  EXPECT_GE(player - headings, 3);
  std::string header;
  for (int line = scores; line < player - 1; ++line) {
    std::vector<PdfWord> onLine;
    for (const PdfWord& w : t.onPage(1))
      if (lineOf(w, kHeaderSize) == line) onLine.push_back(w);
    std::sort(onLine.begin(), onLine.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    for (const PdfWord& w : onLine) header += w.text;
  }
  std::string expected = "Scores: " + shell.playerNames[0].str() + " 0 - " + shell.playerNames[1].str() + " 0" +
                         gameResultText();
  std::erase(expected, ' ');
  EXPECT_EQ(header, expected);
  // The result after the entries keeps its words too.
  EXPECT_EQ(t.all("Declined").size(), 2u);
  EXPECT_EQ(footerPageNumber(t, 1, footerLine()), "1");
}

// In the entries too: a long name, a flag line with it and a long cube owner go on in their
// columns on the lines after, and the next entry comes below them.
TEST_F(GameRecordPrintout, LongNamesInTheEntriesStayOnThePage) {
  cube.cubeUsed = -1;
  auto entries = [this] {
    entry(1, 0, 24, 21, 3, kFlagDoubleRecorded | kFlagDiceByHand);
    record.gameRecord[1].cubeOwner = 1;
    record.gameRecord[1].cubeValue = 2;
    entry(2, 0, 21, 18, 3);
    entry(3, 1, 24, 20, 4);
  };
  entries();
  const PdfText shortNames = print();
  ASSERT_TRUE(shortNames.read);
  const int lastEntry = lineOf(*shortNames.find("Computer"), kEntrySize);

  shell.playerNames[0] = Str100(std::string(100, 'W'));
  shell.playerNames[1] = Str100(std::string(100, 'y'));
  entries();
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  for (const PdfWord& w : t.words) EXPECT_LE(w.xMax, page.right + 0.5) << w.text << " runs past the page";
  std::string firstName, ownerName;
  int lastLine = 0;
  for (const PdfWord& w : t.onPage(1)) {
    if (lineOf(w, kEntrySize) <= 10) continue;  // the header's scores line
    if (w.text.find_first_not_of('W') == std::string::npos) firstName += w.text;
    if (w.text.find_first_not_of('y') == std::string::npos) {
      if (std::abs(xOf(w) - 380) < 1.0) ownerName += w.text;
      else lastLine = std::max(lastLine, lineOf(w, kEntrySize));
    }
  }
  // Three times the first side's name (the flag line, entries 1 and 2), once the owner's.
  EXPECT_EQ(firstName, std::string(300, 'W'));
  EXPECT_EQ(ownerName, std::string(100, 'y'));
  EXPECT_GT(lastLine, lastEntry + 3);
}

TEST_F(GameRecordPrintout, EntryColumnsAndTheDoubleOnTheNextLine) {
  entry(1, 0, 24, 21, 3, kFlagHit);
  entry(2, 0, 0, 0, 5);                            // the other die could not be played
  entry(3, 1, 25, 20, 5);                          // in from the bar
  record.gameRecord[3].flags = kFlagDoubleRecorded;
  record.gameRecord[3].cubeOwner = 0;
  record.gameRecord[3].cubeValue = 2;
  entry(4, 1, 3, -1, 3);                           // borne off
  entry(5, 1, 6, -1, 6, kFlagHit);                 // borne off: a hit mark there hits nothing
  const PdfText t = print();
  // Headings at 8, entries from 10.
  expectAt(t, "Can't", 1, 11, 146, kEntrySize);
  expectAt(t, "BAR", 1, 12, 146, kEntrySize);
  expectAt(t, "Tray", 1, 13, 185, kEntrySize);
  // 25 - from and 25 - to.
  expectAt(t, "1", 1, 10, 146 + kEntryBlank, kEntrySize);
  expectAt(t, "4", 1, 10, 185 + kEntryBlank, kEntrySize);
  expectAt(t, "22", 1, 13, 146 + kEntryBlank, kEntrySize);
  const auto yes = t.all("Yes");
  ASSERT_EQ(yes.size(), 2u);
  EXPECT_EQ(lineOf(yes[0], kEntrySize), 10);  // the hit
  EXPECT_NEAR(xOf(yes[0]), 234, 1.0);
  // The double carried by entry 3 shows on entry 4's line: doubled, the cube, its owner.
  EXPECT_EQ(lineOf(yes[1], kEntrySize), 13);
  EXPECT_NEAR(xOf(yes[1]), 294, 1.0);
  expectAt(t, "2", 1, 13, 340 + kEntryBlank, kEntrySize);
  int yous = 0;
  for (const PdfWord& w : t.all("You"))
    if (lineOf(w, kEntrySize) == 13 && std::abs(xOf(w) - 380) < 1.0) ++yous;
  EXPECT_EQ(yous, 1);
}

// The last double of a game shows on the line after its entry too: a beaver and then a
// concession, a double declined (nobody owns the cube it was offered at), a game still going.
TEST_F(GameRecordPrintout, TheLastDoubleOfAGameShowsOnTheLineAfterIt) {
  const struct {
    const char* end;
    bool ended, declined;
  } rows[] = {{"conceded", true, false}, {"declined", true, true}, {"still going", false, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.end);
    record = GameRecord{};
    entry(1, 0, 24, 22, 2);
    entry(2, 0, 13, 8, 5, kFlagDoubleRecorded | kFlagBeavered);
    record.gameRecord[2].cubeOwner = 0;
    record.gameRecord[2].cubeValue = 4;
    if (r.ended) {
      entry(3, kGameEndEntrySide, 0, 8, 0);
      record.gameRecord[3].die2 = r.declined ? 0 : -1;
      record.gameRecord[3].moveNumber = r.declined ? -1 : 0;
    }
    const PdfText t = print();
    std::vector<std::pair<int, int>> yes;
    for (const PdfWord& w : t.all("Yes")) yes.emplace_back(lineOf(w, kEntrySize), static_cast<int>(xOf(w) + 0.5));
    EXPECT_EQ(yes, (std::vector<std::pair<int, int>>{{12, 294}, {12, 470}})) << "doubled and beavered";
    expectAt(t, "4", 1, 12, 340 + kEntryBlank, kEntrySize);
    int owners = 0;
    for (const PdfWord& w : t.all("You"))
      if (lineOf(w, kEntrySize) == 12 && std::abs(xOf(w) - 380) < 1.0) ++owners;
    EXPECT_EQ(owners, r.declined ? 0 : 1);
  }
}

TEST_F(GameRecordPrintout, ADoubleOnTheFirstEntryNeverShowsOnTheFirstLine) {
  entry(1, 0, 24, 21, 3);
  record.gameRecord[0].flags = kFlagDoubleRecorded;  // what stands before the first entry
  record.gameRecord[0].cubeValue = 2;
  entry(2, 0, 13, 10, 3);
  const PdfText t = print();
  EXPECT_FALSE(t.find("Yes").has_value());
}

TEST_F(GameRecordPrintout, AidsBlockComesBeforeTheHeadings) {
  record.gameRecord[0].flags = 128 | 256;
  record.gameRecord[0].die2 = 3;   // pip count
  flow.whoIsWinningUses[1] = 2;
  const PdfText t = print();
  expectAt(t, "Human", 1, 8, 60, 8);
  EXPECT_EQ(lineOf(*t.find("Over"), 8), 9);
  expectAt(t, "Pip", 1, 10, 60, 8);
  expectAt(t, "Whose", 1, 11, 60, 8);
  expectAt(t, "Player", 1, 13, 49, kHeaderSize);
}

TEST_F(GameRecordPrintout, TheAdviceCountsReadAsWords) {
  record.gameRecord[0].distance = 2;  // doubling advice
  record.gameRecord[0].die1 = 1;      // best moves advice
  const PdfText t = print();
  const auto advice = t.all("Advice");
  ASSERT_EQ(advice.size(), 2u);
  EXPECT_EQ(lineOf(advice[0], 8), 8);
  EXPECT_EQ(lineOf(advice[1], 8), 9);
}

// An aid is counted however it is asked for: the typed letter (the Commands item types it
// too) or the letter on the board frame.
TEST_F(GameRecordPrintout, AnAidIsCountedHoweverItIsAskedFor) {
  initComputerData();
  struct Row {
    char letter;
    bool onTheFrame;
    const char* line;
  };
  const Row rows[] = {
      {'D', false, "Doubling Advice Used 1 Time"}, {'D', true, "Doubling Advice Used 1 Time"},
      {'R', false, "Remaining Rolls Used 1 Time"}, {'R', true, "Remaining Rolls Used 1 Time"},
      {'P', false, "Pip Count Used 1 Time"},       {'P', true, "Pip Count Used 1 Time"},
  };
  for (const Row& r : rows) {
    const std::string what = std::string(1, r.letter) + (r.onTheFrame ? " on the frame" : " typed");
    testing::personToPlay("start | side 0");
    diceState.diceShowing = 0;
    cube.cubeUsed = -1;
    record.gameRecord[0] = GameRecordEntry{};
    if (r.onTheFrame) {
      *letterRequest(r.letter) = -1;
      runBoardCommand();
    } else {
      interactionDisplay.keyBuffer = Str255(std::string(1, r.letter));
      doKeyDown();
    }
    const PdfText t = print();
    std::vector<PdfWord> aids;
    for (const PdfWord& w : t.onPage(1))
      if (lineOf(w, 8) == 8) aids.push_back(w);
    std::sort(aids.begin(), aids.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    std::string line;
    for (const PdfWord& w : aids) line += (line.empty() ? "" : " ") + w.text;
    EXPECT_EQ(line, r.line) << what;
  }
}

TEST_F(GameRecordPrintout, AFullRecordBreaksPagesWithFlagLinesAndNumbersThem) {
  // Every entry takes two lines: a roll-over line, then the move.
  for (int16_t i = 1; i < kGameRecordHighest; ++i) entry(i, static_cast<int16_t>(i % 2), 13, 10, 3, kFlagRolledOver);
  GameRecordEntry end;
  end.side = kGameEndEntrySide;
  end.fromPoint = 1;
  end.toPoint = 1;
  record.gameRecord[kGameRecordHighest] = end;
  record.gameRecordCount = kGameRecordHighest;
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  ASSERT_GT(t.pages, 30);
  const std::string rule(82, '_');
  for (int page = 1; page <= t.pages; ++page) {
    SCOPED_TRACE(page);
    bool footerSeen = false;
    for (const auto& [line, w] : linesOfPage(t, page)) {
      // Nothing but the footer on its lines, and nothing past the page.
      if (w.text == rule) {
        EXPECT_EQ(lineOf(w, 8), ruleLine());
        footerSeen = true;
      } else if (lineOf(w, 8) == footerLine()) {
        continue;
      } else {
        EXPECT_LT(line, ruleLine()) << w.text;
      }
    }
    EXPECT_TRUE(footerSeen);
    EXPECT_EQ(footerPageNumber(t, page, footerLine()), std::to_string(page));
    if (page > 1) {
      expectAt(t, "Tavrik's", page, 1, 48, 14);
      expectAt(t, "Player", page, 3, 49, kHeaderSize);
    }
  }
  // The second page's entries start at line 4.
  int firstEntryLine = 99;
  for (const PdfWord& w : t.onPage(2))
    if (w.text == "Rolled" || w.text == "You" || w.text == "Computer")
      firstEntryLine = std::min(firstEntryLine, lineOf(w, kEntrySize));
  EXPECT_EQ(firstEntryLine, 4);
  EXPECT_EQ(t.all("Won").size(), 2u);
}

TEST_F(GameRecordPrintout, CancellingPrintsNothingAndChangesNothing) {
  setPrintDialogResponder(testing::cancelPrinting);
  printPage.printLine = 17;
  printPage.printPageNumber = 4;
  printGameRecord();
  EXPECT_EQ(testing::printDialogsShown(), 1);
  EXPECT_FALSE(QFile::exists(testing::pdfTarget()));
  EXPECT_EQ(printPage.printLine, 17);
  EXPECT_EQ(printPage.printPageNumber, 4);
}

}  // namespace
}  // namespace bg
