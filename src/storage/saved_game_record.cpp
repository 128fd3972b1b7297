#include "storage/saved_game_record.h"

#include "rules/dice.h"
#include "rules/record_walk.h"
#include "state/cube_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kNoPointAtAll = -1;  // a borne-off checker's to-point
constexpr int16_t kHighestBoardIndex = 25;  // player 0's bar
// The marks that go with a double; without one, the cube's take-back would act on them.
constexpr int16_t kDoubleMarks = kFlagBeavered | kFlagCubeWasCentred;
constexpr int16_t kBeaveredCube = 4;

std::string row(std::size_t n) { return "Move row " + std::to_string(n); }

// Entries of play are read back by the take-back and the replay: their points and dice
// index the board and the dice faces. A game-end entry holds counts of its own.
std::string fieldFault(const GameRecordEntry& e, std::size_t n) {
  if (e.side != kEmptyEntrySide && !isPlayerSide(e.side) && e.side != kAutoDoubleEntrySide && e.side != kGameEndEntrySide)
    return row(n) + " belongs to no side.";
  if (e.side == kGameEndEntrySide || e.side == kEmptyEntrySide) return {};
  if (!inRange(e.fromPoint, kNoPointAtAll, kHighestBoardIndex) || !inRange(e.toPoint, kNoPointAtAll, kHighestBoardIndex))
    return row(n) + " moves from or to no point.";
  if (!inRange(e.die1, 0, kDieFaces) || !inRange(e.die2, 0, kDieFaces)) return row(n) + " has a die that is not 0 to 6.";
  // The take-back undoes as many rows as the step says: one past the roll's last step
  // would take the turns before it with it.
  if (isPlayerSide(e.side) && !inRange(e.moveNumber, 0, kPartMovesOfTurn))
    return row(n) + " is step " + std::to_string(e.moveNumber) + " of a roll, and a roll has at most " + std::to_string(kPartMovesOfTurn) + " steps.";
  if (!inRange(e.cubeOwner, 0, kCubeCentred) || (e.cubeValue != 0 && !isCubeValue(e.cubeValue)))
    return row(n) + " holds a cube that cannot be.";
  return {};
}

// A double's marks go with its cube: the take-back halves the cube by them.
std::string marksFault(const GameRecordEntry& e, std::size_t n) {
  if (e.side == kGameEndEntrySide || e.side == kEmptyEntrySide) return {};
  const bool doubled = (e.flags & kFlagDoubleRecorded) != 0;
  const bool beavered = (e.flags & kFlagBeavered) != 0;
  if (((e.flags & kDoubleMarks) != 0 && !doubled) || doubled != (e.cubeValue != 0) ||
      (doubled && !entryHoldsDouble(e)) || (beavered && e.cubeValue < kBeaveredCube))
    return row(n) + " records a double its cube does not explain.";
  return {};
}

// A step after the first follows the step before it, of the same side.
std::string stepFault(const SavedGame& g, std::size_t n) {
  const GameRecordEntry& e = g.rows[n];
  if (!isPlayerSide(e.side) || e.moveNumber < 2) return {};
  const GameRecordEntry& before = g.rows[n - 1];
  if (before.side == e.side && before.moveNumber == e.moveNumber - 1) return {};
  return row(n) + " is step " + std::to_string(e.moveNumber) + " of a roll whose step before it is missing.";
}

std::string undoFault(UndoFault fault, const GameRecordEntry& e, std::size_t n) {
  const std::string side = " of side " + std::to_string(e.side);
  switch (fault) {
    case UndoFault::kNone:
      return {};
    case UndoFault::kNoCheckerToTakeBack:
      return row(n) + " moves a checker" + side + " to " +
             (e.toPoint == kNoPointAtAll ? std::string("its tray") : "point " + std::to_string(e.toPoint)) +
             ", where the board before the later rows has none: the record does not lead to the Board line.";
    case UndoFault::kNoHitCheckerOnBar:
      return row(n) + " hits a checker on point " + std::to_string(e.toPoint) +
             " that the board before the later rows does not have on its bar: the record does not lead to the "
             "Board line.";
    case UndoFault::kNoPlaceToGoBack:
      return row(n) + " moves a checker" + side + " from point " + std::to_string(e.fromPoint) +
             ", where it cannot have stood: the record does not lead to the Board line.";
  }
  return {};
}

}  // namespace

std::string moveTableFault(const SavedGame& g) {
  for (std::size_t n = 1; n < g.rows.size(); ++n) {
    std::string fault = fieldFault(g.rows[n], n);
    if (fault.empty()) fault = marksFault(g.rows[n], n);
    if (fault.empty()) fault = stepFault(g, n);
    if (!fault.empty()) return fault;
  }
  // Undone from the last row to the first, as take-backs would undo them, every checker
  // moved back must stand where its row put it.
  BoardCounts b = boardCountsOf(g.board);
  for (std::size_t n = g.rows.size() - 1; n >= 1; --n) {
    const GameRecordEntry& e = g.rows[n];
    if (!isPlayerSide(e.side)) continue;
    const std::string fault = undoFault(undoEntryOnBoard(e, b), e, n);
    if (!fault.empty()) return fault;
  }
  return {};
}

}  // namespace bg
