#pragma once
// The two preferences lines that name the game to resume at the next start: the switch and
// the game's name. One rule for the reader's appliers and for a look into a file kept.
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

inline constexpr std::string_view kLoadGameOnStartupKey = "LOADGAMEONSTARTUP";
inline constexpr std::string_view kGameWasSavedKey = "GAMEWASSAVED";

// What the lines read so far leave: the name counts only after the switch is on, and the
// switch turned off forgets the name an earlier line gave.
struct ResumeLines {
  int16_t loadGameOnStartup = 0;  // 0 or -1
  std::string savedGameName;      // empty: no game to resume
};

// Takes one line of either key into lines; other keys, and a switch value that is neither
// 0 nor -1, leave them as they are.
void takeResumeLine(ResumeLines& lines, std::string_view key, std::string_view value);

}  // namespace bg
