#pragma once
// Start and end of the layer: the application object, the bundled fonts, the key and
// activation filters, and the quit requests that come from outside (signals).
namespace bg {

// Creates the application object unless one exists (tests make their own), prefers the
// X11 platform on a desktop where one is available, and installs the layer's filters.
void rtInit(int& argc, char** argv);
// Ends the process after the shutdown work; never returns.
[[noreturn]] void FBShutdown(int status);

}  // namespace bg
