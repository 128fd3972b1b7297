#include "flow/game_end.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "computer/eval_terms_backgame.h"
#include "flow/money_text.h"
#include "state/board_input.h"
#include "state/play_options.h"
#include "state/session_statistics.h"
#include "state/shell_flags.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/flow_services.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "rules/whole_roll_check.h"
#include "rules/numbered_message.h"
#include "runtime/core/format.h"
#include "runtime/core/messages.h"
#include "runtime/core/pstring.h"
#include "state/message_numbers.h"

namespace bg {

const CheckedArray<CheckedArray<std::string_view, 1>, 6> diceWords{{{
    {{{"", ""}}},
    {{{"one", "ones"}}},
    {{{"two", "twos"}}},
    {{{"three", "threes"}}},
    {{{"four", "fours"}}},
    {{{"five", "fives"}}},
    {{{"six", "sixes"}}},
}}};

namespace {

constexpr int16_t kGameEndFlags = 0x80;
constexpr int16_t kGameEndConcededFlag = 0x100;
constexpr float kNoticeSeconds = 2.0f;
constexpr float kResultSeconds = 1.0f;
constexpr float kMatchWonSeconds = 3.0f;

bool isHuman(int16_t side) { return position.playerType[side] == kHumanPlayer; }
bool isComputer(int16_t side) { return position.playerType[side] == kComputerPlayer; }

bool lastEntryIsGameEnd() { return record.gameRecord[record.gameRecordCount].side == kGameEndEntrySide; }

bool someoneResigned() { return flow.autoConcession[0] != 0 || flow.autoConcession[1] != 0; }
bool someoneDropped() { return cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0; }
bool someoneBorneOff() { return position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0; }

// A loser's checker in the winner's home board or on a bar.
bool loserCheckerBackHome() {
  for (int p = 1; p <= 6; ++p) {
    if (position.board[p] > 0) return true;
  }
  for (int p = 19; p <= 24; ++p) {
    if (position.board[p] < 0) return true;
  }
  return position.board[0] != 0 || position.board[25] != 0;
}

void showComputerNotice(int16_t number, std::string_view text, bool waitForSpeech) {
  interaction.messageNumber = number;
  interaction.messageText = text;
  if (waitForSpeech) speech.waitForSpeechEnd = -1;
  hook::displayMessage();
  hook::pauseAfterMove(kNoticeSeconds);
  boardInput.holdMessageLine = -1;
}

// The dice the computer left: " five", " last three", " last 2 threes".
Str255 unusedDiceWords() {
  Str255 words;
  if (diceState.rolledDoubles == 0) {
    for (int16_t n = 0; n <= 1; ++n) {
      const int16_t value = diceState.dice[n].value;
      if (value > 0) return Str255(" ") + diceWords[value][0];
    }
    return words;
  }
  const int16_t value = diceState.rolledDice[0];
  const int16_t left = static_cast<int16_t>(4 - playSearch.playLength);
  words = " last";
  if (left < 2) return words + " " + diceWords[value][0];
  return words + intText(left) + " " + diceWords[value][1];
}

Str255 resultText(int16_t winner, int16_t points, bool matchWon) {
  Str255 text = Str255(shell.playerNames[winner]) + " won";
  const float multiplier = turnState.gameValueMultiplier[winner];
  if (multiplier == 2) {
    text += Str255(" a double game worth") + intText(points) + " points!!";
  } else if (multiplier == 3) {
    text += Str255(" a triple game worth") + intText(points) + " points!!!";
  } else {
    text += Str255(intText(points)) + (points != 1 ? " points!" : " point");
  }
  if (position.gameContinued == -1) text += " in the continued game";
  if (matchWon) text += " and won the tournament!";
  return text;
}

// A rolled-out game belongs to the rollout's statistics, not to the user's profile or
// session.
bool creditsTheUser() { return rollout.rolloutRunning == 0; }

void scoreWinForTheUser(int16_t winner) {
  statistics.gamesWonBySide[winner] += 1;
  addToPlayerCounter(kGamesWonWord, winner);
  const float multiplier = turnState.gameValueMultiplier[winner];
  if (multiplier == 2) addToPlayerCounter(kGammonsWonWord, winner);
  if (multiplier == 3) addToPlayerCounter(kBackgammonsWonWord, winner);
}

// A score stops at its limits instead of wrapping, however long the session.
int32_t scoreWithGame(int32_t score, int32_t won) {
  const int64_t sum = static_cast<int64_t>(score) + won;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, -kHighestScore, kHighestScore));
}

