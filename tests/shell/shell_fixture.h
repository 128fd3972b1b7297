#pragma once
// The program makes the board's worlds, patterns and cursors once per run and never frees
// them; tests that start it again keep the old ones reachable, so a reset loses nothing.
#include <vector>

#include "display/board_images.h"
#include "display/colour_schemes.h"
#include "display/offscreen.h"
#include "state/program_state.h"

namespace bg::testing {

inline void resetKeepingBoardResources() {
  static auto* images = new std::vector<BoardImages>;
  static auto* palettes = new std::vector<ColourState>;
  static auto* worlds = new std::vector<OffscreenState>;
  images->push_back(boardImages);
  palettes->push_back(colours);
  worlds->push_back(offscreen);
  resetProgramState();
}

}  // namespace bg::testing
