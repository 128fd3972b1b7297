#include "computer/program_data.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "computer/factors.h"
#include "computer/personalities.h"

namespace bg {
namespace {

class ProgramDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programTables = ProgramTables{};
    readProgramData();
  }
  static std::pair<int16_t, int16_t> book(int16_t variant, int16_t d1, int16_t d2) {
    const int16_t i = openingRollIndex(d1, d2);
    return {programTables.openingBook[variant][0][i], programTables.openingBook[variant][1][i]};
  }
};

TEST_F(ProgramDataTest, DataListMatchesItsChecksum) {
  uint64_t h = 0xcbf29ce484222325ULL;
  for (int16_t item : kProgramDataList) {
    const auto u = static_cast<uint16_t>(item);
    for (unsigned b : {u & 0xFFu, static_cast<unsigned>(u >> 8)}) {
      h ^= b;
      h *= 0x100000001b3ULL;
    }
  }
  EXPECT_EQ(h, 0x1b4c66612ac7544ULL);
  EXPECT_EQ(std::accumulate(kProgramDataList.begin(), kProgramDataList.end(), 0), 2481);
}

TEST_F(ProgramDataTest, ItemsGoToTheirTablesInOrder) {
  // Numbered items show where each one lands.
  std::vector<int16_t> items(kProgramDataItemCount);
  std::iota(items.begin(), items.end(), int16_t{0});
  readProgramData(items);
  const ProgramTables& t = programTables;
  for (int16_t v = 0; v <= 1; ++v)
    for (int16_t i = 0; i < 36; ++i)
      for (int16_t h = 0; h <= 1; ++h) EXPECT_EQ(t.openingBook[v][h][i], 72 * v + 2 * i + h);
  for (int16_t p = 1; p <= 24; ++p) {
    EXPECT_EQ(t.madePointWeights[p], 143 + p);
    EXPECT_EQ(t.homePointWeights[p], 167 + p);
  }
  EXPECT_EQ(t.madePointWeights[0], 0);
  EXPECT_EQ(t.homePointWeights[0], 0);
  for (int16_t r = 1; r <= 6; ++r) {
    EXPECT_EQ(t.openingDiceA[r], 191 + r);
    EXPECT_EQ(t.openingDiceB[r], 197 + r);
  }
  for (int16_t f = 0; f <= 1; ++f)
    for (int16_t q = 0; q <= 24; ++q) EXPECT_EQ(t.shotWeights[f][q], 204 + 25 * f + q);
  for (int16_t p = 0; p <= 25; ++p) EXPECT_EQ(t.pointZones[p], 254 + p);
}

TEST(ProgramDataDeathTest, RunningOutOfItemsStopsTheProgram) {
  const std::vector<int16_t> shortList(kProgramDataList.begin(), kProgramDataList.end() - 1);
  EXPECT_DEATH(readProgramData(shortList), "Out of data");
  EXPECT_DEATH(readProgramData(std::span<const int16_t>{}), "Out of data");
}

// The checksum pins the list and the numbered items where it lands; samples of each table
// tie the two to the figures the computer plays by.
TEST_F(ProgramDataTest, SamplesOfEveryTable) {
  using P = std::pair<int16_t, int16_t>;
  EXPECT_EQ(book(0, 3, 1), P(8, 6));
  EXPECT_EQ(book(0, 6, 5), P(24, 18));
  EXPECT_EQ(book(0, 1, 2), P(6, 13));
  EXPECT_EQ(book(0, 4, 4), P(13, 9));
  EXPECT_EQ(book(1, 2, 1), P(13, 24));
  EXPECT_EQ(book(1, 4, 6), P(18, 24));
  const struct {
    int16_t p, made, home;
  } weights[] = {{0, 0, 0}, {3, 3, 1}, {6, 8, 8}, {7, 5, 5}, {10, 3, 0}, {19, 6, 0}, {23, 0, 7}, {24, 0, 9}};
  for (const auto& w : weights) {
    EXPECT_EQ(programTables.madePointWeights[w.p], w.made) << w.p;
    EXPECT_EQ(programTables.homePointWeights[w.p], w.home) << w.p;
  }
  const struct {
    int16_t q, shot;
  } shots[] = {{0, 6}, {4, 5}, {11, 6}, {12, 5}, {15, 6}, {18, 5}, {21, 0}, {24, 4}};
  for (const auto& s : shots) {
    EXPECT_EQ(programTables.shotWeights[0][s.q], 6) << s.q;
    EXPECT_EQ(programTables.shotWeights[1][s.q], s.shot) << s.q;
  }
  const struct {
    int16_t p, zone;
  } zones[] = {{0, 0}, {6, 0}, {7, 1}, {11, 2}, {18, 3}, {19, 4}, {24, 4}, {25, 0}};
  for (const auto& z : zones) EXPECT_EQ(programTables.pointZones[z.p], z.zone) << z.p;
  const int16_t a[7] = {0, 3, 3, 6, 4, 6, 6};
  const int16_t b[7] = {0, 1, 1, 1, 2, 1, 5};
  for (int16_t r = 0; r <= 6; ++r) {
    EXPECT_EQ(programTables.openingDiceA[r], a[r]) << r;
    EXPECT_EQ(programTables.openingDiceB[r], b[r]) << r;
  }
}

TEST(ComputerStartUp, SetsEverythingWithThePreferredSkillLevel) {
  const SkillSettings saved = skill;
  skill = SkillSettings{};
  skill.skillLevel = 1;
  programTables = ProgramTables{};
  factorRegistry = FactorRegistry{};
  initComputerData();
  EXPECT_EQ(factorRegistry.factorCount, 154);
  EXPECT_EQ(skill.skillFactor, static_cast<float>(1.4));
  EXPECT_EQ(skill.skillErrorOdds[4], 3);
  EXPECT_EQ(skill.personalityFactors[1][0], 1.25f);
  EXPECT_EQ(programTables.pointZones[24], 4);
  EXPECT_EQ(programTables.openingBook[0][0][openingRollIndex(6, 5)], 24);
  skill = saved;
}

}  // namespace
}  // namespace bg
