// The printed rollout report read back from the PDF: where each text, row and picture cell
// lands, the too-few-games page, the long report on two pages, its footer and a cancel.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "rollout/print_fixture.h"
#include "rollout/rollout_printout.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/clock.h"
#include "state/rollout_state.h"

namespace bg {
namespace {

using testing::PdfText;
using testing::PdfWord;

constexpr double kBodySize = 10;
const std::string kFooterRule(82, '_');

// The marks' columns, outer edge inward, as the report places them.
constexpr double kLeftQuarterX[] = {89, 120, 152, 184, 216, 248};
constexpr double kRightQuarterX[] = {308, 339, 371, 403, 435, 467};
constexpr double kBarCellX = 279;

class RolloutPrintout : public testing::PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    skill.skillLevel = 5;
    rolloutSettings.minMaxStart = 10;
    rolloutSettings.rolloutBackgammonsAllowed = -1;
  }

  // A rollout of 50 games: 10 won by the top player, 40 by the bottom one.
  void fiftyGames() {
    RolloutStats& st = rolloutStats;
    st.wins[0] = 40, st.wins[1] = 10;
    st.points[0] = 75, st.points[1] = 25;
    st.gammons[0] = 5, st.gammons[1] = 3;
    st.backgammons[0] = 1, st.backgammons[1] = 0;
    st.maxPercent[0] = 80.0, st.maxPercent[1] = 30.5;
    st.minPercent[0] = 70.0, st.minPercent[1] = 20.0;
    st.maxEquity = 1.2, st.minEquity = 0.85;
    st.maxEquityGame = 12, st.minEquityGame = 31;
    rollout.rollsMade[0] = 510, rollout.rollsMade[1] = 490;
  }

  PdfText print() {
    printRolloutResults();
    return printed();
  }

  // The words of one body line, left to right.
  std::vector<PdfWord> wordsOnLine(const PdfText& t, int page, int line, double size = kBodySize) const {
    std::vector<PdfWord> out;
    for (const PdfWord& w : t.onPage(page))
      if (lineOf(w, size) == line) out.push_back(w);
    std::sort(out.begin(), out.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return out;
  }
  std::optional<PdfWord> wordOnLine(const PdfText& t, int page, int line, const std::string& text) const {
    for (const PdfWord& w : wordsOnLine(t, page, line))
      if (w.text == text) return w;
    return std::nullopt;
  }
  int lineOfFirst(const PdfText& t, const std::string& text, double size = kBodySize) const {
    const auto w = t.find(text);
    return w ? lineOf(*w, size) : -1;
  }
  // The x of marks on a line, in order. The mark of point 18 or 7 stands so close to the
  // bar's edge that the two read as one word: its x is then the word's end less its width.
  std::vector<double> marksOnLine(const PdfText& t, int pageNumber, int line, const std::string& mark) const {
    std::vector<double> xs;
    for (const PdfWord& w : wordsOnLine(t, pageNumber, line)) {
      if (w.text == mark) xs.push_back(xOf(w));
      if (w.text == "|" + mark) xs.push_back(xOf(w) + (w.xMax - w.xMin) - textWidth(mark));
    }
    return xs;
  }
  // The picture's top rule: the first line of the page with a rule at 5w.
  int pictureTopLine(const PdfText& t, int pageNumber = 1) const {
    int line = 99;
    for (const PdfWord& w : t.onPage(pageNumber))
      if (w.text.find_first_not_of('_') == std::string::npos && std::abs(xOf(w) - 50) < 1.0)
        line = std::min(line, lineOf(w, kBodySize));
    return line;
  }
  static double textWidth(const std::string& text) {
    printTextStyle(kPrintFont, 10, kPrintBold);
    return printStringWidth(text);
  }
  static double blankWidth(int blanks) { return textWidth(std::string(static_cast<size_t>(blanks), ' ')); }
};

void expectNear(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1.0) << i;
}

