#include "display/board_resources.h"

#include <cmath>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_picture.h"
#include "state/board_state.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "display/upper_services.h"
#include "display/world_housekeeping.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"

namespace bg {

namespace {

constexpr int16_t kArrowBackdropPicture = 556;
constexpr int16_t kArrowMaskPicture = 603;
constexpr int16_t kFirstTurnArrowPicture = 595;
constexpr uint16_t kPipLightnessCap = 19660;

// Draws picture id into a new world of its own bounds; the bounds go into rect.
GWorldPtr worldFromPicture(int16_t id, Rect* rect, bool oneBit) {
  PicHandle picture = getPicture(id);
  const Rect bounds = pictureBounds(picture);
  if (rect != nullptr) *rect = bounds;
  GWorldPtr world = nullptr;
  if (bounds.width() > 0 && bounds.height() > 0) {
    world = oneBit ? newMaskWorld(bounds) : newOffscreenWorld(bounds);
    if (world != nullptr) {
      const GrafPtr saved = getPort();
      setPort(world);
      drawPicture(picture, bounds);
      setPort(saved);
    }
  }
  killPicture(picture);
  return world;
}

// Draws picture id scaled into the whole of a world.
void drawPictureInto(GWorldPtr world, int16_t id, const Rect& rect) {
  if (world == nullptr) return;
  PicHandle picture = getPicture(id);
  const GrafPtr saved = getPort();
  setPort(world);
  if (picture != nullptr) drawPicture(picture, rect);
  setPort(saved);
  killPicture(picture);
}

// A colour no lighter than the cap, so that pips stay readable on a light checker colour.
RGBColor pipColour(const RGBColor& pieceColour) {
  HSLColor hsl = rgbToHsl(pieceColour);
  if (hsl.lightness > kPipLightnessCap + 0.5) {
    hsl.lightness = kPipLightnessCap;
    return hslToRgb(hsl);
  }
  return pieceColour;
}

}  // namespace

int16_t dieBasePicture(int16_t sizeClass) {
  static constexpr int16_t kBase[5] = {1350, 350, 1250, 1550, 1450};
  return sizeClass >= 0 && sizeClass <= 4 ? kBase[sizeClass] : 0;
}

int16_t emblemMaskPicture(int16_t sizeClass) {
  if (sizeClass == 0) return 137;
  if (sizeClass <= 2) return 136;
  return 140;
}

void initBoardGraphics() {
  if (boardState.designTilesOn == 1) {
    const auto& tiles = shellWindow.designTilePictures[boardState.boardFrameDesign];
    buildDisplayPictures(tiles[0], tiles[1]);
  }
  loadColourCursors();
  loadBoardPatterns();
}

namespace {

void loadCommandCursors(int16_t boardColor) {
  const int16_t offset = boardColor == kPictureBoard ? kPictureBoardCursorOffset : 0;
  for (int k = 0; k <= 10; ++k) {
    CCrsrHandle& cursor = boardImages.colourCursors[k];
    if (cursor != nullptr) disposeCCursor(cursor);
    cursor = getCCursor(static_cast<int16_t>(kCommandCursorIds[k] + offset));
  }
}

}  // namespace

void loadColourCursors() {
  loadCommandCursors(display.boardColor);
  if (boardImages.selectionCursor != nullptr) disposeCCursor(boardImages.selectionCursor);
  boardImages.selectionCursor = getCCursor(kSelectionCursorId);
  loadHandCursors();
}

void loadHandCursors() {
  for (auto& hand : boardImages.handCursors) {
    if (hand != nullptr) disposeCCursor(hand);
    hand = getCCursor(kHandCursorId);
  }
}

void disposeHandCursors() {
  for (auto& hand : boardImages.handCursors)
    if (hand != nullptr) disposeCCursor(hand);
}

void reloadColourCursors() { loadCommandCursors(boardState.pendingBoardColor); }

void loadBoardPatterns() {
  for (auto& pattern : boardImages.rolePixPats)
    if (pattern != nullptr) disposePixPat(pattern);
  for (PixPatHandle* pattern : {&boardImages.framePenPattern, &boardImages.panelFramePenPattern,
                                &boardImages.pixPatterns, &boardImages.extraPattern})
    if (*pattern != nullptr) disposePixPat(*pattern);
  boardImages.framePenPattern = getPixPat(kFramePenPattern);
  boardImages.panelFramePenPattern = getPixPat(kFramePenPattern);
  boardImages.pixPatBase = pixPatBaseFor(display.boardColor);
  loadPixPatterns();
}

void loadPixPatterns() {
  const int16_t colour = display.boardColor;
  for (int16_t slot : {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 19})
    boardImages.rolePixPats[slot] = getPixPat(rolePatternId(slot, colour, boardImages.pixPatBase));
  boardImages.pixPatterns = getPixPat(kPanelFillPattern);
  boardImages.extraPattern = colour == 12 ? getPixPat(extraPatternId(boardImages.pixPatBase)) : nullptr;
}

void disposePixPatterns() {
  for (int16_t slot : {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 19}) {
    if (boardImages.rolePixPats[slot] != nullptr) disposePixPat(boardImages.rolePixPats[slot]);
    boardImages.rolePixPats[slot] = nullptr;
  }
  if (boardImages.pixPatterns != nullptr) disposePixPat(boardImages.pixPatterns);
  boardImages.pixPatterns = nullptr;
  // The colour has already changed when this runs, so the extra pattern goes by the old one.
  if (boardState.previousBoardColor == 12 && boardImages.extraPattern != nullptr)
    disposePixPat(boardImages.extraPattern);
  if (boardState.previousBoardColor == 12) boardImages.extraPattern = nullptr;
}

void buildBoardOffscreens() {
  setOrigin(0, 0);
  disposeOffscreenWorld(boardImages.boardWorld);
  boardImages.boardWorld = newOffscreenWorld(layout.boardRect);
  renderBoardOffscreen();
  buildCubeImagesByStyle();
  if (display.firstBoardBuild != 0) {
    loadArrowBackdrop();
    loadTurnArrowImages();
    loadPictureSet541();
  }
}

void renderBoardOffscreen() {
  loadCentreEmblemMasks();
  makeCentreEmblemWorlds();
  paintCentreEmblemWorlds();
  if (display.boardColor == kPictureBoard)
    loadTrayPieceImages();
  else
    paintTrayPieceImages();
  if (display.boardColor == kPictureBoard)
    loadDiceFaceImagesPictured();
  else
    buildDiceFaceImages();
}

void buildCubeImagesByStyle() {
  if (display.boardColor == kPictureBoard)
    buildCubeImagesPictured();
  else
    buildCubeImages();
}

void loadCentreEmblemMasks() {
  boardImages.emblemRect = makeRect(0, 0, layout.emblemWidth, layout.emblemHeight);
  const int16_t id = emblemMaskPicture(layout.diceSizeClass);
  for (int k = 1; k <= 2; ++k) {
    disposeOffscreenWorld(boardImages.centreEmblemMasks[k]);
    boardImages.centreEmblemMasks[k] = newMaskWorld(boardImages.emblemRect);
    drawPictureInto(boardImages.centreEmblemMasks[k], id, boardImages.emblemRect);
  }
}

void makeBoardSizedOffscreen() {
  roleForeColor(roles.boardForeColor);
  rgbBackColor(kWhiteRGB);
  disposeOffscreenWorld(boardImages.messageBoxWorld);
  boardImages.messageBoxWorld =
      newOffscreenWorld(makeRect(0, 0, offscreen.messageBoxWidth, offscreen.messageBoxHeight));
}

void makeCentreEmblemWorlds() {
  for (int k = 1; k <= 2; ++k) {
    disposeOffscreenWorld(boardImages.centreEmblemWorlds[k]);
    boardImages.centreEmblemWorlds[k] = newOffscreenWorld(boardImages.emblemRect);
  }
}

void paintCentreEmblemWorlds() {
  if (display.boardColor == kPictureBoard) return;
  const GrafPtr saved = getPort();
  for (int k = 1; k <= 2; ++k) {
    setPort(boardImages.centreEmblemWorlds[k]);
    setDrawColor(roles.pieceColors[0]);
    paintRect(boardImages.emblemRect);
    penNormal();
  }
  setPort(saved);
}

void buildDiceFaceImages() {
  BoardLayout& L = layout;
  const int16_t base = dieBasePicture(L.BoardLargeness);
  if (base == 0) {
    hook::showBoardNotice("something is wrong with BoardLargeness");
    return;
  }
  PicHandle basePicture = getPicture(base);
  L.dieRect = pictureBounds(basePicture);
  if (L.dieRect.width() <= 0) L.dieRect = makeRect(0, 0, L.dieWidth, L.dieHeight);
  L.dieWidth = L.dieRect.width();
  L.dieHeight = L.dieRect.height();
  const GrafPtr saved = getPort();

  CheckedArray<GWorldPtr, 1> colourWorlds{};
  for (int s = 0; s <= 1; ++s) {
    colourWorlds[s] = newOffscreenWorld(L.dieRect);
    setPort(colourWorlds[s]);
    penNormal();
    rgbForeColor(pipColour(colours.boardPalette[roles.pieceColors[s]]));
    paintRect(L.dieRect);
  }
  GWorldPtr pipWorld = newMaskWorld(L.dieRect);
  for (int s = 0; s <= 1; ++s) {
    for (int f = 0; f <= 6; ++f) {
      const int index = f + 7 * s;
      disposeOffscreenWorld(boardImages.dieFaceWorlds[index]);
      GWorldPtr face = newOffscreenWorld(L.dieRect);
      setPort(face);
      eraseRect(L.dieRect);
      if (basePicture != nullptr) drawPicture(basePicture, L.dieRect);
      setPort(pipWorld);
      eraseRect(L.dieRect);
      PicHandle pips = getPicture(static_cast<int16_t>(base - 10 + f));
      if (pips != nullptr) drawPicture(pips, L.dieRect);
      killPicture(pips);
      copyOffscreenMasked(colourWorlds[s], pipWorld, face, L.dieRect, L.dieRect, L.dieRect);
      boardImages.dieFaceWorlds[index] = face;
    }
  }
  disposeGWorld(pipWorld);
  for (auto& world : colourWorlds) disposeOffscreenWorld(world);
  for (int s = 0; s <= 1; ++s) {
    disposeOffscreenWorld(boardImages.plainDieWorlds[s]);
    boardImages.plainDieWorlds[s] = newOffscreenWorld(L.dieRect);
    drawPictureInto(boardImages.plainDieWorlds[s], static_cast<int16_t>(base + 7), L.dieRect);
  }
  killPicture(basePicture);
  setPort(saved);
  publishDisplayValues();
}

void loadDiceFaceImagesPictured() {
  BoardLayout& L = layout;
  PicHandle first = getPicture(kPictureBoardDieBase);
  L.dieRect = pictureBounds(first);
  killPicture(first);
  L.dieWidth = L.dieRect.width();
  L.dieHeight = L.dieRect.height();
  if (L.dieWidth <= 0 || L.dieHeight <= 0) return;
  for (int f = 0; f <= 6; ++f) {
    for (int s = 0; s <= 1; ++s) {
      GWorldPtr& world = boardImages.dieFaceWorlds[f + 7 * s];
      disposeOffscreenWorld(world);
      world = newOffscreenWorld(L.dieRect);
      drawPictureInto(world, static_cast<int16_t>(kPictureBoardDieBase + f), L.dieRect);
    }
  }
  for (int s = 0; s <= 1; ++s) {
    disposeOffscreenWorld(boardImages.plainDieWorlds[s]);
    boardImages.plainDieWorlds[s] = newMaskWorld(L.dieRect);
    drawPictureInto(boardImages.plainDieWorlds[s], s == 0 ? 582 : 590, L.dieRect);
  }
}

void loadArrowBackdrop() {
  disposeOffscreenWorld(boardImages.arrowBackdropWorld);
  boardImages.arrowBackdropWorld = worldFromPicture(kArrowBackdropPicture, nullptr, false);
  GWorldPtr mask = worldFromPicture(kArrowMaskPicture, nullptr, true);
  if (boardImages.arrowBackdropRgn == nullptr) boardImages.arrowBackdropRgn = newRgn();
  setEmptyRgn(boardImages.arrowBackdropRgn);
  if (mask != nullptr) {
    bitMapToRegion(boardImages.arrowBackdropRgn, mask);
    disposeGWorld(mask);
  }
}

void loadTurnArrowImages() {
  for (int i = 0; i <= 1; ++i)
    for (int j = 0; j <= 1; ++j)
      for (int k = 0; k <= 1; ++k) {
        GWorldPtr& world = boardImages.turnArrowWorlds[i][j][k];
        disposeOffscreenWorld(world);
        world = worldFromPicture(static_cast<int16_t>(kFirstTurnArrowPicture + 4 * i + 2 * j + k), nullptr, false);
      }
  GWorldPtr mask = worldFromPicture(kArrowMaskPicture, nullptr, true);
  if (boardImages.turnArrowRgn == nullptr) boardImages.turnArrowRgn = newRgn();
  setEmptyRgn(boardImages.turnArrowRgn);
  if (mask != nullptr) {
    bitMapToRegion(boardImages.turnArrowRgn, mask);
    disposeGWorld(mask);
  }
}

void loadPictureSet541() {
  for (int i = 0; i <= 1; ++i) {
    disposeOffscreenWorld(boardImages.trayPictureWorlds[i]);
    boardImages.trayPictureWorlds[i] = worldFromPicture(static_cast<int16_t>(541 + 2 * i), nullptr, false);
  }
  disposeOffscreenWorld(boardImages.trayMaskWorld);
  boardImages.trayMaskWorld = worldFromPicture(542, nullptr, true);
}

}  // namespace bg
