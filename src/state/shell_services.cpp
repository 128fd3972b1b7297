#include "state/shell_services.h"

#include "state/program_state.h"

namespace bg {

ShellServices shellServices;
BG_RESETS_WITH_PROGRAM(shellServices);

namespace least {

void setMenuItemState(int16_t /*menu*/, int16_t /*item*/, int16_t /*state*/, std::string_view /*text*/) {}

void pause(double /*seconds*/) {}

}  // namespace least
}  // namespace bg
