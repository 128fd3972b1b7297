#include "display/board_rebuild.h"

#include <QMessageBox>
#include <QString>

#include "display/bear_off.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/board_picture.h"
#include "display/board_redraw.h"
#include "display/board_resources.h"
#include "state/board_state.h"
#include "display/checker_animation.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "display/cube_display.h"
#include "display/custom_colour_file.h"
#include "display/dice_display.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/name_labels.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "display/statistics_panels.h"
#include "display/upper_services.h"
#include "display/world_housekeeping.h"
#include "display/turn_arrow.h"
#include "flow/turn_services.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/windows.h"
#include "state/board_command_services.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/interaction_services.h"
#include "state/program_state.h"

namespace bg {


namespace {

constexpr int16_t kDefaultBoardColour = 10;
constexpr int16_t kDefaultPieceSize = 3;

// The window rectangle of the current fit.
Rect fittedWindowRect() {
  const BoardWindowPlacement& W = windowPlacement;
  return makeRect(W.windowX1, W.windowY1, W.windowX2, W.windowY2);
}

void setBoardOrigin() {
  if (GrafPtr window = windowPort(kBoardWindow)) setPortOrigin(window, windowPlacement.boardWidthOffset,
                                                               windowPlacement.boardHeightOffset);
}

void clipBoardWindowToBoard() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  setPort(saved);
}

// Every box taken down, then the whole board drawn again.
void redrawBoardPictureService() {
  for (int boxes = 0; boxes < 2 && display.overlayActive != 0; ++boxes) closeBoardOverlay();
  redrawBoardWindow();
}

BoardPoint boardCentreService() { return {layout.boardCentreX, layout.boardCentreY}; }

// A die face through its mask, clipped to the board, onto the board window.
void drawDieImageService(int16_t faceIndex, int16_t mask, int16_t left, int16_t top) {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  const Rect& die = layout.dieRect;
  const Rect place = makeRect(left, top, left + die.width(), top + die.height());
  copyOffscreenMasked(boardImages.dieFaceWorlds[faceIndex], boardImages.plainDieWorlds[mask], window, die, die,
                      place);
  setPort(saved);
}

// The composed board copied back over an area of the board window.
void restoreBoardBackgroundService(BoardRect area) {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  const Rect r = makeRect(area.left, area.top, area.right, area.bottom);
  copyOffscreenToWindow(boardImages.boardWorld, window, r, r);
  setPort(saved);
}

void flushBoardWindowService() { flushWindow(kBoardWindow); }

void refreshDragSaveUnderService(BoardRect area) {
  refreshDragSaveUnder(makeRect(area.left, area.top, area.right, area.bottom));
}
void displayMessageService() { displayMessage(); }
void clearMessageLineService(int16_t flag) { clearMessageLine(flag); }

// Stop alert 141: both lines, and only a way out.
void stopAlertBox(std::string_view first, std::string_view second) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Tavrik's Backgammon"),
                  QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size())));
  box.setInformativeText(QString::fromUtf8(second.data(), static_cast<qsizetype>(second.size())));
  box.addButton(QStringLiteral("Quit"), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace

void relayoutBoard() {
  computeBoardLayout();
  setBoardOrigin();
  if (boardImages.boardClipRgn == nullptr) boardImages.boardClipRgn = newRgn();
  rectRgn(boardImages.boardClipRgn, makeRect(0, 0, display.boardWidth, layout.boardHeight));
}

void setBoardWindowSize() {
  BoardWindowPlacement& W = windowPlacement;
  const ShellWindowState& S = shellWindow;
  boardState.boardSizeChangePending = 255;
  W.windowCentre[1] = static_cast<int16_t>(S.screenWidth / 2);
  W.windowCentre[0] = static_cast<int16_t>(S.menuBarHeight + S.titleBarHeight +
                                           (S.screenHeight - (S.menuBarHeight + S.titleBarHeight)) / 2);
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  setPortOrigin(window, 0, 0);
  sizeWindow(kBoardWindow, W.windowX2 - W.windowX1, W.windowY2 - W.windowY1, false);
  const Rect content = windowContentRect(kBoardWindow);
  layout.boardWindowRect = makeRect(0, 0, content.width(), content.height());
  layout.tempX = static_cast<int16_t>(W.windowCentre[1] - layout.boardWindowRect.width() / 2);
  layout.tempY = static_cast<int16_t>(W.windowCentre[0] - layout.boardWindowRect.height() / 2);
  moveWindow(kBoardWindow, layout.tempX, layout.tempY, false);
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardWindowRect);
  setDrawColor(roles.windowBackColor);
  paintRect(layout.boardWindowRect);
  penNormal();
  setPort(saved);
}

