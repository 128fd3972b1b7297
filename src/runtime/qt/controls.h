#pragma once
// The controls of the boxes the program builds in code, by window and control number:
// push buttons, static and edit text, a separator line. Rectangles are in the window's
// local coordinates. A button click ends the app-modal loop running the window when it is
// the default (1) or cancel (2) button; otherwise it reaches the application handler as
// a control hit.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/qt/qd_types.h"

namespace bg {

void addPushButton(int16_t window, int16_t id, std::string_view title, const Rect& r);
void addStaticText(int16_t window, int16_t id, std::string_view text, const Rect& r, bool centred = false);
void addEditText(int16_t window, int16_t id, std::string_view text, const Rect& r);
void addSeparatorLine(int16_t window, int16_t id, const Rect& r);
// The font of the window's text controls (the port's font family number and size).
void setControlFont(int16_t window, int16_t id, int16_t font, int16_t size);

bool controlExists(int16_t window, int16_t id);
Rect controlRect(int16_t window, int16_t id);
std::string controlText(int16_t window, int16_t id);
// Shows button id pressed (true) or released.
void setButtonHighlight(int16_t window, int16_t id, bool down);
bool buttonHighlighted(int16_t window, int16_t id);
// Clicks the button as the user would (tests and the key equivalents).
void pressButton(int16_t window, int16_t id);

// Runs the output window app-modally until its default button, Return or Enter (true) or
// its cancel button or Escape (false; only with a control 2) ends it. The loop pumps
// FBHandleEvents, so the rest of the program's queued work still runs.
bool runModalDialog();
// The window an app-modal loop runs now, 0 when none.
int16_t modalLoopWindow();

}  // namespace bg
