// The scores and the point numbers read on every board colour: measured on the window's
// pixels, each text's ink against the board around it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "display/board_ids.h"
#include "display/row_numbers.h"
#include "display/score_display.h"
#include "display/text_contrast.h"
#include "runtime/qt/text.h"
#include "state/play_options.h"

namespace bg {
namespace {

// WCAG's relative luminance of an 8-bit pixel, written out apart from the drawing's.
double pixelLuminance(QRgb p) {
  auto lin = [](int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(p)) + 0.7152 * lin(qGreen(p)) + 0.0722 * lin(qBlue(p));
}

QImage windowImage() { return windowPort(kBoardWindow)->image; }

// The contrast of the text inked into `box` (board coordinates): its most used ink colour
// against the mean of the pixels it covers before it was drawn. 0 when nothing is inked.
double inkContrast(const QImage& before, const QImage& after, const QRect& box) {
  const int dx = -windowPlacement.boardWidthOffset;
  const int dy = -windowPlacement.boardHeightOffset;
  std::map<QRgb, int> inks;
  double under = 0;
  int count = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const QRgb was = before.pixel(x + dx, y + dy);
      const QRgb is = after.pixel(x + dx, y + dy);
      if (was == is) continue;
      ++inks[is];
      under += pixelLuminance(was);
      ++count;
    }
  }
  if (count == 0) return 0;
  QRgb ink = inks.begin()->first;
  for (const auto& [colour, n] : inks)
    if (n > inks[ink]) ink = colour;
  const double a = pixelLuminance(ink);
  const double b = under / count;
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

class TextContrast : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    testing::setPosition("start");
  }
  void TearDown() override {
    windowClose(kBoardWindow);
    DisplayTest::TearDown();
  }
};

TEST_F(TextContrast, ScoresAndPointNumbersReadOnEveryBoardColour) {
  struct Board {
    int16_t colour, design, width, score;
  };
  std::vector<Board> boards;
  for (int16_t colour = 1; colour <= kHighestBoardColour; ++colour) boards.push_back({colour, 0, 700, 88});
  boards.push_back({10, 7, 844, 1});  // the first start's board, its frame patterned, after one game
  for (const auto& [colour, design, width, score] : boards) {
    for (const int16_t firstSet : {0, 1}) {
      const std::string where = "board colour " + std::to_string(colour) + " design " + std::to_string(design) +
                                " colour set " + std::to_string(firstSet);
      windowClose(kBoardWindow);
      testing::openBoard(width, colour, design);
      installScoreDisplay();
      display.playerColors = {{{firstSet, static_cast<int16_t>(1 - firstSet)}}};
      flow.scoreDisplayMode = 0;
      flow.scores = {{{0, 0}}};
      displaySettings.rowNumbersShown = 0;
      redrawBoardWindow();
      const QImage before = windowImage();
      flow.scores = {{{score, score}}};
      drawPipCounts();
      drawRowNumbers();
      const QImage after = windowImage();
      const BoardLayout& L = layout;
      const bool pictures = colour == kPictureBoard;
      for (int16_t side = 0; side <= 1; ++side) {
        const Rect r = pictures ? L.diceRects[side]
                                : makeRect(L.pipCountX[displaySettings.playDirection] + 1, L.pipCountY[side] - L.textSize,
                                           L.pipCountX[displaySettings.playDirection] + L.frameWidth - 2,
                                           L.pipCountY[side] + 1);
        const double c = inkContrast(before, after, QRect(r.left, r.top, r.width(), r.height()));
        EXPECT_GE(c, kLeastTextContrast) << where << ": score of side " << side;
      }
      const int size = L.textSize * 9 / 10;
      const int upperY = L.fieldTop + L.fieldGap + L.pointHeight + size + 4;
      const int lowerY = pictures ? L.fieldBottom - L.pointHeight + 3 : L.fieldBottom - L.pointHeight - 2;
      for (int16_t column = 1; column <= 12; ++column) {
        for (const bool upper : {true, false}) {
          const int16_t p = L.clickColumnToPoint[upper ? column : 25 - column];
          const int baseline = upper ? upperY : lowerY;
          const QRect box(L.pointCentreX[p] - L.boardUnit / 2, baseline - size - 2, L.boardUnit, size + 5);
          const double c = inkContrast(before, after, box);
          EXPECT_GE(c, kLeastTextContrast) << where << ": point " << 25 - p;
        }
      }
      if (HasFailure()) {
        after.save(testing::snapshotPath(QStringLiteral("contrast_%1").arg(colour)));
        return;
      }
    }
  }
}

// A colour that reads keeps itself; one that does not takes the palette's strongest.
TEST_F(TextContrast, AReadableColourIsKeptAndAnUnreadableOneReplaced) {
  testing::openBoard(700, 10);
  const RGBColor blue{6000, 4000, 59000};
  const double frame = luminanceOf(colours.boardPalette[3]);
  EXPECT_LT(contrastRatio(luminanceOf(blue), frame), 1.1);
  const RGBColor chosen = readableOver(blue, frame);
  double best = 0;
  for (const RGBColor& entry : colours.boardPalette) best = std::max(best, contrastRatio(luminanceOf(entry), frame));
  EXPECT_DOUBLE_EQ(contrastRatio(luminanceOf(chosen), frame), best);
  const RGBColor white{65535, 65535, 65535};
  EXPECT_EQ(readableOver(white, frame), white);
}

}  // namespace
}  // namespace bg
