#pragma once
// What the rules ask of the application shell: menu item states and pauses.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kItemDisabled = 0;
inline constexpr int16_t kItemEnabled = 1;
inline constexpr int16_t kItemChecked = 2;

namespace least {
void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text);
void pause(double seconds);
}  // namespace least

struct ShellServices {
  // state 0 disabled, 1 enabled, 2 enabled and checked; a non-empty text replaces the item's.
  void (*setMenuItemState)(int16_t menu, int16_t item, int16_t state, std::string_view text) =
      least::setMenuItemState;
  // Polls events, then waits; nothing in the no-delay and Fast Play states.
  void (*pauseSeconds)(double seconds) = least::pause;
  // Flushes the board window, then waits; nothing in the no-delay, Fast Play and no-pause
  // states.
  void (*pauseAfterMove)(double seconds) = least::pause;
};

extern ShellServices shellServices;

namespace hook {
inline void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text) {
  shellServices.setMenuItemState(menu, item, state, text);
}
inline void pauseSeconds(double seconds) { shellServices.pauseSeconds(seconds); }
inline void pauseAfterMove(double seconds) { shellServices.pauseAfterMove(seconds); }
}  // namespace hook

}  // namespace bg
