#include "state/interaction_services.h"

#include "state/program_state.h"

namespace bg {

InteractionServices interactionServices;
BG_RESETS_WITH_PROGRAM(interactionServices);

namespace least {

void displayMessage() {}

void clearMessageLine(int16_t /*flag*/) {}

void nothing() {}

}  // namespace least
}  // namespace bg
