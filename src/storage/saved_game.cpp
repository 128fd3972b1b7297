#include "storage/saved_game.h"

#include "rules/dice.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/shell_state.h"
#include "storage/saved_game_record.h"

namespace bg {

namespace {

int16_t lastPlayerOfRecord() {
  const int16_t count = record.gameRecordCount;
  if (count <= 0) return position.otherPlayer;
  const int16_t side = record.gameRecord[count].side;
  if (side == kGameEndEntrySide) return record.gameRecord[count - 1].side;
  return side;
}

// A die the side could not play, recorded when its turn ended.
bool isUnplayedDieEntry(const GameRecordEntry& e) {
  return isPlayerSide(e.side) && e.fromPoint == 0 && e.toPoint == 0 && e.distance > 0;
}

// The turn ended with dice left that could not be played; they stay on the board until
// the next roll, but they are spent.
bool turnEndedWithDiceUnplayed() {
  const int16_t count = record.gameRecordCount;
  return flow.movesLeft == 0 && diceState.diceShowing != 0 && count >= 1 && count <= kGameRecordHighest &&
         isUnplayedDieEntry(record.gameRecord[count]);
}

// One die spent and one not: only a turn whose other die could not be played leaves that,
// and its record ends with that die, unplayed, by the side that moved last.
bool dieLeftUnplayedByLastMover(const SavedGame& g) {
  if (g.rows.size() < 2) return false;
  const GameRecordEntry& last = g.rows.back();
  const int16_t left = g.dice[0] != 0 ? g.dice[0] : g.dice[1];
  return isUnplayedDieEntry(last) && last.side == g.lastPlayerToMove && last.distance == left;
}

// One die shown and the other spent, which no entry keeps as left unplayed: no roll to play on.
bool loneDieIsNoRoll(const SavedGame& g) {
  return g.diceShowing != 0 && (g.dice[0] == 0) != (g.dice[1] == 0) && !dieLeftUnplayedByLastMover(g);
}

}  // namespace

SavedGame currentGameValues() {
  SavedGame g;
  g.board = position.board;
  g.scores = flow.scores;
  g.cubeValue = cube.cubeValue;
  g.cubeOwner = cube.cubeOwner;
  g.playerDeclined = cube.playerDeclined[1];
  g.diceShowing = diceState.diceShowing;
  g.dice[0] = diceState.dice[0].value;
  g.dice[1] = diceState.dice[1].value;
  g.playerRolledOver = interaction.playerRolledOver;
  g.tournamentGoing = flow.tournamentGoing != 0 ? -1 : 0;
  g.tournamentPoints = flow.tournamentPoints;
  g.crawfordRestrictions = flow.crawfordRestrictions;
  g.lastPlayerToMove = position.currentPlayer;
  g.moneySession = flow.moneySessionActive != 0 ? -1 : 0;
  return g;
}

SavedGame savedGameOfState() {
  SavedGame g = currentGameValues();
  if (cube.doublePending == -1) {
    g.cubeValue = static_cast<int16_t>(cube.cubeValue / 2);
    g.cubeOwner = cube.cubeOwnerBeforeDouble;
  }
  g.lastPlayerToMove = lastPlayerOfRecord();
  g.gameContinued = position.gameContinued == -1 ? -1 : 0;
  // Who shares the board comes back with the game; against the computer nothing is written.
  if (flow.opponentMode == kTwoPeople) {
    g.twoPeople = -1;
    g.pairRow = players.activePlayers;
    g.sideNames[0] = shell.playerNames[0];
    g.sideNames[1] = shell.playerNames[1];
  }
  if (turnEndedWithDiceUnplayed()) {
    g.dice[0] = 0;
    g.dice[1] = 0;
  }
  const int16_t count = record.gameRecordCount < 0 ? 0 : record.gameRecordCount;
  for (int16_t n = 0; n <= count; ++n) g.rows.push_back(record.gameRecord[n]);
  // A lone die (the other spent, or held back until the opening's second click) that the
  // reader would refuse: the roll is over or not yet settled, and the game goes on from the
  // next roll.
  if (loneDieIsNoRoll(g)) {
    g.dice[0] = 0;
    g.dice[1] = 0;
    g.diceShowing = 0;
  }
  return g;
}

std::string savedGameFault(const SavedGame& g) {
  int ownCheckers = 0;
  int otherCheckers = 0;
  for (const int16_t c : g.board) {
    if (c > 0) ownCheckers += c;
    if (c < 0) otherCheckers -= c;
  }
  if (ownCheckers > kCheckersPerSide || otherCheckers > kCheckersPerSide)
    return "The board holds more than 15 checkers of one side.";
  if (ownCheckers == 0 || otherCheckers == 0) return "A side has no checker on the board.";
  if (g.board[0] > 0 || g.board[25] < 0) return "A bar holds checkers of the wrong side.";
  if (!inRange(g.dice[0], 0, kDieFaces) || !inRange(g.dice[1], 0, kDieFaces))
    return "The dice are not between 0 and 6.";
  if (loneDieIsNoRoll(g)) return "The dice are not a roll that can be played.";
  if (!inRange(g.scores[0], -kHighestScore, kHighestScore) ||
      !inRange(g.scores[1], -kHighestScore, kHighestScore))
    return "A score is too large.";
  if (g.tournamentGoing != 0 && g.tournamentPoints < 1) return "The match has no length.";
  if (g.tournamentGoing != 0 && (g.scores[0] >= g.tournamentPoints || g.scores[1] >= g.tournamentPoints))
    return "A score has already reached the length of the match.";
  if (!isCubeValue(g.cubeValue)) return "The cube value is not 1, 2, 4, 8, 16, 32 or 64.";
  if (!inRange(g.cubeOwner, 0, kCubeCentred)) return "The cube belongs to no side.";
  if (g.rows.empty() || static_cast<long>(g.rows.size()) - 1 > kGameRecordHighest)
    return "The move table is missing or too long.";
  if (std::string fault = moveTableFault(g); !fault.empty()) return fault;
  // A record that ends with the result is a finished game (a concession leaves checkers of
  // both sides on the board): it is not played on, nor scored again.
  if (g.rows.back().side == kGameEndEntrySide) return "The game in this file is over.";
  return {};
}

bool holdsRollInHand(const SavedGame& g) { return g.diceShowing != 0 && g.dice[0] > 0 && g.dice[1] > 0; }

}  // namespace bg
