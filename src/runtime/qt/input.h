#pragma once
// Mouse and keyboard state read without dispatching events: the drag, button-tracking and
// idle loops poll these while they deliberately do not run the event pump. On X11 the
// pointer is queried from the server; elsewhere the state follows the events already
// delivered, and tests can set it outright.
#include <cstdint>

#include "runtime/qt/qd_types.h"

class QPoint;

namespace bg {

// The mouse in the current port's local coordinates (origin applied).
Point getMouse();
// The mouse in global coordinates.
Point getGlobalMouse();
// True while the (left) mouse button is down.
bool button();
// True while the button pressed last is still down.
bool stillDown();
// Carbon modifier bits (kCmdKeyBit, kShiftKeyBit, kOptionKeyBit, kControlKeyBit).
uint16_t currentKeyModifiers();

namespace testing {
// Overrides the mouse until cleared: position in global coordinates, button state.
void simulateMouse(Point global, bool down);
void clearSimulatedMouse();
void setModifiers(uint16_t carbonBits);
void clearSimulatedModifiers();
}  // namespace testing

namespace detail {
// The windows report where their events happened, for the platforms without live queries.
void noteMousePosition(const QPoint& global);
uint16_t carbonModifiers(int qtModifiers);
}  // namespace detail

}  // namespace bg
