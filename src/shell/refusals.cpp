#include "shell/refusals.h"

#include "rules/numbered_message.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/sound_services.h"

namespace bg {

void refuseWithCheckerInHand() {
  hook::playAlertSound();
  showNumberedMessage(kPutCheckerDownMessage);
}

void refuseWhileQuestionWaits() { showNumberedMessage(kNotNowMessage); }

}  // namespace bg
