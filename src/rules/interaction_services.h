#pragma once
// What the rules ask of the board interaction: the message line.
#include <cstdint>

namespace bg {

namespace least {
void displayMessage();
void clearMessageLine(int16_t flag);
}  // namespace least

struct InteractionServices {
  // Shows interaction.messageNumber (999: none) and/or interaction.messageText.
  void (*displayMessage)() = least::displayMessage;
  // Clears the message line and the key buffer; 255 also clears a kept message.
  void (*clearMessageLine)(int16_t flag) = least::clearMessageLine;
};

extern InteractionServices interactionServices;

inline void displayMessage() { interactionServices.displayMessage(); }
inline void clearMessageLine(int16_t flag) { interactionServices.clearMessageLine(flag); }

}  // namespace bg