void measureFramePicture() {
  PicHandle frame = getPicture(kFramePicture);
  layout.boardRect = pictureBounds(frame);
  layout.framePictureWidth = layout.boardRect.width();
  layout.framePictureHeight = layout.boardRect.height();
  killPicture(frame);
}

void rebuildBoardWindow() {
  if (boardState.setupInProgress != 0) return;
  rebuildBoardForWindowSize();
}

void rebuildBoardForWindowSize() {
  BoardState& B = boardState;
  if (display.overlayActive != 0) return;
  clearMessageLine(0);
  B.boardRebuildBusy = -1;
  const int16_t widthBefore = display.boardWidth;
  if (B.boardSizeChangePending != 0) {
    upperServices.endWaitLoop();
    shellWindow.boardSizeIndex = B.pendingBoardSize;
    if (shellWindow.boardRebuilding != -1) display.boardSizeUnit = shellWindow.boardSizeTable[B.pendingBoardSize];
    display.boardWidth = display.boardSizeUnit;
  }
  if (B.boardColorChangePending != 0) {
    if (B.pendingBoardColor == kCustomColours) {
      B.customColoursRead = readCustomColors();
      if (B.customColoursRead == 0) {
        // Nothing of the change is applied, the size included: the layout still holds
        // the old width, and drawing must not mix the two.
        display.boardWidth = widthBefore;
        B.boardRebuildBusy = 0;
        B.boardColorChangePending = 0;
        return;
      }
    }
    B.previousBoardColor = display.boardColor;
    display.boardColor = B.pendingBoardColor;
    if (display.boardColor == kPictureBoard) {
      measureFramePicture();
      display.boardWidth = layout.framePictureWidth;
      layout.boardHeight = layout.framePictureHeight;
    }
    boardImages.pixPatBase = pixPatBaseFor(display.boardColor);
    setBoardPaletteEntries();
    setDefaultColours();
    disposeHandCursors();
    loadHandCursors();
    disposePixPatterns();
    loadPixPatterns();
  }
  disposeAllOffscreenWorlds();
  const bool relayout = B.boardSizeChangePending != 0 || shellWindow.boardRebuilding != 0 ||
                        B.boardRelayoutRequested != 0;
  if (relayout) relayoutBoard();
  layout.boardRect = makeRect(0, 0, display.boardWidth, layout.boardHeight);
  buildPieceImages();
  buildBoardOffscreens();
  buildBoardPicture();
  if (B.boardRelayoutRequested != 0 || B.boardSizeChangePending != 0) setBoardWindowSize();
  setBoardOrigin();
  clipBoardWindowToBoard();
  if (windowExists(kBoardWindow)) {
    layout.boardWindowRect = portBounds(kBoardWindow);
    invalidateRect(kBoardWindow, layout.boardWindowRect);
  }
  B.boardRebuildBusy = 0;
  B.boardSizeChangePending = 0;
  B.boardColorChangePending = 0;
  publishDisplayValues();
}

void invalidateBoard() {
  BoardState& B = boardState;
  if (display.overlayActive != 0 || B.setupInProgress != 0) return;
  clearMessageLine(0);
  B.designTilesChoice = B.frameDesignChoice > 0 ? 1 : B.frameDesignChoice;
  if (B.frameDesignChoice == B.boardFrameDesign) return;
  if (display.firstBoardBuild != -1 && B.designTilesOn == 1) {
    disposeOffscreenWorld(boardImages.designFrameTileWorld);
    disposeOffscreenWorld(boardImages.designShadeTileWorld);
  }
  B.designTilesOn = B.designTilesChoice;
  B.boardFrameDesign = B.frameDesignChoice;
  if (B.designTilesOn != 0) {
    const auto& tiles = shellWindow.designTilePictures[B.boardFrameDesign];
    buildDisplayPictures(tiles[0], tiles[1]);
  }
  if (display.firstBoardBuild != 0) return;
  if ((B.boardColorChangePending | static_cast<int16_t>(B.boardSizeChangePending)) != 0) return;
  buildBoardPicture();
  if (windowExists(kBoardWindow)) invalidateRect(kBoardWindow, portBounds(kBoardWindow));
}

