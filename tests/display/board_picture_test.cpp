#include <gtest/gtest.h>

#include "board_fixture.h"
#include <map>
#include <string>

#include "runtime/qt/pictures.h"
#include "state/display_state.h"

namespace bg {
namespace {

using BoardPictureShape = testing::DisplayTest;
using BoardRebuild = testing::DisplayTest;
using PictureBoard = testing::DisplayTest;

using testing::boardPixel;
using testing::composeBoard;
using testing::near;
using testing::shown;

// Board pixel (x, y) against a colour, saying both when they differ.
::testing::AssertionResult pixelNear(int x, int y, const QColor& want) {
  const QColor got = boardPixel(x, y);
  if (near(got, want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << got.name().toStdString()
                                       << ", want " << want.name().toStdString();
}

::testing::AssertionResult pixelIs(int x, int y, const RGBColor& want) { return pixelNear(x, y, shown(want)); }

// What a role paints at (x, y): its pattern's pixel when the scheme draws it with one,
// else its plain colour.
::testing::AssertionResult roleAt(int x, int y, int16_t role, const RGBColor& plain) {
  const PixPatHandle pattern = boardImages.rolePixPats[role];
  if (!roleDrawnWithPattern(role) || pattern == nullptr) return pixelNear(x, y, shown(plain));
  const QImage& tile = pattern->tile;
  return pixelNear(x, y, QColor(tile.pixel(x % tile.width(), y % tile.height()))) << " of role " << role;
}

// The scheme's colours where the geometry puts the board's parts.
void checkPaintedBoard(int16_t colour) {
  const BoardLayout& L = layout;
  const auto& scheme = colours.colourSchemes[colour];
  const RGBColor frame = scheme[kFrameColour];
  const RGBColor shade = shadeOf(frame, 0.6);
  const int u = L.boardUnit;
  const int barLeft = L.fieldLeft + 6 * u + 1;

  const int16_t frameRole = roles.boardFrameColor;
  const int16_t shadeRole = roles.frameShadeColor;
  EXPECT_TRUE(roleAt(L.boardCentreX, 3, frameRole, frame)) << "top frame";
  EXPECT_TRUE(roleAt(display.boardWidth - 3, L.boardHeight / 2, frameRole, frame)) << "right frame";
  EXPECT_TRUE(roleAt(1, L.boardHeight / 2, shadeRole, shade)) << "left shade";
  EXPECT_TRUE(roleAt(L.boardCentreX, L.boardHeight - 2, shadeRole, shade)) << "bottom shade";
  EXPECT_TRUE(roleAt(barLeft + L.fieldGap + (L.barWidth - L.fieldGap) / 2, L.boardCentreY, frameRole, frame)) << "bar";
  EXPECT_TRUE(roleAt(L.fieldLeft + u / 2, L.boardCentreY, roles.fieldColor, scheme[kFieldColour])) << "field left";
  EXPECT_TRUE(roleAt(L.fieldRight - u / 2, L.boardCentreY, roles.fieldColor, scheme[kFieldColour])) << "field right";

  // Points: the smooth painter fills plain colours, the QuickDraw one paints the roles.
  const bool quickDraw = colour == 2 || colour == 7;
  const int upperY = L.fieldTop - 1 + L.pointMargin + L.pointHeight / 4;
  const int lowerY = L.fieldBottom - 1 - L.pointHeight / 4;
  for (int k = 0; k < 12; ++k) {
    const int x = L.fieldLeft + k * u + u / 2 + (k > 5 ? L.barWidth + 1 : 0);
    const bool even = k % 2 == 0;
    const int16_t upperRole = even ? roles.lightPointColor : roles.darkPointColor;
    const int16_t lowerRole = even ? roles.darkPointColor : roles.lightPointColor;
    const RGBColor upperPlain = scheme[even ? kLightRowColour : kDarkRowColour];
    const RGBColor lowerPlain = scheme[even ? kDarkRowColour : kLightRowColour];
    if (quickDraw) {
      EXPECT_TRUE(roleAt(x, upperY, upperRole, upperPlain)) << "upper point " << k;
      EXPECT_TRUE(roleAt(x, lowerY, lowerRole, lowerPlain)) << "lower point " << k;
    } else {
      EXPECT_TRUE(pixelIs(x, upperY, upperPlain)) << "upper point " << k;
      EXPECT_TRUE(pixelIs(x, lowerY, lowerPlain)) << "lower point " << k;
    }
  }

  for (int tray = 0; tray <= 1; ++tray) {
    const Rect& r = L.trayRects[tray];
    EXPECT_TRUE(roleAt(r.left + L.trayWidth / 2 - 1, r.top + L.trayHeight / 2, frameRole, frame)) << "tray " << tray;
    EXPECT_TRUE(roleAt(r.left + L.trayWidth / 2, r.top + L.pointMargin / 2, shadeRole, shade)) << "tray rim " << tray;
  }
  // The trays' colour keys: side 0 in the light checker colour, side 1 in the dark one.
  const int keyX = L.trayLeft[0] + L.pieceWidth / 2;
  const int keyDy = colour == 12 ? L.textSize / 4 + 1 : 2 + (L.trayPieceThickness - 2) / 2;
  EXPECT_TRUE(roleAt(keyX, L.trayPictureY[0] + keyDy, roles.pieceColors[0], scheme[kLightPieceColour])) << "key 0";
  EXPECT_TRUE(roleAt(keyX, L.trayPictureY[1] + keyDy, roles.pieceColors[1], scheme[kDarkPieceColour])) << "key 1";
}

class BoardPicture : public testing::DisplayTest, public ::testing::WithParamInterface<int16_t> {};

TEST_P(BoardPicture, EverySchemeAtThreeSizesShowsItsColoursWhereTheGeometryPutsThem) {
  const int16_t colour = GetParam();
  for (int16_t width : {424, 700, 1100}) {
    SCOPED_TRACE(::testing::Message() << "width " << width << " colour " << colour);
    composeBoard(width, colour);
    ASSERT_NE(boardImages.boardWorld, nullptr);
    EXPECT_EQ(boardImages.boardWorld->bounds(), makeRect(0, 0, display.boardWidth, layout.boardHeight));
    EXPECT_TRUE(savePortSnapshot(boardImages.boardWorld,
                                 testing::snapshotPath(QStringLiteral("board_%1_colour_%2").arg(width).arg(colour))));
    checkPaintedBoard(colour);
  }
}

INSTANTIATE_TEST_SUITE_P(Schemes, BoardPicture, ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12));

TEST_F(BoardPictureShape, ReferenceBoardPointsAreTwoPixelsTallerAboveAndShorterBelow) {
  composeBoard(700, 1);
  const auto& scheme = colours.colourSchemes[1];
  // Point 1's column (x 78): the upper tip reaches y 222 and no further; the lower point,
  // dark, reaches up to y 295. The bar runs from about x 320 to 366; black outlines round
  // the field halves; near-black tray outlines.
  struct Row {
    int x, y;
    RGBColor colour;
    bool is;
  };
  for (const Row& r : {Row{78, 222, scheme[kFieldColour], false}, {78, 224, scheme[kFieldColour], true},
                       {78, 45, scheme[kLightRowColour], true}, {78, 296, scheme[kFieldColour], false},
                       {78, 293, scheme[kFieldColour], true}, {78, 468, scheme[kDarkRowColour], true},
                       {321, 257, scheme[kFrameColour], true}, {365, 257, scheme[kFrameColour], true},
                       {314, 257, scheme[kFieldColour], true}, {369, 257, scheme[kFieldColour], true},
                       {56, 257, kBlackRGB, true}, {626, 257, kBlackRGB, true}, {9, 380, RGBColor{80, 80, 80}, true}})
    EXPECT_EQ(static_cast<bool>(pixelIs(r.x, r.y, r.colour)), r.is) << r.x << "," << r.y;
}

TEST_F(BoardPictureShape, TheQuickDrawSchemesDrawTheirPointsUnsmoothed) {
  composeBoard(700, 7);
  const auto& scheme = colours.colourSchemes[7];
  ASSERT_NE(boardImages.framePenPattern, nullptr);
  const QImage& pen = boardImages.framePenPattern->tile;
  // Every pixel down a point's column is the point's pattern, the framing pen's pattern or
  // the field: no blended edge pixels.
  const int x = 57 + 43 + 10;
  for (int y = 44; y < 230; ++y) {
    const QColor c = boardPixel(x, y);
    const bool point = static_cast<bool>(roleAt(x, y, roles.darkPointColor, scheme[kDarkRowColour]));
    const bool edge = near(c, QColor(pen.pixel(x % pen.width(), y % pen.height())));
    EXPECT_TRUE(point || edge || near(c, shown(scheme[kFieldColour]))) << y;
  }
}

TEST_F(BoardPictureShape, AFrameDesignTilesTheFrameButNeverTheFieldOrPoints) {
  composeBoard(700, 1, 1);
  const GrafPort* tile = boardImages.designFrameTileWorld;
  ASSERT_NE(tile, nullptr);
  const int w = tile->image.width();
  // Tiles are laid from the board's origin, so the top frame shows the tile as it is.
  for (int x : {100, 343, 500}) EXPECT_EQ(boardPixel(x, 3).rgb(), QColor(tile->image.pixel(x % w, 3)).rgb()) << x;
  const auto& scheme = colours.colourSchemes[1];
  EXPECT_TRUE(pixelIs(57 + 21, 257, scheme[kFieldColour]));
  EXPECT_TRUE(pixelIs(57 + 21, 60, scheme[kLightRowColour]));
  const GrafPort* shadeTile = boardImages.designShadeTileWorld;
  ASSERT_NE(shadeTile, nullptr);
  EXPECT_EQ(boardPixel(1, 200).rgb(), QColor(shadeTile->image.pixel(1, 200 % shadeTile->image.height() + 1)).rgb());
}

TEST_F(PictureBoard, TakesItsSizeAndPartsFromItsPictures) {
  composeBoard(1100, kPictureBoard);
  EXPECT_TRUE(savePortSnapshot(boardImages.boardWorld, testing::snapshotPath(QStringLiteral("board_colour_15"))));
  // The frame picture's size, whatever was asked; the trays' from the tray picture.
  EXPECT_EQ(layout.boardRect, makeRect(0, 0, 609, 421));
  EXPECT_EQ(layout.trayPieceThickness, 151 / 15);
  EXPECT_NE(boardImages.frameShapeRgn, nullptr);
  EXPECT_FALSE(emptyRgn(boardImages.frameShapeRgn));
  // Both colour sets show the same die faces.
  EXPECT_EQ(boardImages.dieFaceWorlds[3]->image, boardImages.dieFaceWorlds[10]->image);
  // The board is the frame picture where its shape says so.
  PicHandle frame = getPicture(549);
  ASSERT_NE(frame, nullptr);
  const QImage& picture = frame->image;
  EXPECT_EQ(boardPixel(300, 200).rgb(), QColor(picture.pixel(300, 200)).rgb());
  killPicture(frame);
  // Going back to a painted board drops the shape.
  composeBoard(700, 1);
  EXPECT_EQ(boardImages.frameShapeRgn, nullptr);
}

TEST_F(BoardRebuild, ASizeAndColourChangeLeavesNoTraceOfTheOldBoard) {
  composeBoard(700, 1);
  display.overlayActive = 0;
  boardState.pendingBoardSize = 2;  // 512
  boardState.boardSizeChangePending = 255;
  boardState.pendingBoardColor = 4;
  boardState.boardColorChangePending = -1;
  rebuildBoardWindow();
  EXPECT_EQ(boardState.boardSizeChangePending, 0);
  EXPECT_EQ(boardState.boardColorChangePending, 0);
  EXPECT_EQ(boardState.previousBoardColor, 1);
  const QImage rebuilt = boardImages.boardWorld->image.copy();
  const BoardLayout rebuiltLayout = layout;
  const int16_t rebuiltWidth = display.boardWidth;

  composeBoard(512, 4);
  EXPECT_EQ(rebuiltWidth, display.boardWidth);
  EXPECT_EQ(rebuiltLayout.pointGeometry, layout.pointGeometry);
  EXPECT_EQ(rebuilt, boardImages.boardWorld->image);
}

// A colour scheme chosen on a board that was drawn in another: the window, point numbers
// and panels included, is what a first start in the chosen scheme draws.
TEST_F(BoardRebuild, AColourChangeDrawsTheWindowAsAFirstStartInThatColour) {
  for (const int16_t from : {int16_t{10}, int16_t{1}}) {
    for (const int16_t colour : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14}) {
      if (colour == from) continue;
      SCOPED_TRACE("from " + std::to_string(from) + " to " + std::to_string(colour));
      testing::setPosition("start | dice 3 1 | side 0");
      testing::openBoard(700, from);
      redrawBoardWindow();
      display.overlayActive = 0;
      boardState.pendingBoardColor = colour;
      boardState.boardColorChangePending = -1;
      rebuildBoardWindow();
      redrawBoardWindow();
      const QImage changed = testing::boardArea();
      testing::openBoard(700, colour);
      redrawBoardWindow();
      const QImage fresh = testing::boardArea();
      int differing = 0;
      for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x) differing += changed.pixel(x, y) != fresh.pixel(x, y) ? 1 : 0;
      EXPECT_EQ(differing, 0);
    }
  }
}

TEST_F(BoardRebuild, FrameDesignChanges) {
  composeBoard(700, 1);
  const QImage plain = boardImages.boardWorld->image.copy();
  boardState.frameDesignChoice = 0;
  invalidateBoard();  // the design in force: nothing changes
  EXPECT_EQ(plain, boardImages.boardWorld->image);
  boardState.frameDesignChoice = 5;
  boardState.boardSizeChangePending = 255;
  invalidateBoard();  // a pending size: only the tiles are built
  EXPECT_EQ(boardState.boardFrameDesign, 5);
  EXPECT_NE(boardImages.designFrameTileWorld, nullptr);
  EXPECT_EQ(plain, boardImages.boardWorld->image);
  boardState.boardSizeChangePending = 0;
  boardState.frameDesignChoice = 2;
  invalidateBoard();
  EXPECT_EQ(boardState.designTilesOn, 1);
  EXPECT_NE(plain, boardImages.boardWorld->image);
}

// Ink over a ground: the commonest luminance in a window area (board coordinates) is the
// ground; pixels at least 80 away from it are ink, with their mean distance.
struct Ink {
  int pixels = 0;
  int contrast = 0;
};

int luminance(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

Ink inkOver(const Rect& r) {
  std::map<int, int> histogram;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ++histogram[luminance(testing::pixelAt(x, y))];
  int ground = 0;
  int most = 0;
  for (auto [level, count] : histogram)
    if (count > most) std::tie(ground, most) = std::tie(level, count);
  Ink ink;
  int sum = 0;
  for (auto [level, count] : histogram)
    if (std::abs(level - ground) >= 80) ink.pixels += count, sum += count * std::abs(level - ground);
  ink.contrast = ink.pixels > 0 ? sum / ink.pixels : 0;
  return ink;
}

Rect insetBy(Rect r, int d) { return makeRect(r.left + d, r.top + d, r.right - d, r.bottom - d); }

int channelGap(const QColor& a, const QColor& b) {
  return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// The mean colour of the middle 9 x 9 pixels of a checker image.
QColor checkerColour(int16_t colourSet) {
  const QImage& image = boardImages.pieceImageWorlds[colourSet]->image;
  const QImage middle = image.copy(image.width() / 2 - 4, image.height() / 2 - 4, 9, 9);
  return QColor(middle.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
}

class SchemeWindow : public testing::DisplayTest, public ::testing::WithParamInterface<int16_t> {
 protected:
  void TearDown() override {
    setPort(nullptr);
    windowClose(1);
    DisplayTest::TearDown();
  }
};

// Every scheme in its window: the message and the cube value read against their ground,
// tray checkers stay in their trays, checkers agree with their dice and tray keys, and area
// a resize adds shows the window's background.
TEST_P(SchemeWindow, TextsReadTraysHoldTheirCheckersColoursAgreeAndAGrownWindowShowsItsBackground) {
  const int16_t colour = GetParam();
  testing::setPosition("6:5 8:3 13:4 24:1 19:-5 17:-3 12:-5 | dice 3 1 | side 0");
  testing::openBoard(700, colour);
  redrawBoardWindow();
  interaction.messageText = "MMWrong Color";
  interaction.messageNumber = kNoMessage;
  displayMessage();
  EXPECT_TRUE(saveWindowSnapshot(1, testing::snapshotPath(QStringLiteral("window_colour_%1").arg(colour))));
  const BoardLayout& L = layout;

  const Ink message = inkOver(insetBy(messageLine.messageLineRect, 3));
  EXPECT_GE(message.pixels, 40) << "message";
  const int c = displaySettings.playDirection;
  for (auto [value, owner] : {std::pair{1, kCubeCentred}, {16, 0}, {2, 1}}) {
    cube.cubeValue = static_cast<int16_t>(value);
    cube.cubeOwner = cube.cubeOwnerBeforeDouble = static_cast<int16_t>(owner);
    drawCube();
    const Rect at = makeRect(L.cubeX[c], L.cubeY[owner], L.cubeX[c] + L.cubeWidth[c], L.cubeY[owner] + L.cubeHeight[c]);
    const Ink ink = inkOver(insetBy(at, 3));
    EXPECT_GE(ink.pixels, 12) << "cube value " << value;
    EXPECT_GE(ink.contrast, 100) << "cube value " << value;
  }

  // Both sides have two checkers off: nothing of them above the upper tray or below the lower.
  for (int band = 1; band <= 6; ++band)
    for (int x = L.trayRects[1].left; x < L.trayRects[1].right; ++x) {
      for (int y : {L.trayRects[1].top - band, L.trayRects[0].bottom - 1 + band})
        ASSERT_EQ(testing::pixelAt(x, y), testing::boardPixel(x, y).rgb()) << "tray band at " << x << "," << y;
    }

  if (colour != kPictureBoard) {
    const auto& scheme = colours.colourSchemes[colour];
    const int keyX = L.trayLeft[0] + L.pieceWidth / 2;
    const int keyDy = colour == 12 ? L.textSize / 4 + 1 : 2 + (L.trayPieceThickness - 2) / 2;
    for (int s = 0; s <= 1; ++s) {
      const QColor plain = testing::shown(scheme[s == 0 ? kLightPieceColour : kDarkPieceColour]);
      const QColor checker = checkerColour(static_cast<int16_t>(s));
      EXPECT_LE(channelGap(checker, plain), 40) << "checker " << s;
      EXPECT_LE(channelGap(testing::boardPixel(keyX, L.trayPictureY[s] + keyDy), plain), 40) << "key " << s;
      // The pip of a one (darkened when light) has the checker's hue, or is grey with it.
      const QImage& one = boardImages.dieFaceWorlds[1 + 7 * s]->image;
      const QColor pip(one.pixel(one.width() / 2, one.height() / 2));
      const bool grey = checker.hslSaturation() < 30;
      EXPECT_EQ(pip.hslSaturation() < 30, grey) << "pip " << s;
      EXPECT_TRUE(grey || std::abs(pip.hslHue() - checker.hslHue()) % 340 <= 20) << "pip " << s;
    }
  }

  const Rect before = portBounds(1);
  sizeWindow(1, before.width() + 60, before.height() + 40, false);
  const QImage grown = windowPort(1)->image.copy();
  redrawBoardWindow();
  const QImage painted = windowPort(1)->image;
  for (const QPoint at : {QPoint(before.width() + 30, 10), QPoint(20, before.height() + 20)})
    EXPECT_EQ(grown.pixel(at), painted.pixel(at)) << "grown area at " << at.x() << "," << at.y();
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeWindow, ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, kPictureBoard));

}  // namespace
}  // namespace bg
