#pragma once
// Every checker that changes place on screen: found where it starts (a stack, the hand or
// a tray), lifted, slid along a straight line at the piece speed and landed.
#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

struct PieceAnimation {
  int16_t droppingHeldChecker = 0;  // -1 while a checker leaves the hand
  int16_t movingHitChecker = 0;     // -1 while a hit checker goes to the bar
  int16_t movesUnderWay = 0;        // checker moves begun and not ended (a landing's sound pumps)
  int16_t stepDeltaH = 0;           // the move of the last drawn step
  int16_t stepDeltaV = 0;
};
extern PieceAnimation animation;

// The pace of a slide over n pixels: the wait of each one-pixel step in microseconds.
struct PiecePace {
  int32_t delay = 0;      // the cruising wait
  int32_t current = 0;    // the wait before the first step's change
  int32_t decrement = 0;  // the change per step while speeding up or slowing down
  int32_t ramp = 1;       // steps of speeding up and of slowing down
};
PiecePace piecePace(int16_t n, float distance);
// The wait of step (1..n), moving pace.current on.
int32_t nextStepWait(PiecePace& pace, int32_t step, int32_t n);

void animateCheckerMove(int16_t targetX, int16_t targetY);
void animatePieceMove(int16_t startX, int16_t targetX, int16_t startY, int16_t targetY);
void drawHitToBar();
Point trayCheckerPosition();
void computeDragRegion(int16_t startX, int16_t targetX, int16_t startY, int16_t targetY);
void compactPickedList();
void startCheckerDrag();
void clipToBoard();

}  // namespace bg
