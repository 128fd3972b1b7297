#pragma once
// The dialogs that set up the next games: the points a resignation concedes, a
// tournament's length and starting scores, who gets the first roll, a money game's stake.
// Numbers beyond 16 bits, points conceded other than 1 to 3, a match length below 1, a
// starting score outside 0 to the length less 1 and a negative wager are refused with a
// message; the dialog stays open.
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

inline constexpr int16_t kTournamentSetupWindow = 328;
inline constexpr int16_t kWhoGetsFirstRollWindow = 333;
inline constexpr int16_t kMoneyGameWindow = 334;
inline constexpr int16_t kConcedePointsWindow = 344;

inline constexpr std::string_view kBadMatchLengthText =
    "The match length must be a whole number of points from 1 to 32767.";
inline constexpr std::string_view kBadStartingScoreText =
    "Each starting score must be from 0 to one point less than the match length.";
inline constexpr std::string_view kBadWagerText = "The wager amount must be a whole number from 0 to 32767.";
inline constexpr std::string_view kBadConcedePointsText =
    "The points conceded must be 1 for a single game, 2 for a gammon or 3 for a backgammon.";

void getConcedePointsDialog();
// The text of the points field, "2" when it holds no number.
std::string getConcedePointsValue();
void tournamentSetupDialog();
void whoGetsFirstRollDialog();
void moneyGameDialog();
// The sentence of control 7 from the money settings.
std::string wagerText();
// The same sentence for a stake not yet taken: the amount, the currency's name, its symbol
// and where the symbol stands (12 before the amount, 13 after it).
std::string wagerText(int16_t amount, std::string_view currency, std::string_view symbol, int16_t symbolLocation);

// Dispatcher rows.
void concedePointsEvent(int16_t kind, int16_t id);
void tournamentSetupEvent(int16_t kind, int16_t id);
void readWhoGetsFirstRoll();
void moneyGameEvent(int16_t kind, int16_t id);

}  // namespace bg
