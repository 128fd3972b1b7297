#pragma once
// An amount of the wager's currency as the money messages write it: "1 Dollar", "5 Dollars".
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

}  // namespace bg
