#pragma once
// The rollout window's Print button prints the report through the printing routines,
// which install themselves here.
namespace bg {

namespace least {
void printRolloutResults();
}  // namespace least

struct RolloutPrintServices {
  void (*printRolloutResults)() = least::printRolloutResults;
};
extern RolloutPrintServices rolloutPrintServices;

namespace hook {
inline void printRolloutResults() { rolloutPrintServices.printRolloutResults(); }
}  // namespace hook

}  // namespace bg
