#pragma once
// The event pump and the four callbacks through which the layer reaches the program:
// dialog events, menu selections, mouse clicks and raw events. The program owns its main
// loop and calls FBHandleEvents for one time slice at a time; Qt's own exec() never runs.
//
// Mouse clicks and raw events are delivered synchronously from the Qt handler that saw
// them. Dialog events, menu selections and window notifications are queued and delivered
// by the pump after Qt's processing, at the pump's own stack depth, so a callback never
// runs inside a menu or a window's close handler. Every callback is guarded: an exception
// that escapes it becomes a fatal stop and never unwinds through Qt.
#include <cstdint>
#include <string>
#include <utility>

#include "runtime/core/checked_array.h"
#include "runtime/qt/qd_types.h"

namespace bg {

// Carbon-style modifier bits, as the program tests them.
inline constexpr uint16_t kCmdKeyBit = 0x100;      // Ctrl on this platform
inline constexpr uint16_t kShiftKeyBit = 0x200;
inline constexpr uint16_t kOptionKeyBit = 0x800;   // Alt
inline constexpr uint16_t kControlKeyBit = 0x1000; // Meta

// Character codes of the special keys.
inline constexpr uint8_t kEnterChar = 3;
inline constexpr uint8_t kHelpChar = 5;
inline constexpr uint8_t kBackspaceChar = 8;
inline constexpr uint8_t kTabChar = 9;
inline constexpr uint8_t kReturnChar = 13;
inline constexpr uint8_t kEscapeChar = 27;
inline constexpr uint8_t kLeftArrowChar = 28;
inline constexpr uint8_t kRightArrowChar = 29;
inline constexpr uint8_t kUpArrowChar = 30;
inline constexpr uint8_t kDownArrowChar = 31;
inline constexpr uint8_t kSpaceChar = 32;
inline constexpr uint8_t kDeleteChar = 127;

// Dialog-event kinds the layer raises itself.
inline constexpr int16_t kDialogControlHit = 1;    // id: the control number
inline constexpr int16_t kDialogWindowClosed = 4;  // id: the window number
inline constexpr int16_t kDialogActivation = 19;   // id 1 activated, 2 deactivated
inline constexpr int16_t kDialogPrivate = 23;      // id: the program's private number

// The event a raw-event callback sees before the layer dispatches it.
struct RawEvent {
  enum Kind : int16_t { kMouseDown = 1, kMouseUp = 2, kKeyDown = 3 };
  Kind kind = kMouseDown;
  int16_t window = 0;       // 0 when the event is not in a numbered window
  Point where{};            // mouse events: local to the window's port
  uint8_t charCode = 0;     // key events
  uint16_t modifiers = 0;
};

using EventCallback = void (*)();
using RawEventCallback = int16_t (*)(const RawEvent&);  // nonzero: the event is consumed

void setMouseVector(EventCallback fn);
void setMenuVector(EventCallback fn);
void setDialogVector(EventCallback fn);
void setRawEventVector(RawEventCallback fn);
// The file-error vector belongs to the files of the core; kept here only as the slot the
// start-up code clears.
void setFileErrorVector(EventCallback fn);
EventCallback fileErrorVector();

// Longest time one FBHandleEvents call waits for an event, in ticks (1/60 s). 0 never waits.
void setEventSlice(int16_t ticks);
int16_t eventSlice();

// Kept for the call sites that must reinstall the layer's handlers after changing a vector.
void FBInstallMenuHandler();
void FBInstallDialogHandler();

// One pass of the pump: Qt's events for at most one slice, then the queued layer events.
void FBHandleEvents();
// The same pass over the events already waiting, never waiting for more.
void handleWaitingEvents();
// How many FBHandleEvents calls are running (nested pumps count each).
int pumpDepth();
// True while a layer callback or a guarded handler is running.
bool insideHandler();

// Queues a dialog event for the dialog callback; it is delivered by the next pump.
void FBRaiseDialogEvent(int16_t kind, int16_t id);
// The dialog event being delivered.
int16_t dialogEventKind();
int16_t dialogEventId();

// Queues a menu selection for the menu callback (the menus post their choices here).
void postMenuSelection(int16_t menu, int16_t item);
int16_t menuSelectionMenu();  // MENU(0)
int16_t menuSelectionItem();  // MENU(1)

// The click being delivered to the mouse callback (MOUSE(0), MOUSE(1), MOUSE(2)).
int16_t mouseClickCount();
Point mouseClickPoint();
int16_t mouseClickWindow();
uint16_t mouseClickModifiers();

// The layer's selection record: [1] event class or dialog-event kind, [2] kind or id,
// [3] window or mouse button, [4] character code. The layer fills [1] and [2] for the
// dialog events it delivers; the program's own handlers write it as well.
struct LayerSelection {
  CheckedArray<int32_t, 4> fbSelectValues;
};
extern LayerSelection layerSelection;

// Lets Qt run paint and expose work without delivering input or the program's queued
// events; true when something waits for the program.
bool eventAvail();
// Drops pending input and the queued layer events.
void flushEvents();
// Drops every queued task, window notifications too: the process is ending, or the program
// starts afresh and what the run before queued was that run's.
void dropQueuedTasks();
// Delivers the queued window notifications and application events (a close box, a quit
// request) without the dialog events and menu choices, which wait for the pump.
void deliverWindowNotifications();

// Application-level events that no numbered window handles itself.
struct AppEvent {
  enum Kind : int16_t { kKeyDown = 1, kQuitRequest, kActivated, kDeactivated, kShown, kControlHit };
  Kind kind = kKeyDown;
  int16_t window = 0;        // the front window
  int16_t control = 0;       // control hit: the control number
  uint8_t charCode = 0;      // key: the character, or one of the special codes above
  int keyCode = 0;           // key: Qt's key number
  std::string text;          // key: the UTF-8 text typed
  uint16_t modifiers = 0;
};
using AppEventHandler = bool (*)(AppEvent&);  // true: handled
void setAppEventHandler(AppEventHandler fn);

// Runs fn as a layer callback: counts the handler depth and turns an escaping exception
// into a fatal stop.
void runGuarded(void (*fn)(void*), void* context);
template <typename F>
void guarded(F&& f) {
  runGuarded([](void* c) { (*static_cast<F*>(c))(); }, &f);
}

namespace detail {
// Delivery used by the windows and the application filter.
bool deliverRawEvent(const RawEvent& e);
void deliverMouseClick(int16_t window, Point where, int16_t clickCount, uint16_t modifiers);
bool deliverAppEvent(AppEvent& e);
// True inside eventAvail, whose poll leaves user input for the next pump.
bool pollingForEvents();
// Sets the dialog-event record and calls the dialog callback (from a queued task).
void deliverDialogEvent(int16_t kind, int16_t id);
// Queues a closure to run at the end of the current or next pump. flushEvents drops the
// flushable ones (dialog events, menu choices) and keeps window notifications.
void queueLayerTask(void (*fn)(void*), void* context, void (*dispose)(void*), bool flushable);
template <typename F>
void queueTask(bool flushable, F f) {
  auto* heap = new F(std::move(f));
  queueLayerTask([](void* c) { (*static_cast<F*>(c))(); }, heap, [](void* c) { delete static_cast<F*>(c); },
                 flushable);
}
// Runs at the end of a top-level pump, when no handler is on the stack.
using ReclaimHook = void (*)();
void setReclaimHook(ReclaimHook fn);
}  // namespace detail

}  // namespace bg
