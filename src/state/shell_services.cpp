#include "state/shell_services.h"

#include "state/cube_state.h"
#include "state/program_state.h"
#include "state/settings.h"

namespace bg {

ShellServices shellServices;
BG_RESETS_WITH_PROGRAM(shellServices);

namespace least {

void setMenuItemState(int16_t /*menu*/, int16_t /*item*/, int16_t /*state*/, std::string_view /*text*/) {}

void pause(double /*seconds*/) {}


void noSubmenus() {}

std::string noHelpText(std::string_view /*name*/) { return {}; }

void toggleBeaverAllowed() { cube.beaverAllowed = cube.beaverAllowed != 0 ? 0 : -1; }
void toggleJacobyRule() { cube.jacobyRule = cube.jacobyRule != 0 ? 0 : -1; }
void toggleRerollFirstRoll() { settings.rerollFirstRoll = settings.rerollFirstRoll != 0 ? 0 : 255; }
void toggleAcceptDoubles() { cube.acceptDoubles = cube.acceptDoubles != 0 ? 0 : -1; }
void selectAutoDoubleMax(int16_t choice) { cube.autoDoubleMax = choice; }
bool askNothing() { return false; }

}  // namespace least
}  // namespace bg
