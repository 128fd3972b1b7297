#include "state/quit_services.h"

#include "runtime/core/shutdown.h"
#include "state/program_state.h"

namespace bg {

QuitState quitState;
BG_RESETS_WITH_PROGRAM(quitState);
QuitServices quitServices;
BG_RESETS_WITH_PROGRAM(quitServices);

namespace least {
std::string keepNotePad() { return {}; }
void noNotePad() {}
void endProcess(int status) { terminateProcess(status); }
}  // namespace least

}  // namespace bg
