#include "flow/money_text.h"

#include <cstdlib>

#include "state/play_options.h"

namespace bg {

std::string currencyNameFor(int64_t amount) { return currencyNameFor(options.wagerCurrency.str(), amount); }

std::string currencyNameFor(std::string name, int64_t amount) {
  if (std::llabs(amount) == 1 && name.size() > 1 && name.back() == 's') name.pop_back();
  return name;
}

std::string moneyAmountText(int64_t amount) { return std::to_string(std::llabs(amount)) + " " + currencyNameFor(amount); }

}  // namespace bg