TEST_F(RolloutPrintout, TooFewGamesStandsOnTheFirstLineAndAveragesPrintZero) {
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  EXPECT_EQ(t.pages, 1);
  const auto first = t.find("Not");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(lineOf(*first, kBodySize), 9);
  EXPECT_NEAR(baselineOf(*first, kBodySize) - page.top, 99, 1.0);
  EXPECT_NEAR(xOf(*first), 48, 1.0);
  EXPECT_EQ(lineOfFirst(t, "results"), 9);
  EXPECT_FALSE(t.find("double.").has_value());
  EXPECT_FALSE(t.find("suspect").has_value());
  // The counts line follows after an empty line.
  EXPECT_EQ(lineOfFirst(t, "MinMaxStart:"), 11);
  for (const PdfWord& w : t.words) {
    std::string lower = w.text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(lower.find("nan"), std::string::npos) << w.text;
    EXPECT_EQ(lower.find("inf"), std::string::npos) << w.text;
  }
  const int top = lineOfFirst(t, "Top");
  for (const auto& [word, line] : std::vector<std::pair<std::string, int>>{{"Top", top}, {"Bottom", top + 1}}) {
    const auto words = wordsOnLine(t, 1, line);
    ASSERT_EQ(words.size(), 4u) << word;
    EXPECT_EQ(words[0].text, word);
    EXPECT_NEAR(xOf(words[0]), 53, 1.0);
    EXPECT_EQ(words[3].text, "0");
  }
  // "Games Play 0" carries the footer's rule; the footer's second line follows it.
  const auto play = t.find("Play");
  ASSERT_TRUE(play.has_value());
  const int playLine = lineOf(*play, kBodySize);
  EXPECT_EQ(playLine, top + 3);
  const auto rule = t.find(kFooterRule);
  ASSERT_TRUE(rule.has_value());
  EXPECT_EQ(lineOf(*rule, kFooterSize), playLine);
  EXPECT_EQ(footerPageNumber(t, 1, playLine + 1), "1");
}

TEST_F(RolloutPrintout, TextBlocksAndTheirSpacing) {
  struct Row {
    const char* description;
    int32_t wins0, wins1, points0, points1;
    int16_t diceShowing, side;
    int descriptionLine, warningLine, adviceLine, takeLine, countsLine, headsLine, gamesLine;
  };
  const Row rows[] = {
      // A description of one blank takes its two lines, as any other.
      {" ", 0, 0, 0, 0, 0, 0, 9, 11, -1, -1, 13, 16, 18},
      {"Back game", 0, 0, 0, 0, 0, 0, 9, 11, -1, -1, 13, 16, 18},
      // Advice only with player 0 to move and no dice.
      {"", 40, 10, 75, 25, 0, 0, -1, 9, 11, 12, 14, 17, 19},
      {"", 40, 10, 75, 25, -1, 0, -1, 9, -1, -1, 11, 14, 16},
      {"", 40, 10, 75, 25, 0, 1, -1, 9, -1, -1, 11, 14, 16},
      // No warning from 1000 games on.
      {"Back game", 600, 400, 600, 400, 0, 0, 9, -1, 11, 12, 14, 17, 19},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.description) + " " + std::to_string(r.wins0));
    rolloutSettings.description = r.description;
    rolloutStats.wins[0] = r.wins0, rolloutStats.wins[1] = r.wins1;
    rolloutStats.points[0] = r.points0, rolloutStats.points[1] = r.points1;
    rolloutSnapshot.diceShowing = r.diceShowing;
    rolloutSnapshot.sideToMove = r.side;
    const PdfText t = print();
    ASSERT_TRUE(t.read);
    if (r.descriptionLine > 0 && std::string(r.description) != " ") {
      EXPECT_EQ(lineOfFirst(t, "Back"), r.descriptionLine);
    }
    const int warning = std::max(lineOfFirst(t, "Not"), lineOfFirst(t, "suspect"));
    EXPECT_EQ(warning, r.warningLine);
    EXPECT_EQ(std::max(lineOfFirst(t, "double."), lineOfFirst(t, "Double")), r.adviceLine);
    EXPECT_EQ(lineOfFirst(t, "accept."), r.takeLine);
    EXPECT_EQ(lineOfFirst(t, "MinMaxStart:"), r.countsLine);
    EXPECT_EQ(lineOfFirst(t, "Backgammons/Level5"), r.countsLine + 1);
    EXPECT_EQ(lineOfFirst(t, "Computer/Top"), r.headsLine);
    EXPECT_EQ(lineOfFirst(t, "Gammons") - 2, r.gamesLine);
    for (const char* word : {"MinMaxStart:", "Computer/Top"}) {
      const auto w = t.find(word);
      ASSERT_TRUE(w.has_value());
      EXPECT_GT(xOf(*w), 48) << word;
    }
    const auto today = t.find(dateTextAbbrev().substr(0, dateTextAbbrev().find(' ')));
    ASSERT_TRUE(today.has_value());
    EXPECT_EQ(lineOf(*today, kBodySize), r.countsLine);
    EXPECT_NEAR(xOf(*today), 48, 1.0);
  }
}

