#pragma once
// Composing the board in tests: a 1024 x 768 screen, the given width, colour and frame
// design, and the board image built as the first drawing builds it. It brings the state
// and display headers the display tests share.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/board_picture.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "display/board_resources.h"
#include "state/board_state.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "display/cube_display.h"
#include "state/display_settings.h"
#include "display/drag_feedback.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "display/upper_services.h"
#include "display/world_housekeeping.h"
#include "rules/dice.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/input.h"
#include "runtime/qt/snapshot.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/storage_state.h"
#include "support/position_text.h"

namespace bg::testing {

inline void setXgaScreen() {
  ShellWindowState& s = shellWindow;
  s.screenWidth = 1024;
  s.screenHeight = 768;
  s.menuBarHeight = 22;
  s.availableWidth = 1024;
  s.availableHeight = 746;
  s.boardRebuilding = 0;
  s.boardSizeIndex = 6;
  static constexpr int16_t kTable[8] = {0, 424, 512, 595, 678, 761, 844, 927};
  for (int k = 0; k <= 7; ++k) s.boardSizeTable[k] = kTable[k];
  static constexpr int16_t kTiles[11][2] = {{0, 0},     {143, 138}, {135, 138}, {141, 138}, {139, 138}, {144, 134},
                                            {142, 134}, {145, 134}, {132, 134}, {0, 0},     {0, 0}};
  for (int d = 0; d <= 10; ++d) {
    s.designTilePictures[d][0] = kTiles[d][0];
    s.designTilePictures[d][1] = kTiles[d][1];
  }
}

inline void composeBoard(int16_t requestedWidth, int16_t colour, int16_t design = 0) {
  disposeAllOffscreenWorlds();
  initColourAndStyleTables();
  setXgaScreen();
  displaySettings = DisplaySettings{};
  display.boardColor = colour;
  displaySettings.pieceSize = 3;
  boardState = BoardState{};
  boardState.frameDesignChoice = design;
  boardState.boardFrameDesign = design;
  boardState.designTilesOn = design > 0 ? 1 : 0;
  layout = BoardLayout{};
  display.boardWidth = requestedWidth;
  if (colour == kPictureBoard) measureFramePicture();
  display.firstBoardBuild = -1;
  activateBoardPalette();
  setDefaultColours();
  computeBoardLayout();
  initBoardGraphics();
  buildPieceImages();
  buildBoardPicture();
  display.firstBoardBuild = 0;
}

inline QColor boardPixel(int x, int y) {
  const GrafPort* world = boardImages.boardWorld;
  return QColor(world->image.pixel(x - world->origin.x(), y - world->origin.y()));
}

// The 8-bit colour the board shows for a 16-bit one.
inline QColor shown(const RGBColor& c) { return QColor(c.red >> 8, c.green >> 8, c.blue >> 8); }

inline bool near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1 && std::abs(a.blue() - b.blue()) <= 1;
}

inline QString snapshotPath(const QString& name) {
  QDir().mkpath(QStringLiteral("snapshots"));
  return QStringLiteral("snapshots/%1.png").arg(name);
}

// Board pixel (x, y) as window 1 shows it.
inline QRgb pixelAt(int x, int y) {
  const GrafPort* w = windowPort(1);
  return w->image.pixel(x - w->origin.x(), y - w->origin.y());
}

// The columns the ink of side's score place spans in window 1: {first, last}, none while
// last < first.
inline std::pair<int, int> scoreInkColumns(int16_t side) {
  const GrafPort* world = boardImages.boardWorld;
  const int left = layout.pipCountX[displaySettings.playDirection];
  std::pair<int, int> span{10000, -1};
  for (int y = layout.pipCountY[side] - layout.textSize; y <= layout.pipCountY[side]; ++y) {
    for (int x = left + 1; x < left + layout.frameWidth - 2; ++x) {
      if (pixelAt(x, y) == world->image.pixel(x - world->origin.x(), y - world->origin.y())) continue;
      span = {std::min(span.first, x), std::max(span.second, x)};
    }
  }
  return span;
}