void scoreGame(int16_t winner) {
  for (int16_t side = 0; side <= 1; ++side) {
    const int16_t points = static_cast<int16_t>(std::trunc(turnState.gameValueMultiplier[side] * cube.cubeValue));
    flow.gamePointsBySide[side] = points;
    flow.scores[side] = scoreWithGame(flow.scores[side], static_cast<int32_t>(points) * options.wagerAmount);
    if (creditsTheUser()) addToPlayerCounter(kPointsWonWord, side, points);
  }
  if (creditsTheUser()) scoreWinForTheUser(winner);
  turnServices.endGameHook();
}

// Counts a won match; returns true when a side has now won it.
bool settleMatch(int16_t winner) {
  if (flow.tournamentGoing == 0) return false;
  flow.crawfordRestrictions[0] = 0;
  flow.crawfordRestrictions[1] = 0;
  // One point from the match: the next game is the Crawford game.
  if (flow.scores[winner] + 1 == flow.tournamentPoints) flow.crawfordRestrictions[1 - winner] = -1;
  bool won = false;
  for (int16_t side = 0; side <= 1; ++side) {
    if (flow.scores[side] < flow.tournamentPoints) continue;
    won = true;
    statistics.tournamentsWonBySide[side] += 1;
    addToPlayerCounter(kTournamentsWonWord, side);
  }
  return won;
}

void announceMatchWon() {
  for (int16_t side = 0; side <= 1; ++side) {
    if (flow.scores[side] < flow.tournamentPoints) continue;
    speech.waitForSpeechEnd = -1;
    showNumberedMessage(side == 0 ? kPlayer0WonMatchMessage : kPlayer1WonMatchMessage);
    hook::pauseAfterMove(kMatchWonSeconds);
  }
}

// The game is over: a quit keeps nothing of it to resume, and a game saved before its end
// is no longer the one to resume (it would be played to its end and scored again).
void standResult() {
  flow.gameResultFlag = -1;
  flow.sessionEndState = 1;
  shell.savedGameName.clear();
}

void appendGameEndEntry(int16_t winner, int16_t points) {
  // A second announcement of the same game adds no second result.
  if (lastEntryIsGameEnd()) return;
  advanceGameRecordForGameEnd();
  GameRecordEntry entry = blankRecordEntry;
  entry.side = kGameEndEntrySide;
  entry.fromPoint = winner;
  entry.toPoint = points;
  entry.die1 = static_cast<int16_t>(std::trunc(turnState.gameValueMultiplier[winner]));
  if (someoneResigned()) entry.die2 = -1;
  if (someoneDropped()) entry.moveNumber = -1;
  entry.cubeValue = static_cast<int16_t>(flow.whoIsAheadUses[0] + flow.whoIsAheadUses[1]);
  entry.flags = static_cast<int16_t>(blankRecordEntry.flags | kGameEndFlags);
  if (someoneResigned()) entry.flags = static_cast<int16_t>(entry.flags | kGameEndConcededFlag);
  record.gameRecord[record.gameRecordCount] = entry;
}

}  // namespace