TEST_F(RolloutPrintout, StatisticsRowsStandAtTheirColumns) {
  fiftyGames();
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  struct Row {
    const char* label;
    double labelX;
    int labelBlanks;
    const char* top;
    double topX;
    int topBlanks;
    const char* bottom;
    double bottomX;
    int bottomBlanks;
  };
  // Texts and masks' blanks as the report file has them.
  const Row rows[] = {
      {"Games", 48, 0, "10", 230, 4, "40", 330, 4},
      {"Points", 48, 0, "25", 230, 4, "75", 330, 4},
      {"Gammons", 48, 0, "3", 230, 5, "5", 330, 5},
      {"Backgammons", 48, 0, "0", 230, 5, "1", 330, 5},
      {"Percent", 48, 0, "25.0", 223, 2, "75.0", 323, 2},
      {"Max", 60, 2, "30.5", 232, 2, "80.0", 330, 2},
      {"Min", 60, 2, "20.0", 232, 2, "70.0", 330, 2},
      {"Equity", 48, 0, "-1.0000", 206, 1, "1.0000", 306, 2},
      {"Max", 60, 2, "-0.8500", 215, 1, "1.2000", 315, 2},
      {"Min", 60, 2, "-1.2000", 215, 1, "0.8500", 315, 2},
  };
  // Suspect 9, advice 11 and 12, counts 14, options 15, headings 17, rows from 19.
  int line = 19;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    const auto words = wordsOnLine(t, 1, line);
    ASSERT_GE(words.size(), 3u);
    EXPECT_EQ(words[0].text, r.label);
    EXPECT_NEAR(xOf(words[0]), r.labelX + blankWidth(r.labelBlanks), 1.0);
    const auto top = wordOnLine(t, 1, line, r.top);
    const auto bottom = wordOnLine(t, 1, line, r.bottom);
    ASSERT_TRUE(top.has_value());
    ASSERT_TRUE(bottom.has_value());
    EXPECT_NEAR(xOf(*top), r.topX + blankWidth(r.topBlanks), 1.0);
    EXPECT_NEAR(xOf(*bottom), r.bottomX + blankWidth(r.bottomBlanks), 1.0);
    ++line;
  }
  // The games of the equity extremes: "  @" and the number in six places at 37w.
  for (const auto& [row, game] : std::vector<std::pair<int, std::string>>{{27, "12"}, {28, "31"}}) {
    const auto at = wordOnLine(t, 1, row, "@");
    const auto number = wordOnLine(t, 1, row, game);
    ASSERT_TRUE(at.has_value());
    ASSERT_TRUE(number.has_value());
    EXPECT_NEAR(xOf(*at), 370 + blankWidth(2), 1.0);
  }
  // Two empty lines before the picture, then the roll counts after it.
  EXPECT_EQ(pictureTopLine(t), 31);
  const int topLine = lineOfFirst(t, "Top");
  EXPECT_EQ(wordsOnLine(t, 1, topLine)[3].text, "9.8");
  EXPECT_EQ(wordsOnLine(t, 1, topLine + 1)[3].text, "10.2");
  EXPECT_EQ(wordsOnLine(t, 1, topLine + 2)[2].text, "510");  // the bottom player's total
  EXPECT_TRUE(wordOnLine(t, 1, topLine + 3, "50").has_value());
}

