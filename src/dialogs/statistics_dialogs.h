#pragma once
// What the game has counted: the tournament, the game just played with the end-of-game
// choices, and the session. Every number shows as " 5" or "-5".
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kTournamentStatsWindow = 329;
inline constexpr int16_t kSessionStatsWindow = 337;
inline constexpr int16_t kGameStatsWindow = 338;
inline constexpr int16_t kEndGameWindow = 339;

inline constexpr std::string_view kWinnerRollsFirstRefusal =
    "Can't use this option when Winner Rolls First is selected.";

void tournamentStatsDialog();
void gameStatsDialog();
void sessionStatsDialog();
// Holds the game (modalBusy) until a button of the window decides how it goes on. Over
// another window it waits until the board is in front again (showHeldEndGameDialog).
void endGameDialog(std::string_view message);
// Opens the end-of-game window a game's end had to hold, once the board is in front.
void showHeldEndGameDialog();
// Closes the end-of-game window and makes the board the output window again.
void closeEndGameDialog();

// Dispatcher rows.
void tournamentStatsEvent(int16_t kind, int16_t id);
void sessionStatsEvent(int16_t kind, int16_t id);
void gameStatsEvent(int16_t kind, int16_t id);
void endGameEvent(int16_t kind, int16_t id);

}  // namespace bg