void recordUnplayedDice() {
  if (flow.turnEndPending != 0) {
    flow.movePhaseOver = -1;
    return;
  }
  wholeRoll.noMovesLeft = -1;
  if (wholeRoll.endCheckOnly != 0) return;

  const int16_t side = position.currentPlayer;
  recordUnplayedDiceEntries();
  interaction.clickedPoint = kNoZone;

  if (isComputer(side) && position.piecesOnBoard[side] > 0) {
    if (playSearch.playLength < 1) {
      const bool closedOut = backgameTerms.homePointsMade[position.otherPlayer] >= 6;
      if (closedOut && turnState.computerClosedOutTold == 0) {
        turnState.computerClosedOutTold = -1;
        showComputerNotice(kComputerClosedOutMessage, "MM", false);
      } else {
        showComputerNotice(kNoMessage, "MM", true);
      }
    } else {
      showComputerNotice(kNoMessage, Str255("MM") + messageWordsOf(kCantUseMessage) + unusedDiceWords(), true);
    }
  }
  if (flow.bestMoveForHuman == 0) flow.abortTurn = kLeaveTurn;
}

void announceGameResult() {
  // New Game abandons a game by emptying both sides: nothing to announce. A redraw in the
  // wait it was chosen in counts the checkers on the board again, so a game is announced
  // only when it has an end: a side borne off, a double dropped or a resignation.
  if (position.piecesOnBoard[0] == 0 && position.piecesOnBoard[1] == 0) return;
  if (!someoneBorneOff() && !someoneDropped() && !someoneResigned()) return;
  flow.continueGame = 0;
  interaction.panelAnswer = 0;

  const bool player0Lost = position.piecesOnBoard[1] == 0 || cube.playerDeclined[0] != 0 || flow.autoConcession[0] != 0;
  const int16_t winner = player0Lost ? kPlayer1 : kPlayer0;
  const int16_t loser = static_cast<int16_t>(1 - winner);
  flow.winnerSide = winner;
  interaction.messageLineCount = 1;
  turnState.gameValueMultiplier[0] = 0;
  turnState.gameValueMultiplier[1] = 0;
  for (long line = 1; line <= 3; ++line) interaction.messageLines[line].clear();

  for (int16_t side = 0; side <= 1 && creditsTheUser(); ++side) {
    if (cube.playerDeclined[side] != 0) {
      statistics.droppedDoubles[side] += 1;
      addToPlayerCounter(kDoublesDroppedWord, side);
    }
    if (flow.autoConcession[side] != 0) statistics.concessionsBySide[side] += 1;
  }
  if (someoneBorneOff() && creditsTheUser()) statistics.gamesPlayedOut += 1;

  float multiplier = 1;
  if (isHuman(loser) && isComputer(winner)) {
    interaction.messageLines[1] = messageWordsOf(kComputerWinsMessage);
  } else if (isHuman(winner) && !isHuman(loser)) {
    interaction.messageLines[1] = messageWordsOf(kYouWinMessage);
  } else {
    interaction.messageLines[1] = messageAfterText(shell.playerNames[winner].view(), kWinsTheGameMessage);
  }
  // The Jacoby rule: no gammons while the cube is centred.
  const bool jacobyHolds = cube.jacobyRule != 0 && cube.cubeOwner == kCubeCentred;
  if (!jacobyHolds && someoneBorneOff() && position.piecesOnBoard[0] + position.piecesOnBoard[1] == kCheckersPerSide) {
    multiplier = settings.backgammonAllowed != 0 && loserCheckerBackHome() ? 3 : 2;
  }
  if (someoneResigned()) multiplier = flow.concessionLevel;
  turnState.gameValueMultiplier[winner] = multiplier;
  if (multiplier == 3 || multiplier == 2) {
    interaction.messageLines[2] = messageWordsOf(kWithAMessage);
    interaction.messageLines[3] = messageWordsOf(multiplier == 3 ? kBackgammonMessage : kGammonMessage);
    interaction.messageLineCount = 3;
  }

  Str255 line = Str255("MM") + interaction.messageLines[1];
  if (!interaction.messageLines[3].empty()) {
    line += Str255(" ") + interaction.messageLines[2] + " " + interaction.messageLines[3];
  }
  // The game is over before its result is shown: the pauses below pump events, and a quit
  // in them finds the game scored, counted and recorded, with nothing of it to resume.
  if (position.gameContinued != -1 && !lastEntryIsGameEnd()) scoreGame(winner);
  if (creditsTheUser()) standResult();
  const bool matchWon = settleMatch(winner);
  const int16_t points = static_cast<int16_t>(std::trunc(multiplier * cube.cubeValue));
  appendGameEndEntry(winner, points);

  speech.waitForSpeechEnd = -1;
  showMessageText(line);
  hook::pauseAfterMove(kResultSeconds);

  hook::drawPipCounts();
  if (rollout.rolloutRunning != 0) hook::updateRolloutStatistics();
  if (matchWon) announceMatchWon();
  if (display.overlayActive != 0) hook::closeBoardOverlay();
  flow.concessionLevel = 0;

  if (isHuman(winner)) {
    showMessageText(Str255("MM") + shell.playerNames[winner] + ", " + messageWordsOf(kCongratulationsMessage));
  }
  Str255 text = resultText(winner, points, matchWon);
  rollout.keepRollsOnReset = 0;
  rollout.swapSidesOnReset = 0;
  interaction.panelAnswer = -1;
  // A rolled-out game, paused or not, belongs to the rollout: no end-of-game box.
  if (rollout.noPause == -1 || rollout.rolloutRunning != 0) return;

  if (flow.moneySessionActive != 0) {
    const int32_t amount = static_cast<int32_t>(std::trunc(std::fabs(multiplier * cube.cubeValue) * options.wagerAmount));
    text.assign(moneyGameResultText(winner, amount));
    boardInput.messageTitle = kMoneyResultsTitle;
    boardInput.messageBody = text;
  }
  hook::showEndGameDialog(text);
}

