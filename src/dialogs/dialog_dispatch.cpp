#include "dialogs/dialog_dispatch.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr int16_t kOk = 1;
constexpr int16_t kCancel = 2;

// The event kinds a row takes.
enum : uint8_t {
  kHits = 1,      // kind 1: a control hit (Return and Escape arrive so)
  kCommands = 2,  // kind 23: the default and cancel commands
  kCloses = 4,    // kind 4: the window is being closed
};

struct DialogRow {
  int16_t window;
  uint8_t kinds;
  void (*act)(int16_t kind, int16_t id);
};

// OK and Cancel of a dialog whose reader runs on OK.
template <void (*Reader)()>
void okOrCancel(int16_t /*kind*/, int16_t id) {
  if (id == kOk) {
    Reader();
    dialogOkTail();
  } else if (id == kCancel) {
    returnToBoardWindow();
  }
}

void infoBoxRow(int16_t kind, int16_t id) {
  if (id != kOk) return;
  if (kind == kDialogControlHit) {
    returnToSavedDialog();
  } else {
    returnToBoardWindow();
  }
}

void explanationRow(int16_t /*kind*/, int16_t id) {
  if (id == kOk) returnToBoardWindow();
}

// One row per window; the first whose window is in front acts.
constexpr DialogRow kRows[] = {
    {kWhoGetsFirstRollWindow, kHits | kCommands, okOrCancel<readWhoGetsFirstRoll>},
    {kExplanationWindow, kHits | kCommands, explanationRow},
    {kInfoBoxWindow, kHits | kCommands, infoBoxRow},
};

uint8_t kindBit(int16_t kind) {
  switch (kind) {
    case kDialogControlHit: return kHits;
    case kDialogPrivate: return kCommands;
    case kDialogWindowClosed: return kCloses;
    default: return 0;
  }
}

}  // namespace

void dialogEventHandler() { handleDialogEvent(dialogEventKind(), dialogEventId()); }

void handleDialogEvent(int16_t kind, int16_t id) {
  const int16_t front = frontWindow();
  for (const DialogRow& row : kRows) {
    if (row.window != front) continue;
    if ((row.kinds & kindBit(kind)) != 0) row.act(kind, id);
    return;
  }
}

int16_t escapeControlOf(int16_t /*window*/) { return kCancel; }

}  // namespace bg
