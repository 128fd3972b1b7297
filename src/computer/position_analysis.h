#pragma once
// The position analysis after the mover's view is built: the scans of both home boards
// and of the whole board, the bars, the cube threshold bases, the point lists, the
// blot-risk runs for both sides, the timing against a block, the backgame decision, the
// bear-in flag and the race estimates. Results go to `features` (position_features.h),
// `blotRisk`, `shotRisk`, `backgame` and `race`.
#include <cstdint>

namespace bg {

// Every stage after buildMoverView(), in order. Reads analysis.evalBoard and the basic
// counts; leaves analysis.analyseBlotRiskFlag at -1 (0 on entry skips the blot-risk runs).
void analysePositionFeatures();

// Blockade against the mover's men on q (23, 24, or 25 for its bar) and against the
// opponent's men on q (1, 2, or 0 for its bar): each adds (30 - n squared) per man, n the
// gaps in the block in front of them.
void blockadeTermSide0(int16_t q);
void blockadeTermSide1(int16_t q);

}  // namespace bg
