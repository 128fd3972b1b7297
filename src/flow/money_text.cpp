#include "flow/money_text.h"

#include <cstdlib>

#include "state/play_options.h"
#include "state/position.h"
#include "state/shell_state.h"

namespace bg {

namespace {

// "You" is player 0 only when one person plays it against the computer.
bool spokenToThePerson() {
  return position.playerType[0] == kHumanPlayer && position.playerType[1] == kComputerPlayer;
}

std::string wonAndLost(int16_t winner, int64_t amount) {
  const std::string money = moneyAmountText(amount);
  return shell.playerNames[winner].str() + " won " + money + ". " + shell.playerNames[1 - winner].str() + " lost " +
         money + ".";
}

std::string youWonOrLost(bool won, int64_t amount) {
  const std::string money = moneyAmountText(amount);
  return won ? "Congratulations, you have won " + money + "." : "You lost " + money + ".  Better luck next time.";
}

}  // namespace

std::string currencyNameFor(int64_t amount) { return currencyNameFor(options.wagerCurrency.str(), amount); }

std::string currencyNameFor(std::string name, int64_t amount) {
  if (std::llabs(amount) == 1 && name.size() > 1 && name.back() == 's') name.pop_back();
  return name;
}

std::string moneyAmountText(int64_t amount) { return std::to_string(std::llabs(amount)) + " " + currencyNameFor(amount); }

std::string moneyGameResultText(int16_t winner, int64_t amount) {
  if (spokenToThePerson()) return youWonOrLost(winner == 0, amount);
  return wonAndLost(winner, amount);
}

std::string moneySessionResultText(int64_t balance) {
  if (spokenToThePerson()) return youWonOrLost(balance >= 1, balance);
  if (balance == 0) return shell.playerNames[0].str() + " and " + shell.playerNames[1].str() + " are even.";
  return wonAndLost(balance > 0 ? 0 : 1, balance);
}

}  // namespace bg
