#include "runtime/core/shutdown.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace bg {
namespace {
std::vector<std::function<void()>>& hooks() {
  static std::vector<std::function<void()>> list;
  return list;
}
}  // namespace

void addShutdownHook(std::function<void()> hook) { hooks().push_back(std::move(hook)); }

void runShutdownHooks() {
  // Take each hook off the list before it runs, so a hook that ends the program
  // again (or registers another) cannot run twice.
  while (!hooks().empty()) {
    std::function<void()> hook = std::move(hooks().back());
    hooks().pop_back();
    if (hook) hook();
  }
}

void terminateProcess(int status) {
  runShutdownHooks();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace bg
