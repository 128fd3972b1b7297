
#include "rules/numbered_message.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"

namespace bg {

void showNumberedMessage(int16_t number) {
  interaction.messageNumber = number;
  interaction.messageText.clear();
  hook::displayMessage();
}

void showMessageText(std::string_view text) {
  interaction.messageNumber = kNoMessage;
  interaction.messageText = text;
  hook::displayMessage();
}

}  // namespace bg
