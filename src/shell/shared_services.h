#pragma once
// Small services used all over the program: menu item states, pauses that respect Fast
// Play and rollouts, modifier keys, web addresses and the information box.
#include <cstdint>
#include <string_view>

#include "state/shell_services.h"

namespace bg {

inline constexpr int16_t kCommandKeyCode = 8;
inline constexpr int16_t kShiftKeyCode = 9;
inline constexpr int16_t kOptionKeyCode = 11;
inline constexpr int16_t kControlKeyCode = 12;
inline constexpr int32_t kBadUrlStatus = -50;

// state 0 disables (item 0: the whole menu), 1 enables, 2 enables and checks; item -2
// hangs the menu on its host item; any other state only changes the text.
void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text);
// The answer of the system query; 0 for a selector this system does not know.
int32_t gestaltValue(std::string_view selector);
void setTextStyle(int16_t font, int16_t size, int16_t face, int16_t mode);
// Lets the window system run its own work (paint, expose) without the program's events.
void pollEvents();
void pauseSeconds(double seconds);
void pauseAfterMove(double seconds);
// -1 when the key of the code is held, else 0.
int16_t isModifierDown(int16_t code);
int32_t openURLString(std::string_view text);
void openURL(std::string_view text);
void showInformation(std::string_view text);
// The file layer's failures, shown in a box (installed at start-up; tests keep stderr).
void showFileErrorAlert(std::string_view text, int32_t error);

// Puts the routines above into the service tables of the lower areas.
void installShellServices();

}  // namespace bg
