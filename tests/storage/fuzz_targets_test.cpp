// Every fuzz target of this area over its seeds and seeded mutations: each input must
// return and keep the target's properties.
#include <gtest/gtest.h>

#include <cstdio>

#include "corpus_runner.h"

#define BG_FUZZ_TARGET(name) extern "C" int bgFuzz_##name(const std::uint8_t*, std::size_t);
#include "fuzz_targets.inc"
#undef BG_FUZZ_TARGET

namespace bg {
namespace {

struct Target {
  const char* name;
  fuzz::TargetEntry entry;
};
#define BG_FUZZ_TARGET(name) Target{#name, bgFuzz_##name},
constexpr Target kTargets[] = {
#include "fuzz_targets.inc"
};
#undef BG_FUZZ_TARGET
void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

constexpr std::uint64_t kMutationSeed = 20240611;
constexpr std::size_t kMutations = 3000;

class FuzzTargets : public testing::TestWithParam<Target> {};

TEST_P(FuzzTargets, EveryInputReturnsWithItsPropertiesKept) {
  const Target& t = GetParam();
  std::printf("fuzz %s: seeds and %zu mutations, seed %llu\n", t.name, kMutations,
              static_cast<unsigned long long>(kMutationSeed));
  const auto failure = fuzz::runCorpus(t.entry, std::string(BG_FUZZ_CORPUS_DIR "/") + t.name,
                                       kMutationSeed, kMutations);
  ASSERT_FALSE(failure) << failure->what << " (input " << failure->inputNumber << "): \""
                        << fuzz::escaped(failure->input) << '"';
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzTargets, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<Target>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace bg
