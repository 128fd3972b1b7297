#include "runtime/core/random.h"

#include <chrono>
#include <random>

namespace bg {
namespace {
std::mt19937 gGenerator{5489u};
RandomHook gHook = nullptr;
}  // namespace

std::int32_t rnd(std::int32_t n) {
  if (gHook != nullptr) return gHook(n);
  if (n < 1) return 0;
  // Rejection keeps every value equally likely and, unlike the library's
  // distributions, gives the same sequence for a seed with every standard library.
  const auto range = static_cast<std::uint32_t>(n);
  const std::uint32_t limit = UINT32_MAX - UINT32_MAX % range;
  std::uint32_t x = 0;
  do {
    x = static_cast<std::uint32_t>(gGenerator());
  } while (x >= limit);
  return static_cast<std::int32_t>(x % range) + 1;
}

void seedRandomFromDevice() {
  try {
    std::random_device device;
    std::seed_seq seq{device(), device(), device(), device()};
    gGenerator.seed(seq);
  } catch (...) {
    // No random device on this system: the clock still gives a different game each run.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    gGenerator.seed(seq);
  }
}

void seedRandom(std::uint32_t seed) { gGenerator.seed(seed); }

RandomHook setRandomHook(RandomHook hook) {
  RandomHook old = gHook;
  gHook = hook;
  return old;
}

}  // namespace bg
