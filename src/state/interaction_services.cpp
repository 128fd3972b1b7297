#include "state/interaction_services.h"

#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/program_state.h"
#include "state/rollout_state.h"

namespace bg {

InteractionServices interactionServices;
BG_RESETS_WITH_PROGRAM(interactionServices);

namespace least {

// The message line's rules without the drawing: a bare "MM" shows nothing and leaves the
// number for the next message; anything else is shown and used up.
void displayMessage() {
  const bool bareMarker = interaction.messageText == "MM" && !rolloutPlaysUnattended();
  interaction.messageText.clear();
  if (!bareMarker) interaction.messageNumber = kNoMessage;
}

void clearMessageLine(int16_t /*flag*/) {}

void nothing() {}

}  // namespace least
}  // namespace bg
