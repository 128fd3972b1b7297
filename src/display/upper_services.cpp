#include "display/upper_services.h"

#include "state/program_state.h"

#include <cstdio>
#include <string>

namespace bg {

UpperServices upperServices;
BG_RESETS_WITH_PROGRAM(upperServices);

namespace least {
void showInformation(std::string_view) {}
void endWaitLoop() {}
void speakText(std::string_view) {}
void macintalkNotSupported(std::string_view) {}
void showStopAlert(std::string_view first, std::string_view second) {
  std::fprintf(stderr, "%s\n%s\n", std::string(first).c_str(), std::string(second).c_str());
}
void showLargeMessageYesNoDone(std::string_view, int16_t, int16_t) {}
void enterPlayerName() {}
bool resumeKeptGame() { return false; }
}  // namespace least

}  // namespace bg
