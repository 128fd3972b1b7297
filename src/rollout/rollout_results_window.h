#pragma once
// The rollout's two windows: the set-up (340) and the results (348), with their control
// numbers. Writing to a field of a window that is closed does nothing.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kRolloutSetupWindow = 340;
inline constexpr int16_t kRolloutResultsWindow = 348;

// Set-up window controls.
inline constexpr int16_t kSetupGamesField = 3;
inline constexpr int16_t kSetupShowBoardBox = 5;
inline constexpr int16_t kSetupJacobyBox = 6;
inline constexpr int16_t kSetupBackgammonsBox = 7;
inline constexpr int16_t kSetupMinMaxField = 9;
inline constexpr int16_t kSetupDescriptionField = 12;
inline constexpr int16_t kSetupHelpButton = 14;

// Results window controls.
inline constexpr int16_t kStartStopButton = 1;
inline constexpr int16_t kReturnButton = 2;
inline constexpr int16_t kPrintButton = 33;
inline constexpr int16_t kWinsField = 3;          // 3 player 1, 4 player 0; then points,
inline constexpr int16_t kShareField = 11;        // gammons and backgammons in pairs
inline constexpr int16_t kMaxShareField = 13;
inline constexpr int16_t kMinShareField = 15;
inline constexpr int16_t kBlankField = 17;
inline constexpr int16_t kEquityField = 18;
inline constexpr int16_t kGamesCountedField = 20;
inline constexpr int16_t kMinEquityField = 21;
inline constexpr int16_t kMaxEquityField = 22;
inline constexpr int16_t kMinEquityGameField = 23;
inline constexpr int16_t kMaxEquityGameField = 24;
inline constexpr int16_t kDescriptionField = 25;
inline constexpr int16_t kSkillField = 72;
inline constexpr int16_t kFirstOptionField = 73;
inline constexpr int16_t kGamesWantedField = 83;
inline constexpr int16_t kTimeLeftField = 92;
inline constexpr int16_t kMinMaxStartField = 93;

// Opens window 348 from its form, hidden; false when the form is missing.
bool openRolloutResultsWindow();
void setResultsField(int16_t id, std::string_view text);
// The buttons while the rollout runs (Stop, no Print), is paused (Start, Print) or has
// finished (no Start, "Return", Print).
void showRolloutRunning();
void showRolloutPaused();
void showRolloutFinished();
// The rollout's settings in window 348: games wanted, MinMaxStart, the description, the
// skill and the option lines without gaps.
void buildRolloutResultsText();

}  // namespace bg
