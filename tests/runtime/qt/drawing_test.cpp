// The drawing rules the board code relies on, each checked on a small image.
#include <gtest/gtest.h>

#include <string>

#include "runtime/qt/app_init.h"
#include "runtime/qt/copy_bits.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/palettes.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"
#include "runtime/qt/text.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

using testing::pixelAt;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Rows of the image, '#' for black, '.' for white, 'o' for any other colour; blank rows
// at the bottom are left out.
std::string picture(const GrafPort* p) {
  std::string s;
  for (int y = 0; y < p->image.height(); ++y) {
    for (int x = 0; x < p->image.width(); ++x) {
      const uint32_t c = p->image.pixel(x, y) & 0xFFFFFF;
      s += c == kWhite ? '.' : c == kBlack ? '#' : 'o';
    }
    s += '\n';
  }
  while (s.ends_with("........\n")) s.erase(s.size() - 9);
  return s;
}

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    world = newGWorld(makeRect(0, 0, 8, 6));
    setPort(world);
  }
  void TearDown() override {
    setPort(nullptr);
    disposeGWorld(world);
  }
  void clear() { eraseRect(makeRect(0, 0, 8, 6)); }
  // A 2 x 2 mask world whose top row is black.
  static GWorldPtr topRowMask() {
    GWorldPtr mask = newMaskWorld(makeRect(0, 0, 2, 2));
    setPort(mask);
    paintRect(makeRect(0, 0, 2, 1));
    return mask;
  }
  GWorldPtr world = nullptr;
};

constexpr const char* kBlank = "";

TEST_F(DrawingTest, RectanglesLeaveOutTheirRightAndBottomEdges) {
  paintRect(makeRect(1, 1, 4, 3));
  EXPECT_EQ(picture(world),
            "........\n"
            ".###....\n"
            ".###....\n");
}

TEST_F(DrawingTest, FramesLieInsideTheRectangle) {
  penSize(2, 1);
  frameRect(makeRect(0, 0, 6, 5));
  EXPECT_EQ(picture(world),
            "######..\n"
            "##..##..\n"
            "##..##..\n"
            "##..##..\n"
            "######..\n");
}

TEST_F(DrawingTest, ThePenHangsRightAndDownFromEachPoint) {
  penSize(2, 2);
  moveTo(1, 1);
  lineTo(4, 1);
  EXPECT_EQ(picture(world),
            "........\n"
            ".#####..\n"
            ".#####..\n");
  clear();
  penNormal();
  moveTo(0, 0);
  lineTo(3, 3);  // both ends included
  EXPECT_EQ(pixelAt(world, 0, 0), kBlack);
  EXPECT_EQ(pixelAt(world, 3, 3), kBlack);
  EXPECT_EQ(pixelAt(world, 4, 4), kWhite);
  EXPECT_EQ(penLocation(), (Point{3, 3}));
  clear();
  penSize(2, 2);
  moveTo(0, 0);
  lineTo(3, 3);  // a wide pen sweeps its whole rectangle along the line
  EXPECT_EQ(picture(world),
            "##......\n"
            "###.....\n"
            ".###....\n"
            "..###...\n"
            "...##...\n");
}

TEST_F(DrawingTest, TheClipStaysPutInLocalCoordinatesWhenTheOriginMoves) {
  clipRect(makeRect(2, 1, 5, 3));
  setOrigin(2, 1);  // image pixel (0, 0) is now local (2, 1)
  EXPECT_EQ(world->bounds(), makeRect(2, 1, 10, 7));
  paintRect(makeRect(-10, -10, 20, 20));
  EXPECT_EQ(picture(world),
            "###.....\n"
            "###.....\n");
  EXPECT_EQ(pixelAt(world, 2, 1), kBlack);
}

TEST_F(DrawingTest, RegionsCombineAndMove) {
  RgnHandle a = newRgn(), b = newRgn(), r = newRgn();
  rectRgn(a, makeRect(0, 0, 4, 4));
  rectRgn(b, makeRect(2, 2, 6, 6));
  unionRgn(a, b, r);
  EXPECT_TRUE(ptInRgn(Point{5, 5}, r));
  EXPECT_FALSE(ptInRgn(Point{5, 0}, r));
  sectRgn(a, b, r);
  EXPECT_EQ(rgnBounds(r), makeRect(2, 2, 4, 4));
  diffRgn(a, b, r);
  EXPECT_TRUE(ptInRgn(Point{1, 3}, r));
  EXPECT_FALSE(ptInRgn(Point{3, 3}, r));
  offsetRgn(r, 10, 20);
  EXPECT_TRUE(ptInRgn(Point{11, 23}, r));
  setEmptyRgn(r);
  EXPECT_TRUE(emptyRgn(r));
  for (RgnHandle* h : {&a, &b, &r}) disposeRgn(*h);
  EXPECT_EQ(a, nullptr);
}

