#pragma once
// The full board redraw: everything the board window shows, repainted from the composed
// board and the game state in a fixed order, with the welcome once per run.
#include <cstdint>
#include <string>

#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"

namespace bg {

struct BoardRedrawState {
  int16_t boardRedrawing = 0;  // -1 while the redraw runs: no sounds, pauses or slides
  int16_t welcomeDone = 0;     // -1 from the welcome reveal until the greeting
  GWorldPtr welcomeWorld = nullptr;
  RgnHandle windowMarginRgn = nullptr;
  PicHandle framePictureHandle = nullptr;
  int16_t extraRedrawAsked = 0;     // -1 once the failed welcome world asked for a redraw
};
extern BoardRedrawState redrawState;

// Least memory, in kilobytes, the welcome reveal needs.
inline constexpr int32_t kWelcomeMemoryK = 25;
// The private dialog event that loads the saved game.
inline constexpr int16_t kLoadGameEvent = 97;

void redrawBoardWindow();
// Every checker placed again from the board, as the redraw places them (no slide, no
// sound): the hand, the side on roll and each side's count stay as they were.
void drawAllCheckers();
void drawBoardAndWelcome();
// The first-run welcome text, its lines separated by two carriage returns.
std::string welcomeText();

}  // namespace bg
