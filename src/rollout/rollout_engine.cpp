#include "rollout/rollout_engine.h"

#include "audio/sound_effects.h"
#include "computer/personalities.h"
#include "flow/game_end.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rollout/rollout_board_services.h"
#include "rollout/rollout_print_services.h"
#include "rollout/rollout_printout.h"
#include "rollout/rollout_report.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "rollout/rollout_texts.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "rules/record_walk.h"
#include "rules/side_to_move.h"
#include "rules/numbered_message.h"
#include "runtime/core/clock.h"
#include "runtime/core/format.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"

namespace bg {

namespace {

constexpr uint8_t kRolloutOn = 255;
constexpr int16_t kBoardWindow = 1;
constexpr int16_t kRolloutPersonality = 2;
constexpr int16_t kRolloutActivePlayers = 4;
constexpr int16_t kRolloutCubeMaximum = 64;
constexpr int16_t kFirstComeFirstServed = 1;  // whoRollsFirst: the opening roll decides
constexpr int32_t kGamesPerReport = 100;
constexpr int kEndBeeps = 3;
constexpr double kBeepGapSeconds = 0.5;
constexpr float kGammonMultiplier = 2;
constexpr float kBackgammonMultiplier = 3;
constexpr std::string_view kFinishedMessage = "MMThe Roll out is Finished";
constexpr std::string_view kShareMask = "###.#";
constexpr std::string_view kEquityMask = "+##.###";

// The system's alert: heard even with the game's sound off.
void sysBeep() {
  if (soundEffects.soundTable[kAlertSound].enabled != 0) soundPlay(kAlertSound);
}

void setBothPlayerKinds(int16_t kind0, int16_t kind1) {
  position.playerType[0] = kind0;
  position.playerType[1] = kind1;
}

// The turn in hand ends at once; the side flip at the next turn gives the move back to
// the side that was to move.
void handTurnToNextSide() {
  exchangeSideToMove();
  flow.abortTurn = kLeaveTurn;
}

// A board the rollout does not show is not put on the screen at every move: each flush is
// a full repaint, which would cost more than the game.
void holdHiddenBoardFlushes() { holdWindowFlushes(kBoardWindow, rolloutHidesBoard()); }

void takeSnapshot() {
  RolloutSnapshot& s = rolloutSnapshot;
  s.speechOn = speech.speechOn;
  s.activePlayers = players.activePlayers;
  s.cubeUsed = cube.cubeUsed;
  s.autoConcessions = options.autoConcessions;
  s.playerKinds[0] = position.playerType[0];
  s.playerKinds[1] = position.playerType[1];
  s.openingPhase = position.openingPhase;
  s.tournamentGoing = flow.tournamentGoing;
  s.moneySessionActive = flow.moneySessionActive;
  s.personality = skill.personality;
  s.fastPlay = shellFlags.fastPlay;
  s.rerollFirstRoll = settings.rerollFirstRoll;
  s.whoRollsFirst = settings.whoRollsFirst;
  s.userDieSlots = display.dieSlots;
}

// What a new game clears of the user's game, each value beside the place it is kept: a
// quit after the rollout would find the game unchanged, and its figures would lose the
// rolls made before.
template <typename Copy>
void eachUserGameValue(Copy copy) {
  RolloutSnapshot& s = rolloutSnapshot;
  copy(record, s.userRecord);
  copy(storage.gameModified, s.gameModified);
  copy(flow.gameResultFlag, s.gameResultFlag);
  copy(position.gameContinued, s.gameContinued);
  copy(shell.savedGameName, s.savedGameName);
  copy(flow.pipsRolled, s.pipsRolled);
  copy(flow.doublesRolled, s.doublesRolled);
  copy(flow.gamePointsBySide, s.gamePointsBySide);
  copy(flow.turnTakeBacks, s.turnTakeBacks);
  copy(flow.whoIsWinningUses, s.whoIsWinningUses);
  copy(flow.whoIsAheadUses, s.whoIsAheadUses);
  copy(interaction.playerRolledOver, s.playerRolledOver);
}

void keepUserGame() {
  eachUserGameValue([](const auto& value, auto& kept) { kept = value; });
}

void giveBackUserGame() {
  eachUserGameValue([](auto& value, const auto& kept) { value = kept; });
}

void clearStatistics() {
  RolloutStats& st = rolloutStats;
  for (int side = 0; side <= 1; ++side) {
    st.points[side] = 0;
    st.wins[side] = 0;
    st.gammons[side] = 0;
    st.backgammons[side] = 0;
    st.maxPercent[side] = kUntrackedMaxPercent;
    st.minPercent[side] = kUntrackedMinPercent;
    rollout.rollsMade[side] = 0;
  }
  st.minEquity = kUntrackedMinEquity;
  st.maxEquity = kUntrackedMaxEquity;
  st.maxEquityText.clear();
  st.minEquityText.clear();
  st.maxEquityGame = 0;
  st.minEquityGame = 0;
  st.gamesDone = 0;
  st.reportFailed = 0;
}

void forceRolloutSettings() {
  shellFlags.fastPlay = kRolloutOn;
  skill.personality = kRolloutPersonality;
  flow.tournamentGoing = 0;
  flow.moneySessionActive = 0;
  beginQuietStretch();
  speech.speechOn = 0;
  players.activePlayers = kRolloutActivePlayers;
  cube.cubeUsed = rolloutSettings.rolloutCubeUsed;
  options.autoConcessions = rolloutSettings.rolloutAutoConcessions;
  setBothPlayerKinds(kComputerPlayer, kComputerPlayer);
  cube.beaverAllowed = 0;
  settings.inputDice = 0;
  cube.jacobyRule = rolloutSettings.rolloutJacobyRule;
  settings.backgammonAllowed = static_cast<uint8_t>(rolloutSettings.rolloutBackgammonsAllowed);
  cube.cubeMaximum = kRolloutCubeMaximum;
  flow.scores[0] = 0;
  flow.scores[1] = 0;
  settings.rerollFirstRoll = 0;
  settings.whoRollsFirst = kFirstComeFirstServed;
}

// Tracks the highest and lowest share of one side once enough games are counted.
void trackShare(int side, double share, bool tracked, int16_t maxField, int16_t minField) {
  RolloutStats& st = rolloutStats;
  if (tracked) {
    if (share > st.maxPercent[side]) st.maxPercent[side] = share;
    if (share < st.minPercent[side]) st.minPercent[side] = share;
    setResultsField(maxField, usingS(kShareMask, st.maxPercent[side]));
    setResultsField(minField, usingS(kShareMask, st.minPercent[side]));
  }
}

void writeReport() {
  // A rollout ended before any game was counted has no figures: the last report stays.
  if (rolloutStats.wins[0] + rolloutStats.wins[1] < 1) return;
  if (!writeRolloutResultsFile(rolloutStats.reportFailed == 0)) rolloutStats.reportFailed = -1;
}

void endRollout() {
  restoreSettingsAfterRollout();
  rollout.rolloutRunning = 0;
  if (rolloutSettings.rolloutStopFlag != -1) {
    showRolloutFinished();
    setOutputWindow(kBoardWindow);
    showMessageText(kFinishedMessage);
    if (speech.speechOn != -1) {
      for (int beep = 1; beep <= kEndBeeps; ++beep) {
        sysBeep();
        if (beep < kEndBeeps) hook::pauseSeconds(kBeepGapSeconds);
      }
    }
  }
  if (windowExists(kBoardWindow)) setOutputWindow(kBoardWindow);
  if (diceState.diceShowing == -1) {
    removeDice();
  } else {
    eraseDice();
  }
  rolloutSettings.rolloutStopFlag = -1;
}

void restoreStartingPosition() {
  const BoardCounts b = boardCountsOf(rolloutStats.rolloutStartBoard);
  position.board = b.board;
  position.piecesOnBoard = b.piecesOnBoard;
}

void restoreStartingDice() {
  flow.movesLeft = 0;
  for (long d = 0; d <= 3; ++d) {
    diceState.dice[d].value = rolloutSnapshot.dice[d];
    diceState.rolledDice[d] = rolloutSnapshot.dice[d];
    if (rolloutSnapshot.dice[d] > 0) flow.movesLeft += 1;
  }
  flow.movesAllowed = kPartMovesOfPlainRoll;
  diceState.rolledDoubles = 0;
  if (diceState.dice[0].value > 0 && diceState.dice[0].value == diceState.dice[1].value) {
    diceState.rolledDoubles = -1;
    flow.movesAllowed = kPartMovesOfTurn;
  }
}

}  // namespace

bool positionCanBeRolledOut() {
  const BoardCounts b = boardCountsOf(position.board);
  return b.piecesOnBoard[0] > 0 && b.piecesOnBoard[1] > 0;
}

bool rolloutInProgress() { return rollout.rolloutRunning != 0; }
bool rolloutPaused() { return rollout.rolloutRunning != 0 && rollout.noPause == 0; }

void startRollout() {
  RolloutSnapshot& s = rolloutSnapshot;
  rollout.rolloutRunning = kRolloutOn;
  takeSnapshot();
  keepUserGame();
  rolloutSettings.rolloutStopFlag = 0;

  // The rollout's first game goes on from the board without the user's record: no roll
  // of the user's game is replayed in it.
  rollout.keepRollsOnReset = 0;
  rollout.swapSidesOnReset = 0;
  resetGameRecord();
  record.gameRecordCount = 0;
  flow.turnNumber = position.openingPhase != 0 ? 1 : 2;
  s.turnNumber = flow.turnNumber;
  s.recordCount = record.gameRecordCount;

  // Only a whole roll is played as it stands: half of one (the opening's first die, the
  // other still to come) would be played with a die of 0, so every game rolls afresh.
  const bool wholeRoll = bothDiceThrown();
  hook::setDiceDisplayFlags(wholeRoll ? -1 : 0);
  for (long d = 0; d <= 3; ++d) s.dice[d] = wholeRoll ? diceState.dice[d].value : int16_t{0};
  s.diceShowing = diceState.diceShowing;
  s.inputDice = settings.inputDice;
  s.beaverAllowed = cube.beaverAllowed;
  s.cubeMaximum = cube.cubeMaximum;
  s.jacobyRule = cube.jacobyRule;
  s.backgammonAllowed = settings.backgammonAllowed;
  s.scores[0] = flow.scores[0];
  s.scores[1] = flow.scores[1];
  forceRolloutSettings();

  // An offered double is taken back.
  s.cubeOwner = cube.cubeOwner;
  if (cube.doublePending != 0) {
    s.cubeOwner = cube.cubeOwnerBeforeDouble;
    cube.cubeValue = static_cast<int16_t>(cube.cubeValue / 2);
  }
  s.cubeValue = cube.cubeValue;
  cube.doublePending = 0;
  if (cube.cubeUsed != -1) cube.cubeValue = 1;
  s.sideToMove = position.currentPlayer;

  clearStatistics();
  rolloutStats.rolloutStartBoard = position.board;
  buildRolloutResultsText();
  showRolloutRunning();

  rollout.noPause = -1;
  if (diceState.diceShowing != 0) {
    hand.diceClicked = -1;
  } else {
    hand.diceClicked = 0;
    record.gameRecord[record.gameRecordCount + 1].side = kEmptyEntrySide;
  }
  handTurnToNextSide();
  holdHiddenBoardFlushes();
  rolloutStats.startTime = microseconds();
}

void updateRolloutStatistics() {
  RolloutStats& st = rolloutStats;
  const int side = flow.gamePointsBySide[0] > 0 ? 0 : 1;
  st.points[side] += flow.gamePointsBySide[side];
  st.wins[side] += 1;
  if (turnState.gameValueMultiplier[side] == kGammonMultiplier) st.gammons[side] += 1;
  if (turnState.gameValueMultiplier[side] == kBackgammonMultiplier) st.backgammons[side] += 1;

  const int32_t counts[] = {st.wins[1],    st.wins[0],    st.points[1],      st.points[0],
                            st.gammons[1], st.gammons[0], st.backgammons[1], st.backgammons[0]};
  int16_t field = kWinsField;
  for (const int32_t count : counts) setResultsField(field++, strS(count));

  const int32_t n = st.wins[0] + st.wins[1];
  const bool tracked = n > rolloutSettings.minMaxStart;
  const double p1 = pointsShare(st.points[1], st.points[0]);
  trackShare(1, p1, tracked, kMaxShareField, kMinShareField);
  setResultsField(kShareField, usingS(kShareMask, p1));
  const double p0 = pointsShare(st.points[0], st.points[1]);
  trackShare(0, p0, tracked, kMaxShareField + 1, kMinShareField + 1);
  setResultsField(kShareField + 1, usingS(kShareMask, p0));

  const double e = equityOf(st.points[0], st.points[1], n);
  const std::string equityText = usingS(kEquityMask, e);
  setResultsField(kBlankField, " ");
  setResultsField(kEquityField, equityText);
  if (tracked) {
    // Ties keep the earlier game.
    if (e > st.maxEquity) {
      st.maxEquity = e;
      st.maxEquityText = equityText.c_str();
      st.maxEquityGame = n;
      setResultsField(kMaxEquityGameField, "@" + strS(n));
      setResultsField(kMaxEquityField, equityText);
    }
    if (e < st.minEquity) {
      st.minEquity = e;
      st.minEquityText = equityText.c_str();
      st.minEquityGame = n;
      setResultsField(kMinEquityGameField, "@" + strS(n));
      setResultsField(kMinEquityField, equityText);
    }
  }
  setResultsField(kGamesCountedField, "@" + strS(n));
  setResultsField(kTimeLeftField, timeLeftText(microseconds() - st.startTime, n, rolloutSettings.gamesWanted));
  if (windowExists(kBoardWindow)) setOutputWindow(kBoardWindow);
  if (n % kGamesPerReport == 0) writeReport();
  // The user's buttons are served without waiting for more events.
  handleWaitingEvents();
}

void nextRolloutGame() {
  RolloutSnapshot& s = rolloutSnapshot;
  rolloutStats.gamesDone += 1;
  const bool ending = rolloutStats.gamesDone >= rolloutSettings.gamesWanted || rolloutSettings.rolloutStopFlag != 0;
  if (ending) endRollout();

  restoreStartingPosition();
  restoreStartingDice();
  diceState.diceShowing = s.diceShowing;
  position.openingPhase = s.openingPhase;
  flow.turnNumber = s.turnNumber;
  record.gameRecordCount = s.recordCount;
  cube.cubeValue = s.cubeValue;
  if (cube.cubeUsed != -1) cube.cubeValue = 1;
  cube.cubeOwner = s.cubeOwner;
  hand.diceClicked = diceState.diceShowing != 0 ? -1 : 0;
  // The frames show the roll in hand and the other side's last roll as they did at the start.
  display.dieSlots = s.userDieSlots;

  // After the opening the turn's side flip comes first: the other side is set here, so
  // that the side that was to move moves.
  position.currentPlayer = s.openingPhase == 0 ? static_cast<int16_t>(1 - s.sideToMove) : s.sideToMove;
  position.turnPlayer = position.currentPlayer;
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);