TEST_F(DrawingTest, RoundRectanglesCutTheirCornersSymmetrically) {
  const QRegion rr = roundRectRegion(makeRect(0, 0, 10, 8), 6, 6);
  for (QPoint corner : {QPoint(0, 0), QPoint(9, 0), QPoint(0, 7), QPoint(9, 7)}) EXPECT_FALSE(rr.contains(corner));
  EXPECT_TRUE(rr.contains(QPoint(5, 0)));
  EXPECT_TRUE(rr.contains(QPoint(0, 4)));
  EXPECT_FALSE(rr.contains(QPoint(10, 4)));  // right edge left out
  // Mirror symmetry: the shape reads the same from the right.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(rr.contains(QPoint(x, y)), rr.contains(QPoint(9 - x, y))) << x << "," << y;
  // A corner oval as large as the rectangle is an oval.
  EXPECT_EQ(roundRectRegion(makeRect(0, 0, 10, 8), 10, 8), ovalRegion(makeRect(0, 0, 10, 8)));
}

TEST_F(DrawingTest, ARecordedRegionTakesTheAreaOfFramedShapesAndOutlines) {
  RgnHandle rec = newRgn();
  openRgn();
  frameRoundRect(makeRect(0, 0, 8, 6), 4, 4);
  closeRgn(rec);
  EXPECT_EQ(rec->rgn, roundRectRegion(makeRect(0, 0, 8, 6), 4, 4));
  EXPECT_EQ(picture(world), kBlank);  // nothing drawn meanwhile
  openRgn();
  moveTo(1, 1);
  lineTo(5, 1);
  lineTo(5, 4);
  lineTo(1, 4);
  lineTo(1, 1);
  closeRgn(rec);
  EXPECT_EQ(rec->rgn, QRegion(1, 1, 4, 3));
  disposeRgn(rec);
}

TEST_F(DrawingTest, RegionsFromOneBitWorldsFollowTheBlackPixels) {
  GWorldPtr mask = newMaskWorld(makeRect(10, 20, 16, 24));
  setPort(mask);
  rgbForeColor(RGBColor{20000, 40000, 10000});  // any colour is black in a 1-bit world
  paintRect(makeRect(11, 21, 13, 23));
  EXPECT_EQ(pixelAt(mask, 11, 21), kBlack);
  RgnHandle r = newRgn();
  bitMapToRegion(r, mask);
  EXPECT_EQ(r->rgn, QRegion(11, 21, 2, 2));
  disposeRgn(r);
  setPort(world);
  disposeGWorld(mask);
}

TEST_F(DrawingTest, PolygonsFillInsideTheirOutline) {
  PolyHandle poly = openPoly();
  moveTo(0, 0);
  lineTo(6, 0);
  lineTo(6, 4);
  lineTo(0, 4);
  lineTo(0, 0);
  closePoly();
  EXPECT_EQ(picture(world), kBlank);  // tracing draws nothing
  offsetPoly(poly, 1, 1);
  paintPoly(poly);
  EXPECT_EQ(picture(world),
            "........\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n");
  EXPECT_EQ(polyBounds(poly), makeRect(1, 1, 7, 5));
  killPoly(poly);
}

TEST_F(DrawingTest, PixelPatternsAlignToThePortOrigin) {
  QImage tile(2, 1, QImage::Format_RGB32);
  tile.setPixel(0, 0, qRgb(0, 0, 0));
  tile.setPixel(1, 0, qRgb(255, 255, 255));
  PixPatHandle pat = newPixPatFromImage(tile);
  penPixPat(pat);
  paintRect(makeRect(0, 0, 8, 1));
  setOrigin(1, 0);  // image pixel 0 is local 1: an odd column of the pattern
  paintRect(makeRect(1, 1, 9, 2));
  EXPECT_EQ(picture(world).substr(0, 18),
            "#.#.#.#.\n"
            ".#.#.#.#\n");
  penPatSolid();
  disposePixPat(pat);
}

