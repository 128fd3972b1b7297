#pragma once
// The program's side of the layer's callbacks: board clicks, the dialog events of the
// board, and the application events (keys, control hits, quit, activation).
#include <cstdint>

#include "runtime/core/pstring.h"
#include "runtime/qt/events.h"

namespace bg {

inline constexpr int16_t kPrivateResume = 97;
inline constexpr int16_t kPrivateQuit = 98;
inline constexpr int16_t kPrivateNothing = 99;

// Set here, read by the board's waits.
struct AppEventState {
  int16_t waitEnded = 0;           // -1 ends the wait loop that pumps events
  int16_t helpTextShowing = 0;     // -1 while the plain help text shows
};
extern AppEventState appEvents;

void mouseEventHook();
void doDialogEvent();
bool appEventHandler(AppEvent& e);
void installAppEventHandlers();
// Shows push button n of the front box pressed for 100 ms.
void flashButton(int16_t n);
void endWaitLoop();

}  // namespace bg
