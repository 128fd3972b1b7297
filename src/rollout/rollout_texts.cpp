#include "rollout/rollout_texts.h"

#include "runtime/core/format.h"

namespace bg {

namespace {
constexpr uint64_t kMicrosecondsPerSecond = 1000000;
constexpr uint64_t kSecondsPerHour = 3600;
constexpr uint64_t kSecondsPerMinute = 60;
constexpr uint64_t kFirstTwoDigitCount = 10;

// "##" of a minute or second count, the blank of a one-digit count made "0".
std::string twoDigits(uint64_t value) {
  std::string text = usingS("##", static_cast<double>(value));
  if (value < kFirstTwoDigitCount) text[0] = '0';
  return text;
}
}  // namespace

double pointsShare(int32_t points, int32_t otherPoints) {
  const double total = static_cast<double>(points) + otherPoints;
  return total == 0 ? 0.0 : points / total * 100;
}

double equityOf(int32_t points0, int32_t points1, int32_t games) {
  return games == 0 ? 0.0 : (static_cast<double>(points0) - points1) / games;
}

std::string timeLeftText(uint64_t elapsedUs, int32_t gamesCounted, int32_t gamesWanted) {
  uint64_t secs = 0;
  if (gamesCounted > 0 && gamesWanted > gamesCounted) {
    const uint64_t perGame = elapsedUs / static_cast<uint64_t>(gamesCounted);
    secs = perGame * static_cast<uint64_t>(gamesWanted - gamesCounted) / kMicrosecondsPerSecond;
  }
  const uint64_t hours = secs / kSecondsPerHour;
  const uint64_t minutes = secs % kSecondsPerHour / kSecondsPerMinute;
  const std::string hourText = hours == 0 ? std::string("0") : usingS("##", static_cast<double>(hours));
  return hourText + ":" + twoDigits(minutes) + ":" + twoDigits(secs % kSecondsPerMinute);
}

}  // namespace bg
