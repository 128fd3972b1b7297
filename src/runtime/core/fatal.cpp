#include "runtime/core/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace bg {
namespace {
FatalHandler gFatalHandler = nullptr;
}

FatalHandler setFatalHandler(FatalHandler handler) {
  FatalHandler old = gFatalHandler;
  gFatalHandler = handler;
  return old;
}

void fatalStop(const std::string& text) {
  // stderr always gets both lines, whatever the handler shows.
  std::fprintf(stderr, "%s\n%s\n", text.c_str(), std::string(kMustQuitText).c_str());
  std::fflush(stderr);
  if (gFatalHandler != nullptr) {
    FatalHandler h = gFatalHandler;
    gFatalHandler = nullptr;  // a fault inside the handler must not recurse
    h(text);
  }
  std::_Exit(1);
}

}  // namespace bg
