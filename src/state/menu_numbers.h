#pragma once
// The menus and menu items the lower areas enable and disable through the shell's hook.
#include <cstdint>

namespace bg {

inline constexpr int16_t kGameMenu = 3;
inline constexpr int16_t kOptionsMenu = 5;
inline constexpr int16_t kSettingsMenu = 8;
inline constexpr int16_t kComputerMenu = 17;  // serves only the computer opponent
// Game menu items.
inline constexpr int16_t kNewGameItem = 1;
inline constexpr int16_t kCloseSessionItem = 2;
inline constexpr int16_t kTournamentItem = 3;
inline constexpr int16_t kResignItem = 10;
inline constexpr int16_t kComputerOpponentItem = 12;  // opponent mode 1
inline constexpr int16_t kTwoPlayersItem = 13;        // opponent mode 3
// Items kept only against the computer.
inline constexpr int16_t kComputerOnlyOptionItem = 6;    // Options menu
inline constexpr int16_t kRollOverItem = 7;              // Options menu
inline constexpr int16_t kComputerOnlySettingItem = 8;   // Settings menu
inline constexpr int16_t kComputerMenuItem = 11;         // the computer's menu
inline constexpr int16_t kMoneySessionItem = 4;  // "End Money Session" while one runs
inline constexpr int16_t kMoneyGameItem = 5;     // the money game dialog: the stake

}  // namespace bg
