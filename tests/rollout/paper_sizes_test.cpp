// Both printed reports on every paper the print dialog offers, upright and turned: every
// word read back from the PDF lies on its page, and the names stay in their columns.
#include <QPageSize>

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

  // A game with both names too long for any column, a taken and beavered double, and enough
  // entries to break the page.
  static void longGame() {
    shell.playerNames[0] = Str100("Zzxzzxzzx Zzxzzxzzxzzxzzxzzxzzx Zzx");
    shell.playerNames[1] = Str100("Qqvqqvqqvqqvqqv Qqvqqv");
    cube.cubeUsed = -1;
    cube.beaverAllowed = -1;
    settings.backgammonAllowed = 255;
    for (int16_t i = 1; i <= 40; ++i) {
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
    record.gameRecordCount = 40;
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
        for (const PdfWord& w : t.onPage(page))
          if (w.text == "Owner") owner = w.xMin;
        for (const PdfWord& w : t.onPage(page)) {
          if (w.yMin < die->yMax) continue;  // the header's scores and result lines
          if (madeOf(w.text, kFirstLetters) || (madeOf(w.text, kSecondLetters) && w.xMin < die->xMin)) {
            EXPECT_LE(w.xMax, die->xMin) << where << ": " << w.text << " runs into Die";
          } else if (madeOf(w.text, kSecondLetters)) {
            EXPECT_GE(w.xMin, owner - 60) << where << ": " << w.text;
            EXPECT_LE(w.xMax, beavered->xMin) << where << ": " << w.text << " runs into Beavered";
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

}  // namespace
}  // namespace bg
