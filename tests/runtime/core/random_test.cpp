#include "runtime/core/random.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace bg {
namespace {

TEST(Rnd, StaysWithinOneToNAndReachesBothEnds) {
  seedRandom(1);
  for (std::int32_t n : {1, 2, 6, 30, 25}) {
    std::vector<int> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 0; k < 4000; ++k) {
      const std::int32_t r = rnd(n);
      ASSERT_GE(r, 1);
      ASSERT_LE(r, n);
      ++seen[static_cast<std::size_t>(r)];
    }
    for (std::int32_t v = 1; v <= n; ++v) EXPECT_GT(seen[static_cast<std::size_t>(v)], 0) << "n " << n << " v " << v;
  }
}

TEST(Rnd, IsRoughlyUniform) {
  seedRandom(7);
  std::array<int, 7> count{};
  const int draws = 60000;
  for (int k = 0; k < draws; ++k) ++count[static_cast<std::size_t>(rnd(6))];
  for (int v = 1; v <= 6; ++v) {
    EXPECT_GT(count[static_cast<std::size_t>(v)], draws / 6 - 600);
    EXPECT_LT(count[static_cast<std::size_t>(v)], draws / 6 + 600);
  }
}

TEST(Rnd, NothingToDrawFromGivesZero) {
  EXPECT_EQ(rnd(0), 0);
  EXPECT_EQ(rnd(-3), 0);
}

TEST(Rnd, AFixedSeedRepeatsItsSequence) {
  seedRandom(42);
  std::vector<std::int32_t> first;
  for (int k = 0; k < 50; ++k) first.push_back(rnd(6));
  seedRandom(42);
  for (int k = 0; k < 50; ++k) EXPECT_EQ(rnd(6), first[static_cast<std::size_t>(k)]);
  seedRandom(43);
  std::vector<std::int32_t> other;
  for (int k = 0; k < 50; ++k) other.push_back(rnd(6));
  EXPECT_NE(first, other);
}

TEST(Rnd, DeviceSeedsDiffer) {
  std::vector<std::int32_t> a;
  std::vector<std::int32_t> b;
  seedRandomFromDevice();
  for (int k = 0; k < 40; ++k) a.push_back(rnd(1000000));
  seedRandomFromDevice();
  for (int k = 0; k < 40; ++k) b.push_back(rnd(1000000));
  EXPECT_NE(a, b);
}

TEST(Rnd, AHookReplacesTheGeneratorUntilRemoved) {
  static int calls = 0;
  calls = 0;
  const RandomHook old = setRandomHook([](std::int32_t n) -> std::int32_t {
    ++calls;
    return n;  // always the highest
  });
  EXPECT_EQ(old, nullptr);
  EXPECT_EQ(rnd(30), 30);
  EXPECT_EQ(rnd(6), 6);
  EXPECT_EQ(calls, 2);
  setRandomHook(nullptr);
  seedRandom(3);
  bool sawOther = false;
  for (int k = 0; k < 20; ++k) sawOther = sawOther || rnd(30) != 30;
  EXPECT_TRUE(sawOther);
}

}  // namespace
}  // namespace bg
