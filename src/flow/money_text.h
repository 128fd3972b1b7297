#pragma once
// An amount of the wager's currency as the money messages write it: "1 Dollar", "5 Dollars",
// and the results of a money game and of a money session in those words.
#include <cstdint>
#include <string>

namespace bg {

// The currency's name for `amount` of it: one of a currency named in the plural ("Dollars")
// drops the final "s".
std::string currencyNameFor(int64_t amount);
// The same for a currency named `name`.
std::string currencyNameFor(std::string name, int64_t amount);
// The digits of |amount|, a blank and the currency's name.
std::string moneyAmountText(int64_t amount);

// The end-of-game box's words for a money game `winner` won, worth `amount`: spoken to the
// person against the computer, naming both sides otherwise.
std::string moneyGameResultText(int16_t winner, int64_t amount);
// The End Money Session box's words for player 0's `balance`, in the same way; between two
// people a balance of nought is even.
std::string moneySessionResultText(int64_t balance);

}  // namespace bg
