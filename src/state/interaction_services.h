#pragma once
// What the rules ask of the board interaction: the message line and the in-board
// question panel.
#include <cstdint>

namespace bg {

namespace least {
void displayMessage();
void clearMessageLine(int16_t flag);
void nothing();
}  // namespace least

struct InteractionServices {
  // Shows interaction.messageNumber (999: none) and/or interaction.messageText.
  void (*displayMessage)() = least::displayMessage;
  // Clears the message line and the key buffer; 255 also clears a kept message.
  void (*clearMessageLine)(int16_t flag) = least::clearMessageLine;
  // Draws the question panel from interaction.messageLines 1..messageLineCount with Yes
  // and No buttons.
  void (*drawBoardQuestion)() = least::nothing;
  // Waits for a click on the board or a panel button; Yes leaves interaction.panelAnswer
  // at -1, anything else at 0. Its least form gets no click: the answer stays as it was.
  void (*waitForBoardClick)() = least::nothing;
  // Polls the mouse button once; a press is handled as a board click (a click on the
  // cube while cube.beaverClick is 1 sets it to -1).
  void (*pollBoardClick)() = least::nothing;
};

extern InteractionServices interactionServices;

namespace hook {
inline void displayMessage() { interactionServices.displayMessage(); }
inline void clearMessageLine(int16_t flag) { interactionServices.clearMessageLine(flag); }
inline void drawBoardQuestion() { interactionServices.drawBoardQuestion(); }
inline void waitForBoardClick() { interactionServices.waitForBoardClick(); }
inline void pollBoardClick() { interactionServices.pollBoardClick(); }
}  // namespace hook

}  // namespace bg