TEST_F(RolloutPrintout, PictureCellsStandUnderTheirPoints) {
  fiftyGames();
  // One checker on every point, the top player's above, the bottom player's below, one
  // on each bar; two more on 24 and three on 1 show which column is which.
  CheckedArray<int16_t, 25>& b = rolloutStats.rolloutStartBoard;
  for (int label = 1; label <= 12; ++label) b[25 - label] = 1;
  for (int label = 13; label <= 24; ++label) b[25 - label] = -1;
  b[0] = -1;
  b[25] = 1;
  b[25 - 24] = -3;
  b[25 - 1] = 3;
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  const int labels = pictureTopLine(t) + 1;
  std::vector<double> full(std::begin(kLeftQuarterX), std::end(kLeftQuarterX));
  full.push_back(kBarCellX);
  full.insert(full.end(), std::begin(kRightQuarterX), std::end(kRightQuarterX));
  // Top rows from the edge down: row 1 full, rows 2 and 3 only point 24.
  expectNear(marksOnLine(t, 1, labels + 2, "C"), full);
  expectNear(marksOnLine(t, 1, labels + 3, "C"), {kLeftQuarterX[0]});
  expectNear(marksOnLine(t, 1, labels + 4, "C"), {kLeftQuarterX[0]});
  EXPECT_TRUE(marksOnLine(t, 1, labels + 2, "Y").empty());
  // Spacer, roll line, spacer, then the bottom rows from row 3 down to the edge.
  EXPECT_EQ(lineOfFirst(t, "BAR"), labels + 6);
  expectNear(marksOnLine(t, 1, labels + 8, "Y"), {kLeftQuarterX[0]});
  expectNear(marksOnLine(t, 1, labels + 9, "Y"), {kLeftQuarterX[0]});
  expectNear(marksOnLine(t, 1, labels + 10, "Y"), full);
  // The lower edge, the numbers of points 1 to 12 and the last rule.
  const auto lowerEdge = wordsOnLine(t, 1, labels + 11);
  ASSERT_GE(lowerEdge.size(), 2u);
  EXPECT_TRUE(lowerEdge[1].text.starts_with("|__")) << lowerEdge[1].text;
  EXPECT_NEAR(xOf(lowerEdge[1]), 80, 1.0);
  const auto lastRule = wordsOnLine(t, 1, labels + 13);
  // The rule runs on into the outer edge.
  ASSERT_EQ(lastRule.size(), 1u);
  EXPECT_TRUE(lastRule[0].text.starts_with("|__") && lastRule[0].text.ends_with("_|")) << lastRule[0].text;
  EXPECT_NEAR(xOf(lastRule[0]) + (lastRule[0].xMax - lastRule[0].xMin), 516 + textWidth("|"), 1.0);
  // Every point's number stands centred over its marks: 24 to 13 above, 1 to 12 below.
  const double markCentre = textWidth("C") / 2;
  for (int label = 1; label <= 24; ++label) {
    SCOPED_TRACE(label);
    const int k = label <= 12 ? label - 1 : 24 - label;
    const double cell = k < 6 ? kLeftQuarterX[k] : kRightQuarterX[k - 6];
    const auto number = wordOnLine(t, 1, label <= 12 ? labels + 12 : labels, std::to_string(label));
    ASSERT_TRUE(number.has_value());
    EXPECT_NEAR(xOf(*number) + (number->xMax - number->xMin) / 2, cell + markCentre, 1.5);
  }
  // The edges of a row of marks.
  std::vector<double> edges;
  for (const PdfWord& w : wordsOnLine(t, 1, labels + 10))
    if (w.text.starts_with("|")) edges.push_back(xOf(w));
  expectNear(edges, {48, 80, 260, 302, 481, 516});
}

