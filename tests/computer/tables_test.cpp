// One checksum per table the computer plays by: the program data list and the two factor
// tables (names, defaults and order).
#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "computer/factors.h"
#include "computer/program_data.h"
#include "state/program_state.h"

namespace bg {
namespace {

struct Fnv {
  uint64_t h = 0xcbf29ce484222325ULL;
  void mix(unsigned char b) { h = (h ^ b) * 0x100000001b3ULL; }
};

uint64_t factorChecksum(const auto& table) {
  Fnv f;
  for (const FactorEntry& e : table) {
    for (char c : e.name) f.mix(static_cast<unsigned char>(c));
    const uint32_t bits = std::bit_cast<uint32_t>(e.defaultValue);
    for (int i = 0; i < 4; ++i) f.mix(static_cast<unsigned char>(bits >> (8 * i)));
  }
  return f.h;
}

TEST(TablesTest, EachTableMatchesItsChecksum) {
  resetProgramState();
  Fnv data;
  for (int16_t item : kProgramDataList) {
    const auto u = static_cast<uint16_t>(item);
    data.mix(static_cast<unsigned char>(u & 0xFFu));
    data.mix(static_cast<unsigned char>(u >> 8));
  }
  EXPECT_EQ(data.h, 0x1b4c66612ac7544ULL);
  EXPECT_EQ(factorChecksum(kEvalFactorTable), 0x1a1a55d505b62442ULL);
  EXPECT_EQ(factorChecksum(kDoublingFactorTable), 0xf139a94a67bf8b6dULL);
}

TEST(TablesDeathTest, RunningOutOfProgramDataStopsTheProgram) {
  resetProgramState();
  const std::vector<int16_t> shortList(kProgramDataList.begin(), kProgramDataList.end() - 1);
  EXPECT_DEATH(readProgramData(shortList), "Out of data");
}

}  // namespace
}  // namespace bg
