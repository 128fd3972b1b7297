#pragma once
// Cursors: the layer's own by number and the program's colour cursors by resource id.
// The cursor shows over every numbered window, from the next event pump on: of the
// cursors asked for between two pumps, the last one shows.
#include <QCursor>

#include <cstdint>

namespace bg {

enum RuntimeCursor : int16_t {
  kArrowCursor = 0,
  kIBeamCursor = 1,
  kPointingCursor = 2,
  kCrossCursor = 3,
  kWatchCursor = 4,
};

struct ColourCursor {
  QCursor cursor;
};
using CCrsrHandle = ColourCursor*;

void setCursor(int16_t runtimeCursor);
// The 'crsr' resource; nullptr when there is none.
CCrsrHandle getCCursor(int16_t id);
void disposeCCursor(CCrsrHandle& c);
// nullptr keeps the cursor that shows now.
void setCCursor(const ColourCursor* c);
// The cursor asked for last: the one that shows after the next pump.
QCursor currentCursor();

namespace detail {
// New windows take the cursor that shows.
void applyCursorTo(class QWidget* w);
// The pump's part: the cursor asked for last goes to the window system when it is not
// the one shown.
void showWantedCursor();
}  // namespace detail

}  // namespace bg
