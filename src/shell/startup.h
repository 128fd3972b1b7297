#pragma once
// Program start: initialisation in its fixed order, then the main loop until quit.
#include <cstdint>

namespace bg {

// Reports each start-up step by its number (1 to 19) as it begins.
using StartupStepObserver = void (*)(int16_t step);

// The whole initialisation, in its fixed order; the observer is for tests.
void initProgram(StartupStepObserver observer = nullptr);
// Before initProgram: the layer's callbacks and event slice and every area's services, as
// the program starts itself.
void installProgramServices();
// After initProgram: the board's display, interaction, rollout and event handlers, as the
// program and a whole-program test start them.
void installBoardServices();
// The layer, the callbacks, initProgram, the application handlers, then the main loop.
// Never returns: quitting ends the process.
[[noreturn]] int runApplication(int argc, char** argv);

}  // namespace bg
