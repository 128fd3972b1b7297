#pragma once
// The one dispatcher of the dialog windows: the front window's number picks a row, the
// row's action decides what each control does. Control 1 is OK and 2 Cancel everywhere;
// Return and Enter arrive as a hit on the default control (defaultControlOf), Escape as a
// hit on the window's cancel control (escapeControlOf); the close box of a window whose row
// takes no close is that hit too, or the default one where Escape does nothing.
#include <cstdint>

namespace bg {

// The dialog callback while a dialog is open: hands the layer's event to handleDialogEvent.
void dialogEventHandler();
// kind 1 a control hit, 23 the default (id 1) or cancel (id 2) command, 4 a window closing.
void handleDialogEvent(int16_t kind, int16_t id);
// The control Return and Enter stand for in window n: 1, except in the rollout's window.
int16_t defaultControlOf(int16_t window);
// The control Escape stands for in window n: 2, except where cancelling would quit or open
// another window; 0 when Escape does nothing there.
int16_t escapeControlOf(int16_t window);

}  // namespace bg
