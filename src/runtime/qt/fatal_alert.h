#pragma once
// The fatal stop as the user sees it: a plain box with the fault and "The application
// must quit", run by Qt's own modal loop so that it shows whatever state the game is in.
#include <string>

namespace bg {

// Shows the box and returns once the user has closed it (fatalStop then ends the process).
void showFatalAlert(const std::string& text);

}  // namespace bg
