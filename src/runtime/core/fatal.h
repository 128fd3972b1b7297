#pragma once
// Fatal stops: the program reports the fault and ends. The handler is replaceable so
// the Qt side can show an alert and tests can observe the stop.
#include <string>
#include <string_view>

namespace bg {

inline constexpr std::string_view kMustQuitText = "The application must quit";

using FatalHandler = void (*)(const std::string& text);

// Shows the text (through the installed handler, else on stderr), then
// "The application must quit", and ends the process with status 1.
[[noreturn]] void fatalStop(const std::string& text);

// Installs the handler that shows a fatal text to the user; returns the previous one.
FatalHandler setFatalHandler(FatalHandler handler);

}  // namespace bg
