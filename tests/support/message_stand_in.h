#pragma once
// Stand-ins for the message line keep its rules: a bare "MM" shows nothing and leaves the
// number for the next message; any other message is shown once and used up.
#include <string>

#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/rollout_state.h"

namespace bg::testing {

// Calls show(number, free text without its "MM") when the real line would show something.
template <class Show>
void showLikeMessageLine(Show&& show) {
  const std::string text = interaction.messageText.str();
  if (rollout.rolloutRunning == 0 && text != "MM")
    show(interaction.messageNumber, text.size() > 2 ? text.substr(2) : std::string());
  least::displayMessage();
}

}  // namespace bg::testing
