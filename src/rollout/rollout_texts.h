#pragma once
// The number texts of the rollout's results: shares, equities and the time left.
#include <cstdint>
#include <string>

namespace bg {

// points / (both sides' points) x 100; 0 when no points were won yet.
double pointsShare(int32_t points, int32_t otherPoints);
// (points of player 0 - points of player 1) / games; 0 before the first game.
double equityOf(int32_t points0, int32_t points1, int32_t games);

// The time the remaining games take at the pace so far, as "H:MM:SS": a one-digit hour
// count keeps the blank of its two-place mask, no hours give a single "0". A count at
// or past the wanted one leaves no time.
std::string timeLeftText(uint64_t elapsedUs, int32_t gamesCounted, int32_t gamesWanted);

}  // namespace bg