// Side's score place shows `text` (drawn bold at `size`): ink about its width, or none.
inline void expectScoreShown(int16_t side, const std::string& text, int16_t size) {
  const auto [first, last] = scoreInkColumns(side);
  if (text.empty()) {
    EXPECT_LT(last, first) << "side " << side << " shows ink";
    return;
  }
  setPort(windowPort(1));
  textSize(size);
  textFace(kBoldFace);
  EXPECT_NEAR(last - first + 1, stringWidth(text), 3) << "side " << side << " '" << text << "'";
}

// The message texts the program ships.
inline void loadShippedMessages() {
  QFile file(QStringLiteral(":/text/messages.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  loadMessageTable(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

// The window's pixels over the board.
inline QImage boardArea() {
  const GrafPort* w = windowPort(1);
  const Rect& r = layout.boardRect;
  return w->image.copy(r.left - w->origin.x(), r.top - w->origin.y(), r.width(), r.height());
}

// Where the board differs from a fresh full redraw of the same position (empty when
// nowhere), which must count the same checkers; the first difference is saved as two
// snapshots.
inline QRect differenceFromAFreshRedraw() {
  const QImage played = boardArea();
  const auto pieces = position.piecesOnBoard;
  redrawBoardWindow();
  const QImage fresh = boardArea();
  EXPECT_EQ(position.piecesOnBoard, pieces);
  QRect area;
  for (int y = 0; y < played.height(); ++y)
    for (int x = 0; x < played.width(); ++x)
      if (played.pixel(x, y) != fresh.pixel(x, y)) area |= QRect(x, y, 1, 1);
  static bool saved = false;
  if (!area.isEmpty() && !std::exchange(saved, true)) {
    played.save(snapshotPath(QStringLiteral("played")));
    fresh.save(snapshotPath(QStringLiteral("fresh")));
  }
  return area;
}

// The board composed at the width and colour in window 1 with a 16-pixel margin, and
// the display's routines installed.
inline void openBoard(int16_t width, int16_t colour, int16_t design = 0) {
  composeBoard(width, colour, design);
  windowPlacement.boardWidthOffset = -16;
  windowPlacement.boardHeightOffset = -16;
  windowPlacement.windowMargin = 16;
  windowOpen(1, "board", makeRect(100, 100, 100 + display.boardWidth + 32, 100 + layout.boardHeight + 32),
             kDocumentWindow, false);
  setPortOrigin(windowPort(1), -16, -16);
  installDisplayServices();
  publishDisplayValues();
}

// Every display test starts from the program's first state and gives back what it made.
class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
  }
  void TearDown() override {
    resetProgramState();
  }
};

inline void expectLikeAFreshRedraw(const std::string& what) {
  const QRect area = differenceFromAFreshRedraw();
  EXPECT_TRUE(area.isEmpty()) << what << ": differs in " << area.x() << "," << area.y() << " " << area.width() << "x"
                              << area.height();
}

// The reference board (W700, laid out 683 x 516) in window 1 on a virtual clock.
class BoardWindowTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    setPosition("start");
    openBoard(700, 1);
  }
  void TearDown() override {
    clearSimulatedMouse();
    setPort(nullptr);
    windowClose(1);
    DisplayTest::TearDown();
  }
  static QImage window() { return windowPort(1)->image.copy(); }
  // The mouse over board point (x, y) with the button up.
  static void mouseAt(int x, int y) {
    const Rect content = windowContentRect(1);
    simulateMouse(Point{static_cast<int16_t>(content.left + 16 + x), static_cast<int16_t>(content.top + 16 + y)}, false);
  }
  static void expectLikeAFreshRedraw(const std::string& what) { testing::expectLikeAFreshRedraw(what); }
  UseVirtualClock clock;
};

}  // namespace bg::testing
