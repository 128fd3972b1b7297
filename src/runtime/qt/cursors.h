#pragma once
// Cursors: the layer's own by number and the program's colour cursors by resource id.
// The cursor shows over every numbered window.
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
// The cursor that shows now.
QCursor currentCursor();

namespace detail {
// New windows take the cursor in force.
void applyCursorTo(class QWidget* w);
}  // namespace detail

}  // namespace bg
