#include "rules/shell_services.h"

namespace bg {

ShellServices shellServices;

namespace least {

void setMenuItemState(int16_t /*menu*/, int16_t /*item*/, int16_t /*state*/, std::string_view /*text*/) {}

void pause(double /*seconds*/) {}

}  // namespace least
}  // namespace bg