TEST_F(RolloutPrintout, BarAndDiceOfTheRollLine) {
  struct Row {
    int16_t diceShowing, side;
    double barX;
    const char* first;  // the first word of the roll text
    double rollX;
    int rollBlanks;
  };
  const Row rows[] = {
      {-1, 0, 270, "5-", 373, 1},  // the second die first
      {-1, 1, 271, "6-", 154, 1},
      {0, 0, 271, "Roll", 373, 0},
      {0, 1, 271, "Roll", 154, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.diceShowing) + " " + std::to_string(r.side));
    rolloutSnapshot.diceShowing = r.diceShowing;
    rolloutSnapshot.sideToMove = r.side;
    rolloutSnapshot.dice[0] = 6;
    rolloutSnapshot.dice[1] = 5;
    const PdfText t = print();
    const auto bar = t.find("BAR");
    ASSERT_TRUE(bar.has_value());
    // Against the line's left edge at 48, to the tenth of a point.
    const auto edge = wordsOnLine(t, 1, lineOf(*bar, kBodySize))[0];
    EXPECT_NEAR(bar->xMin - edge.xMin, r.barX - 48, 0.1);
    const auto roll = wordOnLine(t, 1, lineOf(*bar, kBodySize), r.first);
    ASSERT_TRUE(roll.has_value());
    EXPECT_NEAR(xOf(*roll), r.rollX + blankWidth(r.rollBlanks), 1.0);
  }
}

TEST_F(RolloutPrintout, ALongReportGoesOnToASecondPage) {
  struct Row {
    int16_t bottomStack;
    int picturePage, pictureLine, countsPage, countsLine;
  };
  const Row rows[] = {
      // 39 picture lines from line 33 do not fit: the picture goes whole to page 2.
      {15, 2, 9, 2, 50},
      // 30 lines fit, to line 62: the roll counts go on at the top of page 2.
      {6, 1, 33, 2, 11},
  };
  fiftyGames();
  rolloutSettings.description = "Fifteen a side";
  CheckedArray<int16_t, 25>& b = rolloutStats.rolloutStartBoard;
  b[25 - 13] = -15;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.bottomStack);
    b[25 - 12] = r.bottomStack;
    const PdfText t = print();
    ASSERT_TRUE(t.read);
    ASSERT_EQ(t.pages, 2);
    // Page 1: nothing below line 62 but its footer on 63 and 64.
    for (const PdfWord& w : t.onPage(1)) {
      if (w.text == kFooterRule) {
        EXPECT_EQ(lineOf(w, kFooterSize), 63);
      } else if (lineOf(w, kFooterSize) != 64) {
        EXPECT_LE(lineOf(w, kBodySize), 62) << w.text;
      }
    }
    EXPECT_EQ(footerPageNumber(t, 1, 64), "1");
    // The picture on one page, every mark once.
    EXPECT_EQ(pictureTopLine(t, r.picturePage), r.pictureLine);
    int marks = 0;
    for (const PdfWord& w : t.onPage(r.picturePage)) marks += w.text == "C" || w.text == "Y" || w.text == "|C" || w.text == "|Y";
    EXPECT_EQ(marks, 15 + r.bottomStack);
    // The roll counts end the report, the footer's rule on the line of "Games Play".
    const auto top = t.find("Top", r.countsPage);
    ASSERT_TRUE(top.has_value());
    EXPECT_EQ(lineOf(*top, kBodySize), r.countsLine);
    const auto rule = t.find(kFooterRule, 2);
    ASSERT_TRUE(rule.has_value());
    EXPECT_EQ(lineOf(*rule, kFooterSize), r.countsLine + 3);
    EXPECT_EQ(footerPageNumber(t, 2, r.countsLine + 4), "2");
  }
}

