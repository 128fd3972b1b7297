#include "display/upper_services.h"

namespace bg {

UpperServices upperServices;

namespace least {
void showInformation(std::string_view) {}
void endWaitLoop() {}
void speakText(std::string_view) {}
void macintalkNotSupported(std::string_view) {}
}  // namespace least

}  // namespace bg
