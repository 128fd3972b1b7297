#pragma once
// The small text place of each side in the side frame: its pip count once the game has
// changed and the pip display is on, else its match score or money balance.
#include <cstdint>
#include <string>

namespace bg {

// What the place of `side` shows ("" for nothing), and the text size it is drawn at.
struct ScoreText {
  std::string text;
  int16_t size = 0;
  int16_t sign = 0;  // money: -1 behind, 1 ahead, the "-" width kept free either way
};
ScoreText scoreTextFor(int16_t side, int16_t pips);

// Redraws both places; installed as turnServices.drawPipCounts.
void drawPipCounts();

// Puts the score display and the board's other flow services into turnServices.
void installScoreDisplay();

}  // namespace bg
