#pragma once
// The menus and menu items the lower areas enable and disable through the shell's hook.
#include <cstdint>

namespace bg {

inline constexpr int16_t kGameMenu = 3;
// Game menu items.
inline constexpr int16_t kMoneySessionItem = 4;  // "End Money Session" while one runs
inline constexpr int16_t kMoneyGameItem = 5;     // the money game dialog: the stake

}  // namespace bg
