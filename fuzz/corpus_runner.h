#pragma once
// Runs a fuzz target over its seed corpus and a fixed number of seeded mutations of it,
// so every build exercises the targets in seconds without libFuzzer.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace bg::fuzz {

using TargetEntry = int (*)(const std::uint8_t* data, std::size_t size);

struct RunFailure {
  std::size_t inputNumber;  // seeds first, in name order, then the mutations
  std::string input;
  std::string what;
};

// The seeds: every file in dir, in name order. Fails the run when there are none.
std::optional<RunFailure> runCorpus(TargetEntry target, const std::filesystem::path& dir,
                                    std::uint64_t seed, std::size_t mutations);

// The input as C escapes, to paste into a test.
std::string escaped(const std::string& input);

}  // namespace bg::fuzz
