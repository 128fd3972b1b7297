#pragma once
// The dice on the board: the four die places of the frame, a die redrawn in its used
// form, and the faces of the dice chooser and of the move list.
#include <cstdint>

namespace bg {

// Where the dice chooser's face grid stands (set by the chooser).
struct DiceChooserPlace {
  int16_t chooserLeft = 0;
  int16_t chooserTop = 0;
  int16_t chooseDiceOpen = 0;  // -1 while the chooser is open
};
extern DiceChooserPlace diceChooser;

void frameAllDice();
void frameDie(int16_t end, int16_t place);
void clearDieSlot(int16_t end, int16_t place);
void showDieUsed(int16_t die);
void drawDiceChooserFaces();
void drawCurrentDice();
// The colour set of a die drawn with its left edge at x: the right half is player 0's.
int16_t dieColourAt(int16_t x);

}  // namespace bg
