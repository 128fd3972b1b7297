#pragma once
// Boxes over the middle of the board (at most two): the board under each is saved first,
// so taking a box down is one copy; the box is recorded so a full redraw can draw it again.
#include <cstdint>

#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"

namespace bg {

struct BoardOverlay {
  int16_t overlayShown = 0;  // -1 while a second box is up over the first
  Rect overlayBoxRect;
  Rect overlayUnionRect;
  GWorldPtr overlaySaveA = nullptr;  // the window under the first box
  GWorldPtr overlaySaveB = nullptr;  // the window under both boxes
  int16_t overlaySaveACount = 0;
  int16_t overlaySaveBCount = 0;
  PicHandle overlayPicture = nullptr;
  float messageBoxSeconds = 0;  // above 0: the box closes by itself after that long
};
extern BoardOverlay overlay;

void openBoardOverlay();
void drawOverlayMessage();
// The baseline of overlay line n (1..messageLineCount) of the box laid out last.
int16_t overlayLineBaseline(int16_t line);
void closeBoardOverlay();
void setOverlaySaveA();
void setOverlaySaveB();
// The welcome's world of the board's size; nullptr when a quiet creation failed.
GWorldPtr makeBoardOffscreen();
// The box's size for its first line and the board width: {width, height}.
Point overlayBoxSize();

}  // namespace bg