void dropGameInProgress() {
  // Held across the drop, the checker would be counted for whichever side a redraw finds
  // on roll.
  hook::returnCheckersInHand();
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
  flow.newGameRequested = -1;
  flow.abortTurn = kLeaveTurn;
}

void finishGameAndContinue() {
  hook::closeEndGameDialog();
  hook::enableAllMenus();
  if (flow.tournamentGoing != 0 &&
      (flow.scores[0] >= flow.tournamentPoints || flow.scores[1] >= flow.tournamentPoints)) {
    flow.scores[0] = 0;
    flow.scores[1] = 0;
    flow.crawfordRestrictions[0] = 0;
    flow.crawfordRestrictions[1] = 0;
    hook::tournamentCommand();
    flow.tournamentGoing = 0;
    // The match is over: its last game is not played on, a fresh one starts.
    flow.continueGame = 0;
  }
  speech.speakNextMessage = -1;
  interaction.panelAnswer = -1;
  flow.abortTurn = 0;
  if (shellFlags.quitRequested != 0) hook::quitGame();

  if (flow.continueGame == 0) {
    position.gameContinued = 0;
    removeDice();
    flow.abortTurn = kLeaveTurn;
    flow.newGameRequested = -1;
  } else {
    if (!someoneResigned()) {
      // The dropped double stands after all: the dropper owns the doubled cube.
      cube.cubeValue = static_cast<int16_t>(cube.cubeValue * 2);
      cube.cubeOwner = static_cast<int16_t>(1 - position.currentPlayer);
      position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
      position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
      flow.abortTurn = kLeaveTurn;
    } else {
      if (diceState.diceShowing == 0) {
        position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
        position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
      } else {
        turnState.resumeWithDiceShown = -1;
      }
      flow.abortTurn = 1;
    }
    flow.newGameRequested = 0;
    flow.gameResultFlag = 0;
    cube.playerDeclined[0] = 0;
    cube.playerDeclined[1] = 0;
    position.gameContinued = -1;
    flow.continueGame = 0;
    if (lastEntryIsGameEnd()) {
      record.gameRecord[record.gameRecordCount] = blankRecordEntry;
      record.gameRecord[record.gameRecordCount].side = kEmptyEntrySide;
      record.gameRecordCount -= 1;
    }
  }
  flow.autoConcession[0] = 0;
  flow.autoConcession[1] = 0;
  shellFlags.modalBusy = 0;
}

}  // namespace bg
