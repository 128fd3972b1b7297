#pragma once
// The board rebuild's state: the size, colour and frame design waiting to be applied, and
// the flags that bracket a rebuild.
#include <cstdint>

namespace bg {

struct BoardState {
  int16_t pendingBoardSize = 0;        // index into the board size table
  int16_t pendingBoardColor = 0;
  uint8_t boardSizeChangePending = 0;  // 255: a size change waits
  int16_t boardColorChangePending = 0; // -1: a colour change waits
  int16_t boardRelayoutRequested = 0;  // -1: relayout and refit even without a size change
  int16_t boardRebuildBusy = 0;        // -1 while the rebuild runs; the redraw waits
  uint8_t customColoursRead = 255;     // 0: the last custom colour read failed
  int16_t previousBoardColor = 0;
  int16_t frameDesignChoice = 0;       // 0 none, 1..8 a design
  int16_t boardFrameDesign = 0;        // the design in force
  int16_t designTilesOn = 0;
  int16_t designTilesChoice = 0;
  int16_t setupInProgress = 0;         // the position set-up runs; rebuilds wait
  int16_t welcomePending = 0;          // -1 until the welcome reveal has run
  uint32_t animationClock = 0;         // low word of the microseconds at the last animation step
  // The picture board's text strip above the field, for the message line.
  int16_t textStripTop = 0;
  int16_t textStripHeight = 0;
};
extern BoardState boardState;

}  // namespace bg
