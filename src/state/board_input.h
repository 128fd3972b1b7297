#pragma once
// Values of the board interaction that the game flow reads and writes: the click being
// handled, the flags that hold the message line and the texts of the end-of-game box.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

struct BoardInput {
  int16_t clickH = 0;              // the click the next board wait takes when posted
  int16_t clickV = 0;
  int16_t hitDice = 0;             // -1: the last click hit the dice
  int16_t hitCube = 0;             // -1: the last click hit the cube
  int16_t requestAutoMove = 0;     // -1: the last click hit the automatic-move zone
  int16_t diceAreaClicked = 0;     // -1: the last click hit the dice action in the bar
  int16_t pickedCount = 0;         // checkers in the hand
  int16_t rightClickEmulation = 0; // -1 while a right click is handled as a control click
  int16_t clickWasPosted = 0;      // -1: the click the last wait took came from a key or command
  int16_t waitHelpContext = 0;     // -1 while the click-after-move wait runs
  int16_t holdMessageLine = 0;     // -1: the message stays until the next board wait
  int16_t keepRollMessage = 0;     // -1: the re-roll notice stays until the line is cleared
  int16_t boardWindowActive = -1;  // -1 while the program is the active application
  Str255 messageTitle;             // title and body of the end-of-game box
  Str255 messageBody;
};

extern BoardInput boardInput;

}  // namespace bg