TEST_F(DrawingTest, FillAndEraseUseTheirOwnPatternAndTheBackground) {
  rgbBackColor(RGBColor{65535, 0, 0});
  eraseRect(makeRect(0, 0, 2, 2));
  EXPECT_EQ(pixelAt(world, 0, 0), 0xFF0000u);
  QImage tile(1, 1, QImage::Format_RGB32);
  tile.fill(qRgb(0, 0, 255));
  PixPatHandle pat = newPixPatFromImage(tile);
  fillOval(makeRect(2, 0, 8, 6), pat);
  EXPECT_EQ(pixelAt(world, 5, 3), 0x0000FFu);
  EXPECT_EQ(pixelAt(world, 2, 0), kWhite);  // outside the oval
  disposePixPat(pat);
}

class CopyTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    src = newGWorld(makeRect(0, 0, 2, 2));
    setPort(src);
    paintRect(makeRect(0, 0, 1, 1));  // black top-left, white elsewhere
    setPort(world);
  }
  void TearDown() override {
    disposeGWorld(src);
    DrawingTest::TearDown();
  }
  GWorldPtr src = nullptr;
};

TEST_F(CopyTest, PlainCopyAndScaledCopy) {
  rgbBackColor(RGBColor{0, 65535, 0});
  eraseRect(makeRect(0, 0, 8, 6));
  copyBits(src, world, makeRect(0, 0, 2, 2), makeRect(0, 0, 2, 2), srcCopy, nullptr);
  EXPECT_EQ(pixelAt(world, 0, 0), kBlack);
  EXPECT_EQ(pixelAt(world, 1, 1), 0x00FF00u);  // colourised: white became the background
  rgbBackColor(kWhiteRGB);
  copyBits(src, world, makeRect(0, 0, 2, 2), makeRect(4, 0, 8, 4), srcCopy, nullptr);
  EXPECT_EQ(pixelAt(world, 4, 0), kBlack);
  EXPECT_EQ(pixelAt(world, 5, 1), kBlack);
  EXPECT_EQ(pixelAt(world, 6, 1), kWhite);
  EXPECT_EQ(pixelAt(world, 5, 2), kWhite);
}

TEST_F(CopyTest, TransparentCopyLeavesOutTheBackgroundColour) {
  rgbForeColor(RGBColor{0, 0, 65535});
  paintRect(makeRect(0, 0, 8, 6));
  rgbForeColor(kBlackRGB);
  copyBits(src, world, makeRect(0, 0, 2, 2), makeRect(3, 3, 5, 5), transparentMode, nullptr);
  EXPECT_EQ(pixelAt(world, 3, 3), kBlack);
  EXPECT_EQ(pixelAt(world, 4, 4), 0x0000FFu);  // white source pixel skipped
}

TEST_F(CopyTest, CopiesHonourTheClipAndTheMaskRegion) {
  RgnHandle m = newRgn();
  rectRgn(m, makeRect(0, 0, 1, 8));
  copyBits(src, world, makeRect(0, 0, 2, 2), makeRect(0, 0, 4, 4), srcCopy, m);
  EXPECT_EQ(pixelAt(world, 0, 0), kBlack);
  EXPECT_EQ(pixelAt(world, 1, 0), kWhite);  // scaled black, but outside the mask region
  disposeRgn(m);
}

TEST_F(CopyTest, GreyBackgroundDimsTheCopyThroughAMask) {
  // The used die: black stays, white turns to the grey background.
  GWorldPtr mask = topRowMask();  // the top row shows the source
  setPort(world);
  rgbForeColor(RGBColor{0, 0, 65535});
  paintRect(makeRect(0, 0, 8, 6));
  rgbForeColor(kBlackRGB);
  rgbBackColor(RGBColor{32000, 32000, 32000});
  copyMask(src, mask, world, makeRect(0, 0, 2, 2), makeRect(0, 0, 2, 2), makeRect(0, 0, 2, 2));
  EXPECT_EQ(pixelAt(world, 0, 0), kBlack);
  EXPECT_EQ(pixelAt(world, 1, 0), 0x7D7D7Du);
  EXPECT_EQ(pixelAt(world, 0, 1), 0x0000FFu);  // masked out: the destination stays
  disposeGWorld(mask);
}

