#pragma once
// Composing the board in tests: a 1024 x 768 screen, the given width, colour and frame
// design, and the board image built as the first drawing builds it.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdint>

#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_picture.h"
#include "display/board_rebuild.h"
#include "display/board_resources.h"
#include "display/board_state.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "display/display_settings.h"
#include "display/piece_images.h"
#include "display/world_housekeeping.h"
#include "runtime/qt/snapshot.h"

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
  layout.boardWidth = requestedWidth;
  if (colour == kPictureBoard) measureFramePicture();
  shellWindow.firstBoardBuild = -1;
  activateBoardPalette();
  setDefaultColours();
  computeBoardLayout();
  initBoardGraphics();
  buildPieceImages();
  buildBoardPicture();
  shellWindow.firstBoardBuild = 0;
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

}  // namespace bg::testing
