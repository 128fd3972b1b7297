#pragma once
// Tournaments and money sessions: their Game menu commands, the end of a tournament with
// the options it changed put back, and the closing of the session totals.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kDefaultTournamentPoints = 5;
// Also the item's text when the menus load: the menu resource leaves the line empty.
inline constexpr std::string_view kStartTournamentText = "Start Tournament";
inline constexpr std::string_view kEndTournamentText = "End Tournament";
inline constexpr std::string_view kStartMoneySessionText = "Start A Money Session";
inline constexpr std::string_view kEndMoneySessionText = "End Money Session";
inline constexpr std::string_view kMoneySessionResultsTitle = "Money Session Results";

// Game menu item 3 (also when a match is won): starts a tournament through its set-up
// dialog, or ends the one running. Refused during a money session and, for a start,
// unless the computer is the opponent.
void tournamentCommand();

// Puts back the options the tournament changed, only those that differ (whoRollsFirst
// always), and closes the session totals unless a saved game is being read.
void endTournament();

void tournamentStatsCommand();

// Game menu item 4: starts or ends a money session; the end shows the result.
void moneySessionCommand();

// Credits the session to the player record, clears the session counters and abandons the
// game in progress. Refused with a checker in the hand.
void closeSessionTotals();

// Abandons the game in progress and asks for a new one.
void requestNewGame();

}  // namespace bg