  if (rolloutSettings.rolloutStopFlag != 0) {
    // The user's own roll, when dice were showing, is played as it stood, not rolled again.
    if (diceState.diceShowing == 0) hand.diceClicked = 0;
    writeReport();
    giveBackUserGame();
    // Ended by its Return, the window is gone: the board is the person's again.
    if (!windowExists(kRolloutResultsWindow)) hook::giveBoardBackAfterRollout();
  }
  rolloutSettings.rolloutStopFlag = 0;
  flow.newGameRequested = 0;
}

void restoreSettingsAfterRollout() {
  const RolloutSnapshot& s = rolloutSnapshot;
  setBothPlayerKinds(s.playerKinds[0], s.playerKinds[1]);
  endQuietStretch();
  speech.speechOn = s.speechOn;
  cube.cubeUsed = s.cubeUsed;
  options.autoConcessions = s.autoConcessions;
  players.activePlayers = s.activePlayers;
  settings.inputDice = s.inputDice;
  cube.beaverAllowed = s.beaverAllowed;
  cube.jacobyRule = s.jacobyRule;
  settings.backgammonAllowed = s.backgammonAllowed;
  cube.cubeMaximum = s.cubeMaximum;
  flow.scores[0] = s.scores[0];
  flow.scores[1] = s.scores[1];
  flow.tournamentGoing = s.tournamentGoing;
  flow.moneySessionActive = s.moneySessionActive;
  skill.personality = s.personality;
  shellFlags.fastPlay = s.fastPlay;
  settings.rerollFirstRoll = s.rerollFirstRoll;
  settings.whoRollsFirst = s.whoRollsFirst;
  cube.doublePending = 0;
  rollout.rolloutRunning = 0;
  rollout.noPause = 0;
  rollout.dropAtTurnEnd = 0;
  holdHiddenBoardFlushes();
}

