#pragma once
// Checkers standing in their stacks: one checker landed in its slot with the right overlap
// against its neighbours, the top checker lifted with what it covered repaired, and every
// checker of the position placed by the full redraw.
#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

inline constexpr int16_t kStackWrap = 5;  // checkers per layer of a stack

struct CheckerStacks {
  int16_t stackIndex = 0;              // position in the stack of layout.stackPoint, 1 first
  uint8_t keepBoardCounts = 0;         // 255: addPieceToPoint draws without counting
  int16_t placingAllCheckers = 0;      // -1 while drawAllPieces runs
  uint8_t neighbourRedrawRequest = 0;  // 255: the slide ran without an occluder
  Rect liftRect;                       // the slot the lifted checker left
};
extern CheckerStacks stacks;

// The slot of checker n of layout.stackPoint (also left in stackPieceX/Y).
Rect pieceSlot(int16_t n);
void liftTopChecker();
void drawMovingPiece(int16_t left, int16_t top);
void addPieceToPoint();
void drawPieceAtPoint();
void pieceSlotRect();
void drawAllPieces();

}  // namespace bg
