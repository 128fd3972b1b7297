#include "rules/record_walk.h"

#include "state/cube_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kBorneOff = -1;  // the to-point of a checker borne off
constexpr int16_t kFirstPoint = 1;
constexpr int16_t kLastPoint = 24;

bool onPoint(int16_t p) { return p >= kFirstPoint && p <= kLastPoint; }

}  // namespace

BoardCounts boardCountsOf(const CheckedArray<int16_t, 25>& board) {
  BoardCounts b;
  b.board = board;
  b.piecesOnBoard = {};
  for (const int16_t c : board) {
    if (c > 0) b.piecesOnBoard[0] = static_cast<int16_t>(b.piecesOnBoard[0] + c);
    if (c < 0) b.piecesOnBoard[1] = static_cast<int16_t>(b.piecesOnBoard[1] - c);
  }
  return b;
}

bool entryHits(const GameRecordEntry& e) { return (e.flags & kFlagHit) != 0 && onPoint(e.toPoint); }

bool entryHoldsDouble(const GameRecordEntry& e) {
  return (e.flags & kFlagDoubleRecorded) != 0 && e.cubeValue >= 2 && e.cubeValue <= kHighestCube;
}

UndoFault undoEntryOnBoard(const GameRecordEntry& e, BoardCounts& b) {
  if (e.fromPoint == e.toPoint) return UndoFault::kNone;
  const int16_t side = e.side;
  const int16_t other = static_cast<int16_t>(1 - side);
  const int16_t dir = position.playerDirection[side];
  const int16_t otherBar = position.barPoint[other];
  const bool fromTray = e.toPoint == kBorneOff;
  if (!fromTray && !onPoint(e.toPoint)) return UndoFault::kNoCheckerToTakeBack;
  if (fromTray ? b.piecesOnBoard[side] >= kCheckersPerSide : b.board[e.toPoint] * dir < 1)
    return UndoFault::kNoCheckerToTakeBack;
  if (!onPoint(e.fromPoint) && e.fromPoint != position.barPoint[side]) return UndoFault::kNoPlaceToGoBack;
  if (b.board[e.fromPoint] * dir < 0) return UndoFault::kNoPlaceToGoBack;
  const bool hit = entryHits(e);
  // The hitter stood alone on the blot's point, and the blot waits on its bar.
  if (hit && (b.board[e.toPoint] != dir || b.board[otherBar] * -dir < 1)) return UndoFault::kNoHitCheckerOnBar;
  if (fromTray) {
    b.piecesOnBoard[side] = static_cast<int16_t>(b.piecesOnBoard[side] + 1);
  } else {
    b.board[e.toPoint] = static_cast<int16_t>(b.board[e.toPoint] - dir);
  }
  if (hit) {
    b.board[otherBar] = static_cast<int16_t>(b.board[otherBar] + dir);
    b.board[e.toPoint] = static_cast<int16_t>(-dir);
  }
  b.board[e.fromPoint] = static_cast<int16_t>(b.board[e.fromPoint] + dir);
  return UndoFault::kNone;
}

}  // namespace bg
