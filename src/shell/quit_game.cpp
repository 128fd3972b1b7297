#include "shell/quit_game.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "dialogs/message_boxes.h"
#include "display/board_ids.h"
#include "display/drag_feedback.h"
#include "flow/best_move_commands.h"
#include "interaction/move_entry.h"
#include "rollout/rollout_engine.h"
#include "rules/numbered_message.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/qt/windows.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/quit_services.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/preferences_file.h"
#include "storage/saved_game_file.h"

namespace bg {

namespace {

constexpr int16_t kThanksForPlayingMessage = 215;
constexpr int16_t kThanksForTheGamesMessage = 67;
constexpr int16_t kGoodbyeMessage = 187;
constexpr double kFarewellPause = 2.0;  // seconds to read the farewell without speech
constexpr int kEveningFrom = 17;
constexpr int kNightFrom = 21;
constexpr int kDayFrom = 3;
constexpr std::string_view kStayOrQuitText = "Stay to keep it and try again, or quit without it.";
constexpr const char* kNobodyToAnswerText = "The changed game was not saved: nobody could answer whether to save it.\n";
constexpr std::string_view kSetupNotKeptText = "The position being set up is not kept.";

int16_t closingMessage() {
  switch (flow.sessionEndState) {
    case 0: return kThanksForPlayingMessage;
    case 1: return kThanksForTheGamesMessage;
    default: return kGoodbyeMessage;
  }
}

// A checker in the hand is off the board and a part-played roll cannot be saved: both go
// back before the game is written.
void settleTheMoveInHand() {
  if (boardInput.pickedCount > 0) returnAllHeldCheckers();
  hand.pieceInHand = 0;
  hand.piecePicked = 0;
  if (partOfRollPlayed()) takeBackQuietly();
}

// A finished game is not one to resume, nor a board a side has left before its result is
// announced (the next start would refuse it); during the position editor the board is half
// laid out and the game before it is gone. Nothing is saved over the last saved game.
bool gameToKeep() {
  return flow.gameResultFlag == 0 && boardState.setupInProgress == 0 && position.piecesOnBoard[0] > 0 &&
         position.piecesOnBoard[1] > 0;
}

// A changed game that may be resumed: saved on exit, or asked about.
bool gameToSave() { return gameToKeep() && storage.gameModified != 0; }

void sayGoodbye(bool fromSystem) {
  speech.speakNextMessage = -1;
  if (shell.saveGameOnExit != 0) shell.quitting = -1;
  speech.waitForSpeechEnd = -1;
  showNumberedMessage(closingMessage());
  speech.waitForSpeechEnd = -1;
  showMessageText(farewellForHour(clockSource().localTime().hour));
  // The editor's board is no game to keep: the person is told, saving on exit or not, and
  // given the time to read it; nobody is at the board for the system's quit.
  const bool setupDropped = boardState.setupInProgress != 0;
  if (setupDropped && fromSystem) {
    std::fprintf(stderr, "%s\n", std::string(kSetupNotKeptText).c_str());
  } else if (setupDropped) {
    speech.waitForSpeechEnd = -1;
    showMessageText("MM" + std::string(kSetupNotKeptText));
  }
  if (speech.speechOn == 0 && (shell.quitting == 0 || setupDropped) && !fromSystem) hook::pauseSeconds(kFarewellPause);
}

// A write of the quit failed: the person is told what could not be kept and why, and
// chooses. Staying ends this quit with the game as it stands. Nobody can answer at a quit
// from the system: what was lost goes where the session keeps its output.
bool stayAfterFailedWrite(std::string_view what, bool fromSystem) {
  if (fromSystem) {
    // The boxes' paragraph mark would leave a terminal showing only the last sentence.
    std::string lines(what);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::fprintf(stderr, "%s\n", lines.c_str());
    return false;
  }
  return askStayOrQuit(std::string(what) + "\r" + std::string(kStayOrQuitText));
}

void runQuit(bool fromSystem) {
  // The system does not wait for a person's quit to be answered: its quit runs from inside
  // the question or box that waits, and the process ends there.
  if (quitState.quitRunning != 0 && (!fromSystem || quitState.systemQuitRunning != 0)) return;
  quitState.quitRunning = -1;
  if (fromSystem) quitState.systemQuitRunning = -1;
  // The help text's wait takes no board click: the save question would never be answered.
  dismissHelpText();
  setOutputWindow(kBoardWindow);
  const std::string notePadNotSaved = hook::saveOpenNotePad();
  if (!notePadNotSaved.empty() && stayAfterFailedWrite(notePadNotSaved, fromSystem)) {
    quitState.quitRunning = 0;
    return;
  }
  // Given up, it would stand over what the quit asks next and take the keys meant for it.
  hook::giveUpNotePad();
  setOutputWindow(kBoardWindow);
  // A rollout's game is not the user's, nor are its settings: the user's come back before
  // anything is saved.
  endRolloutAtOnce();
  settleTheMoveInHand();
  // The question is asked on the board: a hidden game comes back for it, farewell and all.
  if (gameHidden() && !fromSystem && shell.saveGameOnExit == 0 && gameToSave()) showGameWindows();
  const int16_t newGameBefore = flow.newGameRequested;
  sayGoodbye(fromSystem);
  flow.newGameRequested = -1;
  const auto stay = [newGameBefore] {
    // The farewell is no longer true.
    interaction.messageText.clear();
    hook::clearMessageLine(0);
    shell.quitting = 0;
    flow.newGameRequested = newGameBefore;
    quitState.quitRunning = 0;
    quitState.saveAnswer = kSaveNotAnswered;
    // Notes given up for the quit are not lost to a stay.
    hook::bringBackGivenUpNotePad();
  };
  // The session is not credited here: its scores are kept with the preferences and it goes
  // on at the next start; it is credited when it is closed.
  if (flow.gameResultFlag != 0) {
    shell.savedGameName.clear();
    storage.gameWasSaved = 0;
  }
  const bool save = gameToSave();
  // The person's Yes, given before the system's quit came, stands: the game is saved.
  const bool saveAskedFor = shell.quitting != 0 || (fromSystem && quitState.saveAnswer == kSaveAnsweredYes);
  if (save && saveAskedFor) {
    if (saveGame(0)) {
      storage.gameWasSaved = -1;
    } else if (stayAfterFailedWrite(gameNotSavedText(), fromSystem)) {
      return stay();
    }
  }
  if (save && !saveAskedFor && fromSystem && quitState.saveAnswer == kSaveNotAnswered)
    std::fputs(kNobodyToAnswerText, stderr);
  // Asked before the preferences are written, so a game saved on Yes is remembered.
  if (save && shell.quitting == 0 && !fromSystem) {
    const bool saveFailed = hook::askedSaveAtQuitFailed();
    if (storage.gameModified == 0) storage.gameWasSaved = -1;
    if (saveFailed && stayAfterFailedWrite(gameNotSavedText(), fromSystem)) return stay();
  }
  // A changed game left unsaved is gone, as is one left in the position editor: the file
  // saved before it is not the game just quit, and the next start does not resume it as if
  // it were.
  if (storage.gameModified != 0) {
    shell.savedGameName.clear();
    storage.gameWasSaved = 0;
  }
  // A game saved above stays named for the next start: Stay keeps it so, and the next quit
  // writes the preferences again.
  const std::string preferencesNotSaved = writePreferences();
  if (!preferencesNotSaved.empty() && stayAfterFailedWrite(preferencesNotSaved, fromSystem)) return stay();
  shellFlags.quitRequested = -1;
  eraseDraggedPiece();
  releaseSpeechChannel();
  soundShutdown();
  hook::endTheProcess(0);
}

}  // namespace

const char* farewellForHour(int hour) {
  if (hour >= kNightFrom || hour < kDayFrom) return "MMGood night";
  if (hour >= kEveningFrom) return "MMHave a good evening";
  return "MMHave a good day";
}

void quitGame() { runQuit(false); }

void quitWithoutQuestion() { runQuit(true); }

}  // namespace bg
