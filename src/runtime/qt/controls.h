#pragma once
// The controls of the program's windows, by window and control number: push buttons,
// static and edit text, a separator line, check boxes, pop-up menus and radio groups,
// built in code or taken from a designed form. Rectangles are in the window's local
// coordinates. A button click ends the app-modal loop running the window when it is the
// default (1) or cancel (2) button; otherwise every use of a control (a click, a check, a
// radio choice, a pop-up choice) is queued as a control hit: the pump hands it to the
// application handler, else to the dialog callback (kind 1, the control number). A hit
// whose window closed before the pump delivered it is dropped.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/qt/qd_types.h"

class QWidget;

namespace bg {

void addPushButton(int16_t window, int16_t id, std::string_view title, const Rect& r);
void addStaticText(int16_t window, int16_t id, std::string_view text, const Rect& r, bool centred = false);
void addEditText(int16_t window, int16_t id, std::string_view text, const Rect& r);
void addSeparatorLine(int16_t window, int16_t id, const Rect& r);
void addCheckBox(int16_t window, int16_t id, std::string_view title, const Rect& r);
// A pop-up of menu m's items: value n is item n (separators keep their numbers).
void addPopUpMenu(int16_t window, int16_t id, int16_t menu, const Rect& r);
// The font of the window's text controls (the port's font family number and size).
void setControlFont(int16_t window, int16_t id, int16_t font, int16_t size);
// The colour of a text control's text.
void setControlTextColour(int16_t window, int16_t id, const RGBColor& colour);

bool controlExists(int16_t window, int16_t id);
// A push button, not a text or a check box that happens to carry the number.
bool pushButtonExists(int16_t window, int16_t id);
Rect controlRect(int16_t window, int16_t id);
std::string controlText(int16_t window, int16_t id);
// Value: a check box 1 checked / 0, a radio group the `value` of its checked button (0
// when none), a pop-up the item number, 0 for other controls.
int16_t controlValue(int16_t window, int16_t id);
void setControlValue(int16_t window, int16_t id, int16_t value);
// Text of an edit field, a static text, a button's title.
void setControlText(int16_t window, int16_t id, std::string_view text);
// Each edit the user makes in the field is queued as a control hit too, for a window that
// shows something made from the field's text.
void reportTextEdits(int16_t window, int16_t id);
// The edit field takes no more than maxBytes of UTF-8: an edit past it is refused with a
// beep and the refusal shown beside the field.
void limitTextBytes(int16_t window, int16_t id, int maxBytes, std::string_view refusal);
// A static text too long for its box gets the height its wrapped lines need: the window
// grows by as much and the controls below the text move down. Returns the growth.
int16_t fitStaticText(int16_t window, int16_t id);
// Dimmed controls take no input.
void setControlEnabled(int16_t window, int16_t id, bool enabled);
bool controlEnabled(int16_t window, int16_t id);
// Push button id is drawn as the window's default, and no other.
void setDefaultButton(int16_t window, int16_t id);
// Keyboard focus to the control; an edit field's text is selected.
void focusControl(int16_t window, int16_t id);
int16_t focusedControl(int16_t window);  // 0 when no numbered control has the focus
// Tab goes through these controls in this order (a window's reading order).
void setControlTabOrder(int16_t window, std::span<const int16_t> ids);
// The widget of a control, for tests and screenshots; nullptr when none.
QWidget* controlWidget(int16_t window, int16_t id);
// Shows button id pressed (true) or released.
void setButtonHighlight(int16_t window, int16_t id, bool down);
bool buttonHighlighted(int16_t window, int16_t id);
// Clicks the button as the user would (tests and the key equivalents).
void pressButton(int16_t window, int16_t id);

// Runs the output window app-modally until its default button, Return or Enter (true) or
// its cancel button, Escape or its close box (false) ends it. The loop pumps
// FBHandleEvents, so the rest of the program's queued work still runs.
bool runModalDialog();
// The same loop, telling how it ended: 1 (the default button, Return or Enter), 2 (a click
// on control 2 only) or 0 (Escape or the close box), for a box whose Escape must not mean
// its second button.
int16_t runModalDialogUntilButton();
// The window an app-modal loop runs now, 0 when none.
int16_t modalLoopWindow();

namespace detail {
// Makes w control id of the window (a designed form's widget) and connects its hits.
void registerControl(int16_t window, int16_t id, QWidget* w);
}  // namespace detail

}  // namespace bg
