#include "rollout/rollout_setup.h"

#include <cctype>
#include <cmath>
#include <string_view>

#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "runtime/core/format.h"
#include "runtime/qt/controls.h"
#include "state/rollout_state.h"

namespace bg {

namespace {

constexpr std::string_view kGamesProblem = "The number of games must be a whole number from 1 to 32767.";
constexpr std::string_view kMinMaxProblem = "MinMaxStart must be a whole number from 0 to 32767.";

std::string fieldText(int16_t id) { return controlText(kRolloutSetupWindow, id); }

// A plain decimal number with an optional sign and fraction, blanks around it allowed.
bool isNumberText(std::string_view text) {
  size_t i = 0;
  auto blank = [&](size_t k) { return k < text.size() && (text[k] == ' ' || text[k] == '\t'); };
  auto digit = [&](size_t k) { return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])) != 0; };
  while (blank(i)) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (digit(i)) ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i)) ++i, digits = true;
  }
  while (blank(i)) ++i;
  return digits && i == text.size();
}

// The whole part of a typed number when it lies in lowest..kMostRolloutGames.
bool countInRange(const std::string& text, double lowest) {
  if (!isNumberText(text)) return false;
  const double value = std::trunc(val(text));
  return value >= lowest && value <= kMostRolloutGames;
}

int16_t boxFlag(int16_t id) { return static_cast<int16_t>(-controlValue(kRolloutSetupWindow, id)); }

}  // namespace

void fillRolloutSetupDialog() {
  setControlText(kRolloutSetupWindow, kSetupGamesField, strS(rolloutSettings.gamesWanted));
  setControlText(kRolloutSetupWindow, kSetupMinMaxField, strS(rolloutSettings.minMaxStart));
  setControlText(kRolloutSetupWindow, kSetupDescriptionField, rolloutSettings.description.view());
  setControlValue(kRolloutSetupWindow, kSetupShowBoardBox, rollout.rolloutShowBoard != 0 ? 1 : 0);
  setControlValue(kRolloutSetupWindow, kSetupJacobyBox, rolloutSettings.rolloutJacobyRule != 0 ? 1 : 0);
  setControlValue(kRolloutSetupWindow, kSetupBackgammonsBox, rolloutSettings.rolloutBackgammonsAllowed != 0 ? 1 : 0);
}

std::string rolloutSetupProblem() {
  if (!countInRange(fieldText(kSetupGamesField), 1)) return std::string(kGamesProblem);
  if (!countInRange(fieldText(kSetupMinMaxField), 0)) return std::string(kMinMaxProblem);
  return {};
}

void readRolloutSetupDialog() {
  rolloutSettings.gamesWanted = int16Of(val(fieldText(kSetupGamesField)));
  rolloutSettings.minMaxStart = int16Of(val(fieldText(kSetupMinMaxField)));
  rolloutSettings.description = fieldText(kSetupDescriptionField).c_str();
  rollout.rolloutShowBoard = boxFlag(kSetupShowBoardBox);
  rolloutSettings.rolloutJacobyRule = boxFlag(kSetupJacobyBox);
  rolloutSettings.rolloutBackgammonsAllowed = boxFlag(kSetupBackgammonsBox);
}

}  // namespace bg
