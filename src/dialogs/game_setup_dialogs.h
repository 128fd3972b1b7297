#pragma once
// The dialogs that set up the next games: the points a resignation concedes, a
// tournament's length and starting scores, who gets the first roll, a money game's stake.
#include <cstdint>

namespace bg {

inline constexpr int16_t kTournamentSetupWindow = 328;
inline constexpr int16_t kWhoGetsFirstRollWindow = 333;
inline constexpr int16_t kMoneyGameWindow = 334;
inline constexpr int16_t kConcedePointsWindow = 344;

void whoGetsFirstRollDialog();
void readWhoGetsFirstRoll();

}  // namespace bg
