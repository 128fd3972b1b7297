#pragma once
// The on/off options of the Game, Options and Settings menus. Each toggle flips its
// setting, gives its item the check mark that goes with it and carries out the option's
// side effects; the menus and the preferences reader call the same routines, which are
// the only way these settings change.
#include <string_view>

namespace bg {

inline constexpr std::string_view kAutoRollsTurnedOffText =
    "The Automatic Rolls option is being turned off. This option is not available when the doubling cube is "
    "being used because it would not allow you to double your opponent";
inline constexpr std::string_view kAutoRollsRefusedText =
    "This option can not be used when the doubling cube is being used because it would not allow you to double "
    "your opponent";
inline constexpr std::string_view kCubeNotUsedText = "MMCube Used is not turned on";

void toggleSaveGameOnExit();
void toggleLoadGameOnStartup();
void toggleCubeUsed();
void toggleBeaverAllowed();
void toggleJacobyRule();
void toggleAcceptDoubles();
void toggleBackgammonAllowed();
void toggleRerollFirstRoll();
void toggleAutoConcessions();
void toggleSelectOneOnly();
void toggleShowPossibleMoves();
void toggleInputDice();
void toggleAutomaticRolls();
void toggleAutoPass();
void toggleEasyMoves();
void toggleFastPlay();

// Puts every toggle's check mark and every radio group's check back in step with the
// settings (after a session or a saved game changed them).
void markOptionItems();

}  // namespace bg
