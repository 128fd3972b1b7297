// Both printed reports on every paper the print dialog offers, upright and turned: every
// word read back from the PDF lies on its page, and the names stay in their columns.
#include <QPageSize>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "rollout/game_record_printout.h"
#include "rollout/print_fixture.h"
#include "rollout/rollout_printout.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::PdfText;
using testing::PdfWord;

QPageSize chosenPaper;
QPageLayout::Orientation chosenOrientation = QPageLayout::Portrait;
PrintDialogAnswer printOnChosenPaper() { return {true, testing::pdfTarget(), chosenPaper, chosenOrientation}; }

// Every named size Qt knows, which is what its dialog lists.
std::vector<QPageSize> everyPaper() {
  std::vector<QPageSize> out;
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    if (id == QPageSize::Custom) continue;
    out.emplace_back(static_cast<QPageSize::PageSizeId>(id));
  }
  return out;
}

// Names built of letters no other printed word is made of only.
constexpr char kFirstLetters[] = "Zzx";
constexpr char kSecondLetters[] = "Qqv";
bool madeOf(const std::string& word, const char* letters) {
  return !word.empty() && word.find_first_not_of(letters) == std::string::npos;
}

class PaperSizes : public testing::PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    setPrintDialogResponder(printOnChosenPaper);
    chosenOrientation = QPageLayout::Portrait;
  }

  void printOn(const QPageSize& paper, QPageLayout::Orientation o, void (*report)()) {
    chosenPaper = paper;
    chosenOrientation = o;
    report();
  }

  // Every word inside its page's paper.
  void expectOnThePaper(const PdfText& t, const std::string& where) {
    ASSERT_TRUE(t.read) << where;
    ASSERT_GE(t.pages, 1) << where;
    for (const PdfWord& w : t.words) {
      const testing::PdfPaper& p = t.papers.at(static_cast<size_t>(w.page - 1));
      const bool inside = w.xMin >= -0.5 && w.yMin >= -0.5 && w.xMax <= p.width + 0.5 && w.yMax <= p.height + 0.5;
      EXPECT_TRUE(inside) << where << ": \"" << w.text << "\" at " << w.xMin << "," << w.yMin << " - " << w.xMax
                          << "," << w.yMax << " on " << p.width << " x " << p.height;
      if (!inside) return;
    }
  }

  // A game with both names too long for any column, a taken and beavered double that the
  // second side owns, and enough entries to break the page.
  static void longGame(const char* first = "Zzxzzxzzx Zzxzzxzzxzzxzzxzzxzzx Zzx",
                       const char* second = "Qqvqqvqqvqqvqqv Qqvqqv", int16_t entries = 40) {
    shell.playerNames[0] = Str100(first);
    shell.playerNames[1] = Str100(second);
    cube.cubeUsed = -1;
    cube.beaverAllowed = -1;
    settings.backgammonAllowed = 255;
    for (int16_t i = 1; i <= entries; ++i) {
      GameRecordEntry e;
      e.side = static_cast<int16_t>(i % 2);
      e.fromPoint = 13;
      e.toPoint = 10;
      e.distance = 3;
      if (i == 5) {
        e.flags = kFlagDoubleRecorded | kFlagBeavered;
        e.cubeOwner = 1;
        e.cubeValue = 4;
      }
      record.gameRecord[i] = e;
    }
    record.gameRecordCount = entries;
  }

  static void fiftyGames() {
    skill.skillLevel = 5;
    rolloutSettings.minMaxStart = 10;
    RolloutStats& st = rolloutStats;
    st.wins[0] = 40, st.wins[1] = 10;
    st.points[0] = 75, st.points[1] = 25;
    st.maxPercent[0] = 80.0, st.maxPercent[1] = 30.5;
    st.minPercent[0] = 70.0, st.minPercent[1] = 20.0;
    rollout.rollsMade[0] = 510, rollout.rollsMade[1] = 490;
  }
};

