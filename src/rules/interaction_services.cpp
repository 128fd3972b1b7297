#include "rules/interaction_services.h"

namespace bg {

InteractionServices interactionServices;

namespace least {

void displayMessage() {}

void clearMessageLine(int16_t /*flag*/) {}

void nothing() {}

}  // namespace least
}  // namespace bg