void rebuildPieceImages() {
  disposePieceWorlds();
  buildPieceImages();
}

void initBoardDisplay() {
  const Rect screen = mainScreenRect();
  const Rect available = availableScreenRect();
  const int16_t menuBar = static_cast<int16_t>(available.top - screen.top);
  initColourAndStyleTables();
  computeWindowGeometry(screen.width(), screen.height(), menuBar > 0 ? menuBar : 22);
  static constexpr int16_t kDesignTiles[11][2] = {{0, 0},     {143, 138}, {135, 138}, {141, 138}, {139, 138}, {144, 134},
                                                  {142, 134}, {145, 134}, {132, 134}, {0, 0},     {0, 0}};
  for (int d = 0; d <= 10; ++d) {
    shellWindow.designTilePictures[d][0] = kDesignTiles[d][0];
    shellWindow.designTilePictures[d][1] = kDesignTiles[d][1];
  }
  displaySettings.pieceSize = kDefaultPieceSize;
  display.boardColor = kDefaultBoardColour;
  shellWindow.boardSizeIndex = defaultBoardSizeIndex(shellWindow.screenWidth);
  display.boardWidth = shellWindow.boardSizeTable[shellWindow.boardSizeIndex];
  display.firstBoardBuild = -1;
  buildBoardDisplay();
}

void buildBoardDisplay() {
  setDefaultColours();
  computeBoardLayout();
  initBoardGraphics();
}

void openBoardWindow() {
  const Rect rect = fittedWindowRect();
  setMainWindow(kBoardWindow);
  windowOpen(kBoardWindow, "Tavrik's Backgammon", rect, kDocumentWindow, false);
  if (shellWindow.windowMinWidth > 0) {
    setResizeLimits(kBoardWindow, shellWindow.windowMinWidth, shellWindow.windowMinHeight, shellWindow.windowMaxWidth,
                    shellWindow.windowMaxHeight);
  }
  activateBoardPalette();
  GrafPtr window = windowPort(kBoardWindow);
  if (window != nullptr) {
    const GrafPtr saved = getPort();
    setPort(window);
    setPortOrigin(window, 0, 0);
    const Rect content = windowContentRect(kBoardWindow);
    layout.boardWindowRect = makeRect(0, 0, content.width(), content.height());
    clipRect(layout.boardWindowRect);
    setDrawColor(roles.windowBackColor);
    paintRect(layout.boardWindowRect);
    penNormal();
    setPort(saved);
  }
  setOutputWindow(kBoardWindow);
  windowSelect(kBoardWindow);
  setBoardOrigin();
  // Painted and shown only: the first full redraw, with the welcome and the greeting, is the
  // first game's, once the program data and the display's services are in place.
  publishDisplayValues();
  flushWindow(kBoardWindow);
}

void installDisplayServices() {
  displayServices.redrawBoardWindow = redrawBoardWindow;
  displayServices.redrawBoardPicture = redrawBoardPictureService;
  displayServices.closeBoardOverlay = closeBoardOverlay;
  displayServices.frameAllDice = frameAllDice;
  displayServices.showDieUsed = showDieUsed;
  displayServices.animateCheckerMove = animateCheckerMove;
  displayServices.drawHitToBar = drawHitToBar;
  displayServices.bearOffToTray = bearOffToTray;
  displayServices.drawCube = drawCube;
  displayServices.drawTurnArrow = drawTurnArrow;
  turnServices.updateRollOverDisplay = updateRollOverDisplay;
  turnServices.boardCentre = boardCentreService;
  displayServices.drawDieImage = drawDieImageService;
  displayServices.restoreBoardBackground = restoreBoardBackgroundService;
  displayServices.flushBoardWindow = flushBoardWindowService;
  displayServices.refreshDragSaveUnder = refreshDragSaveUnderService;
  interactionServices.displayMessage = displayMessageService;
  interactionServices.clearMessageLine = clearMessageLineService;
  upperServices.showStopAlert = stopAlertBox;
  displayServices.drawNameLabels = drawNameLabels;
  turnServices.layoutNameLabels = layoutNameLabels;
  boardCommandServices.drawStatsLeft = drawStatsLeft;
  boardCommandServices.drawStatsRight = drawStatsRight;
}

}  // namespace bg
