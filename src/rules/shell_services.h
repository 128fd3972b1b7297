#pragma once
// What the rules ask of the application shell: menu item states.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kItemDisabled = 0;
inline constexpr int16_t kItemEnabled = 1;
inline constexpr int16_t kItemChecked = 2;

namespace least {
void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text);
}  // namespace least

struct ShellServices {
  // state 0 disabled, 1 enabled, 2 enabled and checked; a non-empty text replaces the item's.
  void (*setMenuItemState)(int16_t menu, int16_t item, int16_t state, std::string_view text) =
      least::setMenuItemState;
};

extern ShellServices shellServices;

inline void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text) {
  shellServices.setMenuItemState(menu, item, state, text);
}

}  // namespace bg
