#pragma once
// RND: whole random numbers from 1 to n out of one program-wide generator.
#include <cstdint>

namespace bg {

// A number from 1 to n, each equally likely; 0 when n is below 1.
std::int32_t rnd(std::int32_t n);

// Seeds the generator from the system's random device (start-up and the reseeds).
void seedRandomFromDevice();
// Seeds the generator with a fixed value, so a test sees the same sequence every run.
void seedRandom(std::uint32_t seed);

// A replacement for rnd, for tests that need chosen numbers; nullptr restores the
// generator. Returns the previous replacement.
using RandomHook = std::int32_t (*)(std::int32_t n);
RandomHook setRandomHook(RandomHook hook);

}  // namespace bg
