#include "dialogs/dialog_dispatch.h"

#include "dialogs/about_box.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/help_window.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "dialogs/dialog_state.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/message_boxes.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/question_window.h"
#include "dialogs/rollout_dialogs.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "rollout/rollout_results_window.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "state/shell_services.h"

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

// Its close box does what Done does; the close of another window is not its business.
void aboutRow(int16_t kind, int16_t id) {
  if (kind == kDialogWindowClosed) id = id == kAboutWindow ? kOk : 0;
  if (id == kOk) returnToBoardWindow();
}

void questionRow(int16_t /*kind*/, int16_t id) {
  if (id == kOk) answerQuestionDialog(-1);
  if (id == kCancel) answerQuestionDialog(0);
}

void helpWindowRow(int16_t /*kind*/, int16_t /*id*/) { closeHelpWindow(); }

// A note pad that could not be saved stays open, its menus with it.
void notePadRow(int16_t /*kind*/, int16_t /*id*/) {
  if (saveNotePad()) enableAllMenus();
}

// OK and Cancel with a reader, and a help button.
template <void (*Reader)(), int16_t HelpButton, void (*Help)()>
void okCancelOrHelp(int16_t kind, int16_t id) {
  if (id == HelpButton) {
    Help();
    return;
  }
  okOrCancel<Reader>(kind, id);
}

void soundHelp() { showNamedHelp("Sound Help"); }
void autoMovesHelp() { showNamedHelp("Auto Moves Help"); }
void clickAfterMoveHelp() { showNamedHelp("Click After Move Help"); }

// Control hits only: Return and Escape arrive as hits 1 and 2, the private commands not at all.
void displaySettingsRow(int16_t /*kind*/, int16_t id) { hook::displaySettingsHit(id); }

// One row per window; the first whose window is in front acts.
constexpr DialogRow kRows[] = {
    {kHelpWindow, kCloses, helpWindowRow},
    {kNotePadWindow, kCloses, notePadRow},
    {kDisplaySettingsWindow, kHits, displaySettingsRow},
    {kTournamentStatsWindow, kHits | kCommands, tournamentStatsEvent},
    {kTournamentSetupWindow, kHits | kCommands, tournamentSetupEvent},
    {kConcedePointsWindow, kHits | kCommands, concedePointsEvent},
    {kWhoGetsFirstRollWindow, kHits | kCommands, okOrCancel<readWhoGetsFirstRoll>},
    {kScoreboardWindow, kHits | kCommands, scoreboardEvent},
    {kMoreScoresWindow, kHits | kCommands, moreScoresEvent},
    {kSessionStatsWindow, kHits | kCommands, sessionStatsEvent},
    {kGameStatsWindow, kHits | kCommands, gameStatsEvent},
    {kEndGameWindow, kHits | kCommands, endGameEvent},
    {kMoneyGameWindow, kHits | kCommands, moneyGameEvent},
    {kExplanationWindow, kHits | kCommands, explanationRow},
    {kAboutWindow, kHits | kCommands | kCloses, aboutRow},
    {kInfoBoxWindow, kHits | kCommands, infoBoxRow},
    {kQuestionWindow, kHits | kCommands, questionRow},
    {kSpeakDiceWindow, kHits | kCommands, okOrCancel<handleSpeakDice>},
    {kSoundWindow, kHits | kCommands, okCancelOrHelp<handleSoundDialog, kSoundHelpButton, soundHelp>},
    {kAutomaticMovesWindow, kHits | kCommands,
     okCancelOrHelp<handleAutomaticMoves, kAutoMovesHelpButton, autoMovesHelp>},
    {kClickAfterMoveWindow, kHits | kCommands,
     okCancelOrHelp<handleClickAfterMove, kClickAfterMoveHelpButton, clickAfterMoveHelp>},
    {kRolloutSetupWindow, kHits | kCommands | kCloses, rolloutSetupEvent},
    {kRolloutResultsWindow, kHits | kCommands | kCloses, rolloutResultsEvent},
};

uint8_t kindBit(int16_t kind) {
  switch (kind) {
    case kDialogControlHit: return kHits;
    case kDialogPrivate: return kCommands;
    case kDialogWindowClosed: return kCloses;
    default: return 0;
  }
}

bool servedByARow(int16_t window) {
  for (const DialogRow& row : kRows)
    if (row.window == window) return true;
  return false;
}

}  // namespace

void dialogEventHandler() { handleDialogEvent(dialogEventKind(), dialogEventId()); }

void handleDialogEvent(int16_t kind, int16_t id) {
  // A window no row serves (the context help opened beside the rollout's window) is closed
  // as the board closes it; the board's own close box is never passed on.
  if (kind == kDialogWindowClosed && id != kBoardWindowNumber && !servedByARow(id)) {
    if (dialogReturn.boardDialogEvent != nullptr) dialogReturn.boardDialogEvent();
    return;
  }
  int16_t front = frontWindow();
  // The rollout's window stays open beside the board while a paused rollout is played:
  // a dialog event with the board in front is one of its buttons.
  if (front == kBoardWindowNumber && windowExists(kRolloutResultsWindow)) front = kRolloutResultsWindow;
  for (const DialogRow& row : kRows) {
    if (row.window != front) continue;
    if ((row.kinds & kindBit(kind)) != 0) {
      row.act(kind, id);
    } else if (kind == kDialogWindowClosed && id == front) {
      // A window manager draws the close box whatever the window asks for: it cancels as
      // Escape does, or gives the default answer where nothing can be left as it was.
      const int16_t cancel = escapeControlOf(front);
      row.act(kDialogControlHit, cancel != 0 ? cancel : defaultControlOf(front));
    }
    return;
  }
}

// The rollout's window, once it has finished, has Start disabled: its Return is the default.
int16_t defaultControlOf(int16_t window) { return window == kRolloutResultsWindow ? kReturnButton : kOk; }

int16_t escapeControlOf(int16_t window) {
  // Cancelling the game statistics closes them (their control 2 opens the session's);
  // the end of a game has no cancel (its control 2 quits).
  if (window == kGameStatsWindow) return kOk;
  if (window == kEndGameWindow) return 0;
  // A box with nothing to cancel (only Done or OK) is closed by Escape as by its button:
  // its control 2, if any, is a text (the session statistics' figures). Display Settings
  // takes Escape as its own cancel.
  if (window != kDisplaySettingsWindow && !pushButtonExists(window, kCancel)) return kOk;
  return kCancel;
}

}  // namespace bg
