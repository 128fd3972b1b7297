#pragma once
// Ending the program: the hooks registered here run first (release the speech channel,
// close files), then the process ends with the given status.
#include <functional>

namespace bg {

// Registers a routine to run when the program ends; hooks run in reverse order of
// registration, each once.
void addShutdownHook(std::function<void()> hook);

// Runs the shutdown hooks, then ends the process with status.
[[noreturn]] void terminateProcess(int status);

// Runs and forgets the shutdown hooks without ending the process (used by
// terminateProcess, and by tests).
void runShutdownHooks();

}  // namespace bg