// A description longer than the page is wide goes on over further lines, its words whole
// and a word longer than a line broken; all below moves down by the lines it added.
TEST_F(RolloutPrintout, ALongDescriptionIsWrappedOnThePageAndPushesTheRestDown) {
  std::string words;
  for (int i = 0; i < 22; ++i) words += "word" + std::to_string(i) + " ";
  const std::string longWord(90, 'x');
  const std::string description = words + longWord;
  ASSERT_LE(description.size(), 255u);
  rolloutSettings.description = "Back game";
  const PdfText shortOne = print();
  ASSERT_TRUE(shortOne.read);
  const int warning = lineOfFirst(shortOne, "Not"), counts = lineOfFirst(shortOne, "MinMaxStart:"),
            heads = lineOfFirst(shortOne, "Computer/Top"), games = lineOfFirst(shortOne, "Gammons");

  rolloutSettings.description = Str255(description);
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  for (const PdfWord& w : t.words) EXPECT_LE(w.xMax, page.right + 0.5) << w.text << " runs past the page";
  // The description's lines: from 9 down to the one before the empty line.
  const int last = lineOfFirst(t, "Not") - 2;
  const int added = last - 9;
  EXPECT_GE(added, 2) << "the long word alone needs a line and more";
  std::string printedText;
  for (int line = 9; line <= last; ++line) {
    const auto onLine = wordsOnLine(t, 1, line);
    EXPECT_FALSE(onLine.empty()) << line;
    for (const PdfWord& w : onLine) printedText += w.text;
  }
  std::string unspaced = description;
  std::erase(unspaced, ' ');
  EXPECT_EQ(printedText, unspaced);
  for (int i = 0; i < 22; ++i) EXPECT_TRUE(t.find("word" + std::to_string(i)).has_value()) << i << " is not whole";
  EXPECT_FALSE(t.find(longWord).has_value());
  EXPECT_EQ(lineOfFirst(t, "Not"), warning + added);
  EXPECT_EQ(lineOfFirst(t, "MinMaxStart:"), counts + added);
  EXPECT_EQ(lineOfFirst(t, "Computer/Top"), heads + added);
  EXPECT_EQ(lineOfFirst(t, "Gammons"), games + added);
}

// The report whose picture just fits on page 1 under a short description: the lines a long
// one adds send the picture whole to page 2.
TEST_F(RolloutPrintout, ALongDescriptionStillBreaksThePageBeforeThePicture) {
  fiftyGames();
  std::string description;
  for (int i = 0; i < 30; ++i) description += "word" + std::to_string(i) + " ";
  rolloutSettings.description = Str255(description);
  CheckedArray<int16_t, 25>& b = rolloutStats.rolloutStartBoard;
  b[25 - 13] = -15;
  b[25 - 12] = 6;
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  ASSERT_EQ(t.pages, 2);
  EXPECT_GT(lineOfFirst(t, "word29"), 9);
  for (const PdfWord& w : t.onPage(1)) {
    if (w.text == kFooterRule) {
      EXPECT_EQ(lineOf(w, kFooterSize), 63);
    } else if (lineOf(w, kFooterSize) != 64) {
      EXPECT_LE(lineOf(w, kBodySize), 62) << w.text;
    }
  }
  EXPECT_EQ(footerPageNumber(t, 1, 64), "1");
  EXPECT_EQ(pictureTopLine(t, 2), 9);
}

TEST_F(RolloutPrintout, TheFooterStartsAfreshAfterAnotherPrintout) {
  printPage.printPageNumber = 7;
  printPage.printDateText = "Thu, Jan 1, 1970";
  printPage.printLineHeight = 12;
  const PdfText t = print();
  ASSERT_TRUE(t.read);
  const auto rule = t.find(kFooterRule);
  ASSERT_TRUE(rule.has_value());
  const int footer = lineOf(*rule, kFooterSize) + 1;
  EXPECT_EQ(footerPageNumber(t, 1, footer), "1");
  EXPECT_FALSE(t.find("1970").has_value());
  const std::string day = dateTextAbbrev().substr(0, dateTextAbbrev().find(' '));
  bool dated = false;
  for (const PdfWord& w : wordsOnLine(t, 1, footer, kFooterSize)) dated |= w.text == day && std::abs(xOf(w) - 453) < 1.0;
  EXPECT_TRUE(dated);
}

TEST_F(RolloutPrintout, CancellingPrintsNothingAndChangesNothing) {
  fiftyGames();
  setPrintDialogResponder(testing::cancelPrinting);
  printPage.printLine = 17;
  printPage.printPageNumber = 4;
  const RolloutStats before = rolloutStats;
  printRolloutResults();
  EXPECT_EQ(testing::printDialogsShown(), 1);
  EXPECT_FALSE(QFile::exists(testing::pdfTarget()));
  EXPECT_EQ(printPage.printLine, 17);
  EXPECT_EQ(printPage.printPageNumber, 4);
  EXPECT_EQ(rolloutStats.wins, before.wins);
}

}  // namespace
}  // namespace bg
