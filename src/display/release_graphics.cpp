#include "display/release_graphics.h"

#include "display/board_images.h"
#include "display/board_overlay.h"
#include "display/board_redraw.h"
#include "display/colour_schemes.h"
#include "display/cube_display.h"
#include "display/drag_feedback.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "display/world_housekeeping.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/palettes.h"
#include "runtime/qt/patterns.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/regions.h"
#include "state/program_state.h"

namespace bg {

// What the run before queued for the pump (a menu choice, a window's close) was that run's:
// a fresh start carries none of it out. Registered here, beside the graphics the display
// gives back, as the pump's queue lies below the program-wide state.
[[maybe_unused]] static const bool queuedTasksDropped = registerStateRelease(dropQueuedTasks);

void releaseBoardGraphics() {
  disposeAllOffscreenWorlds();
  BoardImages& I = boardImages;
  for (auto& pattern : I.rolePixPats)
    if (pattern != nullptr) disposePixPat(pattern);
  for (PixPatHandle* pattern : {&I.framePenPattern, &I.panelFramePenPattern, &I.pixPatterns, &I.extraPattern})
    if (*pattern != nullptr) disposePixPat(*pattern);
  for (auto& cursor : I.colourCursors)
    if (cursor != nullptr) disposeCCursor(cursor);
  for (auto& cursor : I.handCursors)
    if (cursor != nullptr) disposeCCursor(cursor);
  if (I.selectionCursor != nullptr) disposeCCursor(I.selectionCursor);
  if (colours.paletteHandle != nullptr) disposePalette(colours.paletteHandle);
  for (RgnHandle* rgn : {&I.trayPieceRgn, &I.heldUnderRgn, &I.movingUnderRgn, &I.pieceShapeRgn, &I.pieceOutlineRgn,
                         &I.landingRgn, &I.dragClipRegion, &I.occluderRgn, &I.arrowBackdropRgn, &I.turnArrowRgn,
                         &I.boardClipRgn, &I.frameShapeRgn, &drag.dragPreviousRgn, &redrawState.windowMarginRgn})
    disposeRgn(*rgn);
  for (auto& side : I.arrowRegions)
    for (RgnHandle& rgn : side) disposeRgn(rgn);
  for (GWorldPtr* world : {&I.greenMarkerWorld, &I.blueMarkerWorld, &I.trayMaskWorld, &I.arrowBackdropWorld,
                           &I.messageBoxWorld, &I.designFrameTileWorld, &I.designShadeTileWorld, &I.trayPictureWorlds[0], &I.trayPictureWorlds[1]})
    disposeOffscreenWorld(*world);
  for (auto& side : I.turnArrowWorlds)
    for (auto& kind : side)
      for (GWorldPtr& world : kind) disposeOffscreenWorld(world);
  disposeOffscreenWorld(messageLine.messageScratchWorld);
  if (messageLine.messageLinePicture != nullptr) killPicture(messageLine.messageLinePicture);
  disposeOffscreenWorld(cubeDisplay.cubeWorld);
  disposeOffscreenWorld(overlay.overlaySaveA);
  disposeOffscreenWorld(overlay.overlaySaveB);
  if (overlay.overlayPicture != nullptr) killPicture(overlay.overlayPicture);
  if (redrawState.framePictureHandle != nullptr) killPicture(redrawState.framePictureHandle);
}

}  // namespace bg
