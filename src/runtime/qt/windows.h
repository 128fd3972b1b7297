#pragma once
// Numbered windows. Each window has a port whose backing image holds everything drawn
// into it (drawing goes into the image at once; the screen shows it after a flush or the
// next paint). Windows are addressed by number; the output window (where drawing and
// text go, WINDOW n) and the front window are kept apart.
#include <cstdint>
#include <string_view>

#include "runtime/qt/ports.h"
#include "runtime/qt/qd_types.h"

class QWidget;

namespace bg {

// Every window has a close box: a window manager draws one whatever is asked, so the
// program serves each close. Collapse is offered only by a window that stays above no
// other (the main window, one opened while it is hidden): a window kept above another
// would take that one with it.
enum WindowKind : int16_t {
  kDocumentWindow = 1,  // zoom and size box
  kFixedWindow = 2,     // no resizing; a box's close box cancels it
};

// Opens window n with its content at rect (global coordinates). A rect whose left and
// top are 0 is centred on the main screen. Opening an existing number closes it first.
void windowOpen(int16_t n, std::string_view title, const Rect& rect, WindowKind kind, bool visible);
void windowClose(int16_t n);
// Closes and frees every window still open; runs by itself as the application object goes,
// so a window left open at the end (a rollout's results) is not left behind.
void releaseEveryWindow();
bool windowExists(int16_t n);
bool windowVisible(int16_t n);
void windowShow(int16_t n);
void windowHide(int16_t n);
// Shows the window and brings it to the front.
void windowSelect(int16_t n);
// Makes the shown window n the front one, taking the keys, as a click on it does; the
// window system decides whether it is raised.
void windowActivate(int16_t n);
void setWindowTitle(int16_t n, std::string_view title);
// Window n is the program's main window (the board): each other window opened while it is
// shown stays above it, also under a window manager whatever is clicked; a box shown modal
// stays above the window it opened over. Named before the main window opens.
void setMainWindow(int16_t n);
// Window n stays above window owner (a palette beside its document), also when the owner
// is brought to the front.
void keepWindowAbove(int16_t n, int16_t owner);

// WINDOW n: window n becomes the output window and the current port.
void setOutputWindow(int16_t n);
int16_t outputWindow();
// The frontmost visible numbered window, 0 when none.
int16_t frontWindow();
// The window the person sees on top: a shown window kept above the front one (the
// rollout's results over the board), else the front window.
int16_t windowOnTop();
// True while an application-modal window is shown (a box of the program's or one of the
// platform's own dialogs): every other window is blocked until it closes.
bool modalWindowUp();
GrafPtr windowPort(int16_t n);  // nullptr when the window does not exist
// The port bounds of window n in its local coordinates (they follow SetOrigin).
Rect portBounds(int16_t n);

// WINDOW(code) of the output window: 0 and 1 its number, 2 and 3 the content width and
// height, 10 and 11 the negated left and top of the content in global coordinates.
int windowFunction(int code);
// The content rectangle of window n in global coordinates.
Rect windowContentRect(int16_t n);

// Content size; update false keeps the current content (the caller redraws).
void sizeWindow(int16_t n, int width, int height, bool update);
// Moves the content's top-left to (x, y) in global coordinates.
void moveWindow(int16_t n, int x, int y, bool bringToFront);
void setResizeLimits(int16_t n, int minWidth, int minHeight, int maxWidth, int maxHeight);
// What area the window gains by a resize shows until the program paints it: the pattern's
// tile when there is one, else the colour (white until set).
void setWindowBackground(int16_t n, const RGBColor& colour, const PixPat* pattern);

// Schedules a repaint of the rectangle (local coordinates); the content is kept.
void invalidateRect(int16_t n, const Rect& r);
void invalidateWindow(int16_t n);
// Puts the drawing on the screen now, without running the event loop.
void flushWindow(int16_t n);
void flushWindowRect(int16_t n, const Rect& r);
// While held, flushes of window n put nothing on the screen (its port still takes the
// drawing, and the window paints from it when asked): for a window nobody watches change.
void holdWindowFlushes(int16_t n, bool held);
// Line wrapping of text printed to the window; kept for its call sites.
void setWindowWrap(int16_t n, int16_t mode);

// Window notifications for the program's own window handler.
struct WindowEvent {
  enum Kind : int16_t { kMouseDown = 1, kResizeStarted = 28, kResizeCompleted = 29, kZoomed = 76 };
  Kind kind = kMouseDown;
  int16_t window = 0;
  int16_t button = 1;      // 1 left, 2 right, 3 middle
  int16_t clickCount = 1;
  uint16_t modifiers = 0;
  Point where{};           // local to the window's port
};
using WindowEventHandler = bool (*)(WindowEvent&);  // true: handled
void setWindowEventHandler(int16_t n, WindowEventHandler fn);

// The main screen and the part of it windows may use, in global coordinates.
Rect mainScreenRect();
Rect availableScreenRect();

// The Qt widget that shows window n's content (the top-level window itself), for tests
// and the menu and dialog layers; nullptr when the window does not exist.
QWidget* contentWidget(int16_t n);

// Puts a menu bar at the top of window n, above its content; the content keeps its size and
// its place on the screen.
void attachMenuBar(int16_t n, QWidget* bar);

namespace detail {
// Height of the menu bar inside window n, 0 when it has none.
int menuBarHeightOf(int16_t n);
// The window number whose content widget is w, 0 when none.
int16_t windowNumberOf(const QWidget* w);
// Milliseconds of quiet after the last resize before "resize completed" is sent.
void setResizeQuietMs(int ms);
}  // namespace detail

}  // namespace bg
