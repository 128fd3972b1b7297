#include "dialogs/statistics_dialogs.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "flow/game_end.h"
#include "flow/turn_services.h"
#include "rollout/game_record_printout.h"
#include "runtime/core/format.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/session_statistics.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/storage_state.h"

namespace bg {

namespace {

constexpr int16_t kOk = 1;
constexpr int16_t kSecond = 2;
constexpr int16_t kPrint = 3;
constexpr int16_t kSameRolls = 16;
constexpr int16_t kSameRollsSwapped = 17;
constexpr int16_t kPlayOn = 18;
constexpr int16_t kEndGameMessage = 12;
constexpr uint8_t kHeld = 255;

struct HeldEndGame {
  bool waiting = false;
  Str255 message;
};
HeldEndGame heldEndGame;
BG_RESETS_WITH_PROGRAM(heldEndGame);

void showNumber(int16_t window, int16_t id, int64_t value) { setControlText(window, id, intText(value)); }

void fillTournamentStats() {
  const int16_t w = kTournamentStatsWindow;
  setControlValue(w, 3, cube.crawfordRule != 0 ? 1 : 0);
  showNumber(w, 4, flow.tournamentPoints);
  showNumber(w, 5, flow.scores[0]);
  showNumber(w, 6, flow.scores[1]);
}

// The figures 338 and 339 share; side 1 first in each pair.
void fillGameFigures(int16_t w) {
  const PlayerRecord& r = players.playerRecords[players.activePlayers];
  setControlText(w, 10, r.firstName.view());
  setControlText(w, 11, r.secondName.view());
  showNumber(w, 4, flow.gamePointsBySide[1]);
  showNumber(w, 5, flow.gamePointsBySide[0]);
  showNumber(w, 6, flow.doublesRolled[1]);
  showNumber(w, 7, flow.doublesRolled[0]);
  showNumber(w, 8, flow.pipsRolled[1]);
  showNumber(w, 9, flow.pipsRolled[0]);
  // Long names widen the window rather than being cut.
  fitDesignedWindow(w);
}

void fillSessionStats() {
  const int16_t w = kSessionStatsWindow;
  const PlayerRecord& r = players.playerRecords[players.activePlayers];
  setControlText(w, 12, r.firstName.view());
  setControlText(w, 13, r.secondName.view());
  showNumber(w, 2, flow.scores[1]);
  showNumber(w, 3, flow.scores[0]);
  showNumber(w, 4, statistics.gamesWonBySide[1]);
  showNumber(w, 5, statistics.gamesWonBySide[0]);
  showNumber(w, 6, statistics.sessionDoublesRolled[1]);
  showNumber(w, 7, statistics.sessionDoublesRolled[0]);
  showNumber(w, 16, statistics.sessionOpeningRolls[1]);
  showNumber(w, 17, statistics.sessionOpeningRolls[0]);
  showNumber(w, 8, statistics.sessionPipsRolled[1]);
  showNumber(w, 9, statistics.sessionPipsRolled[0]);
  fitDesignedWindow(w);
}

void fillEndGame() {
  fillGameFigures(kEndGameWindow);
  setControlText(kEndGameWindow, kEndGameMessage, heldEndGame.message.view());
  // Replaying the rolls or playing on are not offered in a money session.
  const bool offered = flow.moneySessionActive == 0;
  for (int16_t id : {kSameRolls, kSameRollsSwapped, kPlayOn}) setControlEnabled(kEndGameWindow, id, offered);
  fitDesignedWindow(kEndGameWindow);
}

void finishAndGoOn() {
  finishGameAndContinue();
  closeEndGameDialog();
}

}  // namespace

void tournamentStatsDialog() {
  openNibDialog(kTournamentStatsWindow, "tournamentStatsDialog", fillTournamentStats, DialogOpening::kFromBoard);
}

void gameStatsDialog() {
  openNibDialog(kGameStatsWindow, "gameStatsDialog", [] { fillGameFigures(kGameStatsWindow); },
                DialogOpening::kOverFront);
}

void sessionStatsDialog() {
  openNibDialog(kSessionStatsWindow, "sessionStatsDialog", fillSessionStats, DialogOpening::kOverAnyWindow);
}

void endGameDialog(std::string_view message) {
  // The game waits for this window's answer whether or not it can open now.
  shellFlags.modalBusy = kHeld;
  heldEndGame.message = message;
  heldEndGame.waiting = true;
  showHeldEndGameDialog();
}

void showHeldEndGameDialog() {
  if (!heldEndGame.waiting || frontWindow() != kBoardWindowNumber ||
      dialogWindows.modalDialogWnd != kBoardWindowNumber) {
    return;
  }
  heldEndGame.waiting = false;
  shellFlags.modalBusy = kHeld;
  if (!openNibDialog(kEndGameWindow, "endGameDialog", fillEndGame, DialogOpening::kOverFront)) {
    // Without its window the game still goes on to the next.
    finishAndGoOn();
  }
}

void closeEndGameDialog() {
  if (!windowExists(kEndGameWindow)) return;
  windowClose(kEndGameWindow);
  setOutputWindow(kBoardWindowNumber);
  dialogWindows.modalDialogWnd = kBoardWindowNumber;
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  backToBoardServices();
}

void tournamentStatsEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) returnToBoardWindow();
}

void sessionStatsEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) returnToSavedDialog();
}

void gameStatsEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) {
    dialogOkTail();
  } else if (id == kSecond) {
    sessionStatsDialog();
  } else if (id == kPrint) {
    printGameRecord();
  }
}

void endGameEvent(int16_t /*kind*/, int16_t id) {
  switch (id) {
    case kOk:
      finishAndGoOn();
      break;
    case kSameRolls:
    case kSameRollsSwapped:
      if (settings.whoRollsFirst == kWinnerRollsFirst) {
        showMessageBox(kWinnerRollsFirstRefusal);
      } else {
        rollout.keepRollsOnReset = -1;
        if (id == kSameRollsSwapped) rollout.swapSidesOnReset = -1;
      }
      finishAndGoOn();
      break;
    case kPlayOn:
      if (position.piecesOnBoard[0] > 0 && position.piecesOnBoard[1] > 0) flow.continueGame = -1;
      finishAndGoOn();
      break;
    case kSecond:
      finishAndGoOn();
      storage.gameModified = 0;
      hook::quitGame();
      break;
    case kPrint:
      printGameRecord();
      break;
    default:
      break;
  }
}

}  // namespace bg
