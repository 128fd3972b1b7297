#include "dialogs/scoreboard_dialogs.h"

#include <string>

#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "display/checker_animation.h"
#include "flow/opponent_modes.h"
#include "flow/turn_services.h"
#include "runtime/core/format.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/controls.h"
#include "state/interaction_state.h"
#include "state/program_state.h"
#include "state/shell_state.h"
#include "state/flow_state.h"

namespace bg {

ScoreboardState scoreboardState;
BG_RESETS_WITH_PROGRAM(scoreboardState);

namespace {

constexpr int16_t kOk = 1;
constexpr int16_t kCancel = 2;
constexpr int16_t kHelp = 3;
constexpr int16_t kRowGroup = 4;
constexpr int16_t kFirstMoreButton = 24;
constexpr int16_t kLastMoreButton = 27;
constexpr int16_t kFirstClearButton = 28;
constexpr int16_t kLastClearButton = 31;
constexpr uint8_t kCleared = 255;
constexpr std::string_view kScoreboardHelp = "scoreboard Help";

// Row k's controls: first name 2k + 6, second name 2k + 7, side 1's points 15 + k, side
// 0's points 19 + k.
constexpr std::string_view kNameTooLong =
    "A name holds at most 40 bytes: a letter with an accent takes two, some signs more.";

int16_t firstNameField(int16_t k) { return static_cast<int16_t>(2 * k + 6); }
int16_t secondNameField(int16_t k) { return static_cast<int16_t>(2 * k + 7); }
int16_t sideOnePoints(int16_t k) { return static_cast<int16_t>(15 + k); }
int16_t sideZeroPoints(int16_t k) { return static_cast<int16_t>(19 + k); }

int16_t counterOf(const PlayerRecord& r, PlayerRecordWord pair, int16_t side) {
  return r.counters[pair - kFirstCounterWord + side];
}

void fillScoreboard() {
  const int16_t w = kScoreboardWindow;
  for (int16_t k = 1; k <= kScoreboardRows; ++k) {
    PlayerRecord& r = players.playerRecords[k];
    setControlText(w, firstNameField(k), r.firstName.view());
    setControlText(w, secondNameField(k), r.secondName.view());
    // A record keeps a name's bytes, not its letters: the field takes no more than fit.
    for (const int16_t field : {firstNameField(k), secondNameField(k)})
      limitTextBytes(w, field, static_cast<int>(Str40::kCapacity), kNameTooLong);
    setControlText(w, sideOnePoints(k), intText(counterOf(r, kPointsWonWord, 0)));
    setControlText(w, sideZeroPoints(k), intText(counterOf(r, kPointsWonWord, 1)));
    r.clearedMark = 0;
    scoreboardState.scoreboardBackup[k - 1] = r;
  }
  setControlValue(w, kRowGroup, players.activePlayers);
  if (players.activePlayers >= 1 && players.activePlayers <= kScoreboardRows) {
    focusControl(w, secondNameField(players.activePlayers));
  }
}

// The row whose cleared counters Cancel puts back.
void restoreClearedRows() {
  for (int16_t k = 1; k <= kScoreboardRows; ++k) {
    if (players.playerRecords[k].clearedMark != 0) {
      players.playerRecords[k] = scoreboardState.scoreboardBackup[k - 1];
      players.playerRecords[k].clearedMark = 0;
    }
  }
}

// The counters of record `row` in window 336: side 1's control, side 0's control.
struct MoreScoresRow {
  PlayerRecordWord pair;
  int16_t sideOne;
  int16_t sideZero;
};
constexpr MoreScoresRow kMoreScoresRows[] = {
    {kPointsWonWord, 4, 14},       {kGamesWonWord, 5, 15},        {kSessionsWonWord, 6, 16},
    {kTournamentsWonWord, 7, 17},  {kGammonsWonWord, 8, 18},      {kBackgammonsWonWord, 9, 19},
    {kDoublesOfferedWord, 10, 20}, {kDoublesTakenWord, 11, 21},   {kDoublesDroppedWord, 12, 22},
    {kDoublesRolledWord, 13, 23},  {kOpeningRollsWonWord, 38, 40},
};
constexpr int16_t kPipsSideOne = 37;
constexpr int16_t kPipsSideZero = 39;
constexpr int16_t kMoreName = 34;
constexpr int16_t kMoreSecondName = 3;
constexpr std::size_t kMoreNameLength = 63;
constexpr std::string_view kBoardBusyText =
    "The board is busy: a question waits for its answer or a checker is moving. Choose Cancel, and Two Players "
    "again when the board waits for you.";

// The names typed go to their rows; the row chosen, 0 when none.
int16_t readScoreboardNames() {
  const int16_t w = kScoreboardWindow;
  for (int16_t k = 1; k <= kScoreboardRows; ++k) {
    players.playerRecords[k].firstName = std::string_view(controlText(w, firstNameField(k)));
    players.playerRecords[k].secondName = std::string_view(controlText(w, secondNameField(k)));
  }
  return controlValue(w, kRowGroup);
}

void usePair(int16_t r) {
  // No row chosen keeps the pair in use: record 0 is no scoreboard row.
  if (r < 1 || r > kScoreboardRows) return;
  shell.playerNames[0] = players.playerRecords[r].secondName.view();
  shell.playerNames[1] = players.playerRecords[r].firstName.view();
  players.activePlayers = r;
}

// The change to two people leaves the turn: not while the board waits for an answer (an
// answer cut short is a No) or a checker is landing, as the Game menu refuses then too.
bool boardBusy() { return hand.boardWaitActive != 0 || animation.movesUnderWay > 0; }

}  // namespace

void scoreboardDialog() {
  scoreboardState.forTwoPeople = false;
  openNibDialog(kScoreboardWindow, "scoreboardDialog", fillScoreboard, DialogOpening::kFromBoard);
}

void twoPlayersDialog() {
  scoreboardState.forTwoPeople =
      openNibDialog(kScoreboardWindow, "scoreboardDialog", fillScoreboard, DialogOpening::kFromBoard);
}

void scoreboardClearScores(int16_t id) {
  const int16_t r = static_cast<int16_t>(id - kFirstClearButton + 1);
  if (r < 1 || r > kScoreboardRows) return;
  setControlText(kScoreboardWindow, sideOnePoints(r), " 0");
  setControlText(kScoreboardWindow, sideZeroPoints(r), " 0");
  PlayerRecord blank;
  blank.firstName = "";
  blank.secondName = "";
  players.playerRecords[r] = blank;
  players.playerRecords[r].clearedMark = kCleared;
}

void moreScoresDialog(int16_t row, std::string_view name, std::string_view opponentName) {
  const Str63 first(name.substr(0, std::min(name.size(), kMoreNameLength)));
  const Str63 second(opponentName.substr(0, std::min(opponentName.size(), kMoreNameLength)));
  openNibDialog(kMoreScoresWindow, "moreScoresDialog", nullptr, DialogOpening::kOverAnyWindow);
  if (dialogWindows.modalDialogWnd != kMoreScoresWindow) return;
  const int16_t w = kMoreScoresWindow;
  const PlayerRecord& r = players.playerRecords[row];
  setControlText(w, kMoreName, first.view());
  setControlText(w, kMoreSecondName, second.view());
  for (const MoreScoresRow& m : kMoreScoresRows) {
    setControlText(w, m.sideOne, intText(counterOf(r, m.pair, 0)));
    setControlText(w, m.sideZero, intText(counterOf(r, m.pair, 1)));
  }
  setControlText(w, kPipsSideOne, intText(r.pipsRolled[0]));
  setControlText(w, kPipsSideZero, intText(r.pipsRolled[1]));
}

void scoreboardEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) {
    const bool twoPeople = scoreboardState.forTwoPeople;
    if (twoPeople && boardBusy()) {
      showMessageBox(kBoardBusyText);
      return;
    }
    const int16_t row = readScoreboardNames();
    dialogOkTail();
    // After the box has gone, with the board to draw on; the pair in use before is kept.
    if (twoPeople) selectOpponentMode(kTwoPeople);
    usePair(row);
    // The board's name labels show the pair now in use.
    hook::layoutNameLabels();
  } else if (id == kCancel) {
    restoreClearedRows();
    returnToBoardWindow();
  } else if (id == kHelp) {
    showNamedHelp(kScoreboardHelp);
  } else if (id >= kFirstMoreButton && id <= kLastMoreButton) {
    const int16_t row = static_cast<int16_t>(id - kFirstMoreButton + 1);
    moreScoresDialog(row, controlText(kScoreboardWindow, firstNameField(row)),
                     controlText(kScoreboardWindow, secondNameField(row)));
  } else if (id >= kFirstClearButton && id <= kLastClearButton) {
    scoreboardClearScores(id);
  }
}

void moreScoresEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) returnToSavedDialog();
}

}  // namespace bg