void toggleRolloutStartStop() {
  rollout.noPause = static_cast<int16_t>(rollout.noPause == 0 ? -1 : 0);
  holdHiddenBoardFlushes();
  if (rollout.noPause == 0) {
    showRolloutPaused();
    setBothPlayerKinds(rolloutSnapshot.playerKinds[0], rolloutSnapshot.playerKinds[1]);
    // The user's sides play on the board they see: it comes forward and keeps the output
    // through its redraws, the rollout's window staying above it.
    windowSelect(kBoardWindow);
    if (windowExists(kBoardWindow)) setOutputWindow(kBoardWindow);
    hook::redrawBoardWindow();
  } else {
    showRolloutRunning();
    // The user's checker in the hand goes back before the computer takes the turn over:
    // held across the hand-over it would count for the other side.
    hook::returnCheckersInHand();
    setBothPlayerKinds(kComputerPlayer, kComputerPlayer);
    handTurnToNextSide();
  }
  if (windowExists(kBoardWindow)) setOutputWindow(kBoardWindow);
}

void stopRollout() {
  if (!rolloutInProgress()) return;
  rolloutSettings.rolloutStopFlag = -1;
  // Paused, the game in progress is dropped at once, and the next new game ends the
  // rollout. A running game is dropped once the turn in hand has been played.
  if (rolloutPaused()) {
    dropGameInProgress();
  } else {
    rollout.dropAtTurnEnd = -1;
  }
}

// The quit ends the rollout where it stands: nothing of the game is played after it.
void endRolloutAtOnce() {
  if (!rolloutInProgress()) return;
  rolloutSettings.rolloutStopFlag = -1;
  dropGameInProgress();
  nextRolloutGame();
}

void installRolloutServices() {
  rolloutServices.nextRolloutGame = nextRolloutGame;
  turnServices.updateRolloutStatistics = updateRolloutStatistics;
  rolloutPrintServices.printRolloutResults = printRolloutResults;
}

}  // namespace bg