TEST_F(CopyTest, ColourMasksBlendChannelByChannel) {
  GWorldPtr mask = newGWorld(makeRect(0, 0, 2, 2));
  setPort(mask);
  rgbForeColor(RGBColor{0, 65535, 32896});  // red from the source, green from the destination
  paintRect(makeRect(0, 0, 2, 2));
  setPort(world);
  copyMask(src, mask, world, makeRect(0, 0, 2, 2), makeRect(0, 0, 2, 2), makeRect(0, 0, 2, 2));
  const uint32_t c = pixelAt(world, 0, 0);  // black source over a white destination
  EXPECT_EQ(c >> 8, 0x00FFu);
  EXPECT_NEAR(static_cast<int>(c & 0xFF), 128, 1);
  disposeGWorld(mask);
}

TEST_F(DrawingTest, ARecordingHidesTheDrawingUntilItIsReplayed) {
  PicHandle pic = openPicture(makeRect(0, 0, 4, 3));
  paintRect(makeRect(0, 0, 2, 3));
  closePicture();
  EXPECT_EQ(picture(world), kBlank);
  drawPicture(pic, makeRect(0, 0, 8, 6));  // twice the size
  EXPECT_EQ(picture(world),
            "####....\n"
            "####....\n"
            "####....\n"
            "####....\n"
            "####....\n"
            "####....\n");
  killPicture(pic);
}

TEST_F(DrawingTest, NestedRecordingsGiveTheDrawingToTheInnermost) {
  PicHandle outer = openPicture(makeRect(0, 0, 8, 6));
  PicHandle inner = openPicture(makeRect(0, 0, 8, 6));
  paintRect(makeRect(0, 0, 1, 1));
  closePicture();
  paintRect(makeRect(7, 5, 8, 6));
  closePicture();
  drawPicture(outer, makeRect(0, 0, 8, 6));
  EXPECT_EQ(pixelAt(world, 0, 0), kWhite);
  EXPECT_EQ(pixelAt(world, 7, 5), kBlack);
  drawPicture(inner, makeRect(0, 0, 8, 6));
  EXPECT_EQ(pixelAt(world, 0, 0), kBlack);
  killPicture(outer);
  killPicture(inner);
}

TEST_F(DrawingTest, CopiesFromARecordingPortReadItsImage) {
  paintRect(makeRect(0, 0, 1, 1));
  GWorldPtr save = newGWorld(makeRect(0, 0, 1, 1));
  PicHandle pic = openPicture(makeRect(0, 0, 8, 6));
  copyBits(world, save, makeRect(0, 0, 1, 1), makeRect(0, 0, 1, 1), srcCopy, nullptr);
  closePicture();
  EXPECT_EQ(pixelAt(save, 0, 0), kBlack);
  killPicture(pic);
  disposeGWorld(save);
}

TEST_F(DrawingTest, TextWidthsAddUpAndThePenMovesOn) {
  textFont(0);
  textSize(12);
  const int16_t w = stringWidth("Backgammon");
  int16_t sum = 0;
  for (char c : std::string("Backgammon")) sum = static_cast<int16_t>(sum + charWidth(c));
  EXPECT_EQ(w, sum);
  EXPECT_GT(w, 40);
  textSize(24);
  EXPECT_GT(stringWidth("Backgammon"), w * 3 / 2);  // sizes are pixel sizes
  FontInfo fi;
  getFontInfo(fi);
  EXPECT_TRUE(fi.ascent > 15 && fi.ascent < 26) << fi.ascent;
}

TEST_F(DrawingTest, CopyModeTextFillsItsBoxWithTheBackground) {
  GWorldPtr big = newGWorld(makeRect(0, 0, 60, 20));
  setPort(big);
  textSize(12);
  textMode(srcCopy);
  rgbBackColor(RGBColor{0, 0, 65535});
  moveTo(2, 14);
  drawString("Hi");
  const int16_t w = stringWidth("Hi");
  EXPECT_EQ(penLocation(), (Point{static_cast<int16_t>(2 + w), 14}));
  EXPECT_EQ(pixelAt(big, 2, 14), 0x0000FFu);  // the box starts at the pen
  EXPECT_EQ(pixelAt(big, 2 + w, 14), kWhite);  // and ends at the advance
  bool inked = false;
  for (int x = 2; x < 2 + w; ++x)
    for (int y = 3; y < 15; ++y) inked |= pixelAt(big, x, y) == kBlack || (pixelAt(big, x, y) & 0xFF) < 0x80;
  EXPECT_TRUE(inked);
  setPort(world);
  disposeGWorld(big);
}

