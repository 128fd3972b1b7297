#pragma once
// Yes / No questions inside the board, the click on the message strip above the field,
// and the roll-over: a side that does not like its roll may, once a game, have it taken
// back and roll again.
#include <cstdint>

namespace bg {

struct RollOverState {
  uint8_t rollOverForMover = 0;  // 255 while the roll-over is the side to move's own
};
extern RollOverState rollOver;

// The box for interaction.messageLines[1..messageLineCount] with its Yes and No buttons,
// centred on the board; it does not wait (waitForBoardClick does).
void drawBoardQuestion();
// "Roll the dice again?"; nothing while another question waits.
void askRollOver();
void handleMessageAreaClick();
void rollOverRequest();
void rollOverExecute();

}  // namespace bg
