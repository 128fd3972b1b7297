#include "storage/saved_game.h"

#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kHighestDie = 6;
constexpr int16_t kHighestOwner = 2;
constexpr int16_t kNoPointAtAll = -1;   // a borne-off checker's to-point
constexpr int16_t kHighestPoint = 25;

int16_t lastPlayerOfRecord() {
  const int16_t count = record.gameRecordCount;
  if (count <= 0) return position.otherPlayer;
  const int16_t side = record.gameRecord[count].side;
  if (side == kGameEndEntrySide) return record.gameRecord[count - 1].side;
  return side;
}

bool isCubeValue(int32_t v) {
  for (int32_t c = 1; c <= kHighestCube; c *= 2)
    if (v == c) return true;
  return false;
}

bool isEntrySide(int16_t side) {
  return side == kEmptyEntrySide || side == kPlayer0 || side == kPlayer1 || side == kAutoDoubleEntrySide ||
         side == kGameEndEntrySide;
}

bool inRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

// Entries of play are read back by the take-back and the replay: their points and dice
// index the board and the dice faces. A game-end entry holds counts of its own.
bool playEntryFits(const GameRecordEntry& e) {
  if (!isEntrySide(e.side)) return false;
  if (e.side == kGameEndEntrySide || e.side == kEmptyEntrySide) return true;
  return inRange(e.fromPoint, kNoPointAtAll, kHighestPoint) && inRange(e.toPoint, kNoPointAtAll, kHighestPoint) &&
         inRange(e.die1, 0, kHighestDie) && inRange(e.die2, 0, kHighestDie) &&
         inRange(e.cubeOwner, 0, kHighestOwner) && (e.cubeValue == 0 || isCubeValue(e.cubeValue));
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
  return g;
}

SavedGame savedGameOfState() {
  SavedGame g = currentGameValues();
  if (cube.doublePending == -1) {
    g.cubeValue = static_cast<int16_t>(cube.cubeValue / 2);
    g.cubeOwner = cube.cubeOwnerBeforeDouble;
  }
  g.lastPlayerToMove = lastPlayerOfRecord();
  const int16_t count = record.gameRecordCount < 0 ? 0 : record.gameRecordCount;
  for (int16_t n = 0; n <= count; ++n) g.rows.push_back(record.gameRecord[n]);
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
  if (g.board[0] > 0 || g.board[25] < 0) return "A bar holds checkers of the wrong side.";
  if (!inRange(g.dice[0], 0, kHighestDie) || !inRange(g.dice[1], 0, kHighestDie))
    return "The dice are not between 0 and 6.";
  if (!isCubeValue(g.cubeValue)) return "The cube value is not 1, 2, 4, 8, 16, 32 or 64.";
  if (!inRange(g.cubeOwner, 0, kHighestOwner)) return "The cube belongs to no side.";
  if (g.rows.empty() || static_cast<long>(g.rows.size()) - 1 > kGameRecordHighest)
    return "The move table is missing or too long.";
  for (std::size_t n = 1; n < g.rows.size(); ++n)
    if (!playEntryFits(g.rows[n])) return "The move table holds an entry that cannot be played back.";
  return {};
}

}  // namespace bg