TEST_F(DrawingTest, OrModeTextLeavesTheBackgroundAndOutlineIsHollow) {
  GWorldPtr big = newGWorld(makeRect(0, 0, 40, 40));
  setPort(big);
  textSize(30);
  textFace(kBoldFace | kOutlineFace);
  moveTo(4, 32);
  drawString("R");
  int black = 0, white = 0;
  // Inside the stem of the R, hollow letters keep the background.
  for (int y = 10; y < 30; ++y)
    for (int x = 4; x < 30; ++x) (pixelAt(big, x, y) == kWhite ? white : black) += 1;
  EXPECT_GT(black, 20);
  EXPECT_GT(white, 200);
  setPort(world);
  disposeGWorld(big);
}

TEST_F(DrawingTest, PaletteEntriesColourWorldsThroughTheAttachedPalette) {
  PaletteHandle pal = newPalette(22);
  setEntryColor(pal, 5, RGBColor{65535, 0, 0});
  setPalette(0, pal, true);  // no window 0: still the palette worlds use
  pmForeColor(5);
  paintRect(makeRect(0, 0, 1, 1));
  EXPECT_EQ(pixelAt(world, 0, 0), 0xFF0000u);
  pmForeColor(40);  // outside the table
  RGBColor c;
  getForeColor(c);
  EXPECT_EQ(c, kBlackRGB);
  disposePalette(pal);
  EXPECT_EQ(attachedPalette(), nullptr);
}

TEST_F(DrawingTest, NewPortsDrawBlackOnWhiteAndCopyUntinted) {
  RGBColor f, b;
  getForeColor(f);
  getBackColor(b);
  EXPECT_TRUE(f == kBlackRGB && b == kWhiteRGB);
  backColor(0);  // not a colour constant: white, so copies stay untinted
  getBackColor(b);
  EXPECT_EQ(b, kWhiteRGB);
}

TEST_F(DrawingTest, SmoothPolygonsStayInsideTheClip) {
  clipRect(makeRect(0, 0, 4, 6));
  fillPolygonSmooth({{0.0, 0.0}, {8.0, 0.0}, {8.0, 6.0}, {0.0, 6.0}}, RGBColor{0, 0, 65535});
  EXPECT_EQ(pixelAt(world, 1, 1), 0x0000FFu);
  EXPECT_EQ(pixelAt(world, 5, 1), kWhite);
}

TEST_F(DrawingTest, WorldCreationCanFailAndReportsNoMemoryShortage) {
  testing::failNextWorldCreations(1);
  EXPECT_EQ(newGWorld(makeRect(0, 0, 10, 10)), nullptr);
  GWorldPtr ok = newGWorld(makeRect(0, 0, 10, 10));
  EXPECT_NE(ok, nullptr);
  disposeGWorld(ok);
  EXPECT_EQ(ok, nullptr);
  EXPECT_GT(maxMem(), 1024 * 1024);
}

TEST(ColourConversionTest, HslRoundTripsAndCapsLightness) {
  const HSLColor red = rgbToHsl(RGBColor{65535, 0, 0});
  EXPECT_TRUE(red.hue == 0 && red.saturation == 65535);
  EXPECT_NEAR(red.lightness, 32768, 1);
  const RGBColor light{51772, 63568, 58326};
  HSLColor hsl = rgbToHsl(light);
  const RGBColor back = hslToRgb(hsl);
  for (auto c : {&RGBColor::red, &RGBColor::green, &RGBColor::blue}) EXPECT_NEAR(back.*c, light.*c, 2);
  hsl.lightness = 19660;  // the die pips' cap
  const RGBColor dark = hslToRgb(hsl);
  EXPECT_LT(dark.red, light.red);
  EXPECT_NEAR(rgbToHsl(dark).lightness, 19660, 2);
  const HSLColor grey = rgbToHsl(RGBColor{30000, 30000, 30000});
  EXPECT_EQ(grey.saturation, 0);
}

}  // namespace
}  // namespace bg
