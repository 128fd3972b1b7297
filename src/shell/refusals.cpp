#include "shell/refusals.h"

#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/sound_services.h"

namespace bg {

namespace {
void showNumbered(int16_t number) {
  interaction.messageNumber = number;
  interaction.messageText = "MM";
  hook::displayMessage();
}
}  // namespace

void refuseWithCheckerInHand() {
  hook::playAlertSound();
  showNumbered(kPutCheckerDownMessage);
}

void refuseWhileQuestionWaits() { showNumbered(kNotNowMessage); }

}  // namespace bg
