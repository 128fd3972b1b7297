#include "storage/resume_lines.h"

#include "runtime/core/format.h"

namespace bg {

void takeResumeLine(ResumeLines& lines, std::string_view key, std::string_view value) {
  if (key == kLoadGameOnStartupKey) {
    const int16_t n = int16Of(val(value));
    if (n == 0 || n == -1) lines.loadGameOnStartup = n;
    if (lines.loadGameOnStartup == 0) lines.savedGameName.clear();
  } else if (key == kGameWasSavedKey && lines.loadGameOnStartup == -1) {
    lines.savedGameName = value;
  }
}

}  // namespace bg