TEST_F(PaperSizes, TheGameRecordFitsEveryPaperWithNamesInTheirColumns) {
  longGame();
  for (const QPageSize& paper : everyPaper()) {
    for (const auto o : {QPageLayout::Portrait, QPageLayout::Landscape}) {
      const std::string where = paper.name().toStdString() + (o == QPageLayout::Landscape ? " turned" : "");
      printOn(paper, o, printGameRecord);
      const PdfText t = printed();
      expectOnThePaper(t, where);
      if (::testing::Test::HasFailure()) return;
      // The headings of each page bound the columns of its entries.
      for (int page = 1; page <= t.pages; ++page) {
        const auto die = t.find("Die", page);
        const auto beavered = t.find("Beavered", page);
        ASSERT_TRUE(die && beavered) << where;
        double owner = 0;
        // The Beavered column's entries (its "Yes") bound the owner's names.
        double beaverEntries = beavered->xMax;
        for (const PdfWord& w : t.onPage(page)) {
          if (w.text == "Owner") owner = w.xMin;
          if (w.text == "Yes" && w.xMin > beavered->xMin) beaverEntries = w.xMin;
        }
        for (const PdfWord& w : t.onPage(page)) {
          if (w.yMin < die->yMax) continue;  // the header's scores and result lines
          if (madeOf(w.text, kFirstLetters) || (madeOf(w.text, kSecondLetters) && w.xMin < die->xMin)) {
            EXPECT_LE(w.xMax, die->xMin) << where << ": " << w.text << " runs into Die";
          } else if (madeOf(w.text, kSecondLetters)) {
            EXPECT_GE(w.xMin, owner - 60) << where << ": " << w.text;
            EXPECT_LE(w.xMax, beaverEntries) << where << ": " << w.text << " runs into the Beavered column";
          }
        }
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST_F(PaperSizes, TheRolloutReportFitsEveryPaper) {
  fiftyGames();
  for (const QPageSize& paper : everyPaper()) {
    for (const auto o : {QPageLayout::Portrait, QPageLayout::Landscape}) {
      const std::string where = paper.name().toStdString() + (o == QPageLayout::Landscape ? " turned" : "");
      printOn(paper, o, printRolloutResults);
      const PdfText t = printed();
      expectOnThePaper(t, where);
      // The whole report is there: its last line and the footer.
      EXPECT_TRUE(t.find("Play").has_value()) << where;
      EXPECT_TRUE(t.find("page").has_value()) << where;
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// However narrow the room, wrapping ends and every character is printed, in order.
TEST_F(PaperSizes, WrappingIntoNoRoomGivesEachCharacterItsLine) {
  printStyle(9, kPrintPlain);
  for (const int width : {-380, -1, 0, 1}) {
    const std::vector<std::string> lines = wrapToWidth("Al \xC3\xA9" " Bo", width);
    std::string joined;
    for (const std::string& l : lines) joined += l;
    EXPECT_EQ(joined, "Al\xC3\xA9" "Bo") << width;
    EXPECT_EQ(lines.size(), 5u) << width;
  }
}

// Paper that holds the record keeps its points; smaller paper gets it smaller.
TEST_F(PaperSizes, OnlySmallPaperShrinksTheRecord) {
  longGame();
  auto tableWidth = [this](QPageSize::PageSizeId id) {
    printOn(QPageSize(id), QPageLayout::Portrait, printGameRecord);
    const PdfText t = printed();
    // A heading past the paper's edge is lost, not narrower.
    expectOnThePaper(t, QPageSize::name(id).toStdString());
    const auto player = t.find("Player");
    const auto beavered = t.find("Beavered");
    EXPECT_TRUE(player && beavered) << QPageSize::name(id).toStdString();
    return player && beavered ? beavered->xMin - player->xMin : 0.0;
  };
  const double letter = tableWidth(QPageSize::Letter);
  EXPECT_GT(letter, 300);
  EXPECT_NEAR(tableWidth(QPageSize::A4), letter, 0.5);
  EXPECT_LT(tableWidth(QPageSize::A6), letter * 0.75);
}

// A name wraps only at a blank and only where its column has no room for it; taller paper
// holds more rows a page, the footer at its foot and nothing past it.
TEST_F(PaperSizes, NamesStayWholeAndTallerPaperHoldsMoreRows) {
  struct Row {
    QPageSize::PageSizeId paper;
    int16_t beavers;
    const char* owner;
    const char* ownerLines;  // the Cube Owner column's lines, split by '/'
  };
  const Row rows[] = {
      {QPageSize::A6, 0, "Hanna", "Hanna"},
      {QPageSize::A4, 0, "Hanna", "Hanna"},
      {QPageSize::A6, -1, "Hanna", "Hanna"},
      {QPageSize::A4, -1, "Hanna", "Hanna"},
      {QPageSize::A4, 0, "Hanna Maria Lindqvist", "Hanna Maria Lindqvist"},
      {QPageSize::A4, -1, "Hanna Maria Lindqvist", "Hanna Maria/Lindqvist"},
  };
  std::map<QPageSize::PageSizeId, int> rowsOnPageTwo;
  for (const Row& r : rows) {
    const std::string where = QPageSize::name(r.paper).toStdString() + (r.beavers != 0 ? " beavers" : "") + " " + r.owner;
    longGame("Bo", r.owner, 150);
    cube.beaverAllowed = r.beavers;
    if (r.beavers == 0) record.gameRecord[5].flags = kFlagDoubleRecorded;  // no Beavered column
    printOn(QPageSize(r.paper), QPageLayout::Portrait, printGameRecord);
    const PdfText t = printed();
    expectOnThePaper(t, where);
    ASSERT_GE(t.pages, 3) << where;
    // No piece of a word of the name stands on its own.
    for (const PdfWord& w : t.words) {
      for (const std::string name : {"Hanna", "Maria", "Lindqvist"}) {
        const bool piece = w.text.size() < name.size() && (name.starts_with(w.text) || name.ends_with(w.text));
        EXPECT_FALSE(piece) << where << ": \"" << w.text << "\" of " << name;
      }
    }
    // The owner's column on the line after the double, and the lines below it.
    const auto owner = t.find("Owner", 1);
    const auto footer = t.find(std::string(82, '_'), 1);
    ASSERT_TRUE(owner && footer) << where;
    std::string column;
    double lineY = -1;
    for (const PdfWord& w : t.onPage(1)) {
      if (w.yMin <= owner->yMax || w.yMin >= footer->yMin || w.xMin < owner->xMin || w.text == "Yes") continue;
      column += column.empty() ? "" : std::abs(w.yMin - lineY) < 1 ? " " : "/";
      column += w.text;
      lineY = w.yMin;
    }
    EXPECT_EQ(column, r.ownerLines) << where;
    // Each page ends in its footer, low on the paper; page 2 is entries from top to foot.
    for (int page = 1; page <= t.pages; ++page) {
      const auto number = t.find("page", page);
      ASSERT_TRUE(number) << where << " page " << page;
      for (const PdfWord& w : t.onPage(page)) EXPECT_LE(w.yMax, number->yMax + 0.5) << where << ": " << w.text;
      EXPECT_GT(number->yMax, t.papers.at(0).height - 3 * kPrintLineHeight) << where << " page " << page;
    }
    const auto isRow = [](const PdfWord& w) { return w.page == 2 && w.text == "12"; };  // 25 - from 13
    rowsOnPageTwo.emplace(r.paper, static_cast<int>(std::count_if(t.words.begin(), t.words.end(), isRow)));
  }
  EXPECT_GT(rowsOnPageTwo[QPageSize::A4], rowsOnPageTwo[QPageSize::A6]);
}

}  // namespace
}  // namespace bg
