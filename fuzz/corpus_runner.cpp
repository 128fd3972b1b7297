#include "corpus_runner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "fuzz_support.h"

namespace bg::fuzz {
namespace {

constexpr std::size_t kLongestInput = 4096;  // room for several lines over 255 bytes
constexpr std::size_t kMostEdits = 4;
constexpr std::size_t kLongestRun = 300;     // a repeated byte can make a line too long
// Bytes the readers treat specially, and the edges of UTF-8.
constexpr std::array<char, 22> kTelling = {'\r', '\n', '\t', ' ', ',', '"', '#', '.', '+', '-', 'e',
                                           '&', 'H', '0', '9', '\x80', '\xBF', '\xC3', '\xE2',
                                           '\xF0', '\xFF', '\x00'};

struct CheckFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void throwFailure(const char* what) { throw CheckFailed(what); }

std::vector<std::string> loadSeeds(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::vector<std::string> seeds;
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    seeds.push_back(s.str());
  }
  return seeds;
}

// One random edit; positions and lengths come from the generator's raw output, so a
// seed gives the same inputs with every standard library.
void edit(std::string& s, const std::vector<std::string>& seeds, std::mt19937_64& rng) {
  const auto below = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
  const std::size_t at = below(s.size() + 1);
  const char telling = kTelling[below(kTelling.size())];
  switch (below(7)) {
    case 0:
      if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << below(8)));
      break;
    case 1:
      if (at < s.size()) s[at] = telling;
      break;
    case 2:
      s.insert(at, 1, telling);
      break;
    case 3:
      s.erase(at, below(s.size() - at + 1));
      break;
    case 4:
      s.insert(at, below(kLongestRun) + 1, at < s.size() ? s[at] : telling);
      break;
    case 5:
      s.insert(at, s.substr(below(s.size() + 1), below(s.size() + 1)));
      break;
    default: {
      const std::string& other = seeds[below(seeds.size())];
      s.insert(at, other.substr(below(other.size() + 1)));
    }
  }
}

}  // namespace

std::optional<RunFailure> runCorpus(TargetEntry target, const std::filesystem::path& dir,
                                    std::uint64_t seed, std::size_t mutations) {
  const std::vector<std::string> seeds = loadSeeds(dir);
  if (seeds.empty()) return RunFailure{0, {}, "no seeds in " + dir.string()};
  std::mt19937_64 rng(seed);
  const FailureHandler old = setFailureHandler(throwFailure);
  std::optional<RunFailure> failure;
  std::string input;
  for (std::size_t k = 0; k < seeds.size() + mutations && !failure; ++k) {
    if (k < seeds.size()) {
      input = seeds[k];
    } else {
      input = seeds[rng() % seeds.size()];
      for (std::size_t e = rng() % kMostEdits + 1; e > 0; --e) edit(input, seeds, rng);
      if (input.size() > kLongestInput) input.resize(kLongestInput);
    }
    try {
      target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    } catch (const CheckFailed& e) {
      failure = RunFailure{k, input, e.what()};
    }
  }
  setFailureHandler(old);
  return failure;
}

std::string escaped(const std::string& input) {
  std::string out;
  for (const char c : input) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  }
  return out;
}

}  // namespace bg::fuzz
