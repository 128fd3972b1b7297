#include "computer/program_data.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>
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

TEST_F(ProgramDataTest, OpeningBookSamples) {
  EXPECT_EQ(book(0, 3, 1), std::make_pair(int16_t{8}, int16_t{6}));
  EXPECT_EQ(book(0, 6, 5), std::make_pair(int16_t{24}, int16_t{18}));
  EXPECT_EQ(book(1, 2, 1), std::make_pair(int16_t{13}, int16_t{24}));
  EXPECT_EQ(book(0, 1, 2), std::make_pair(int16_t{6}, int16_t{13}));
  EXPECT_EQ(book(0, 4, 4), std::make_pair(int16_t{13}, int16_t{9}));
  EXPECT_EQ(book(1, 2, 2), std::make_pair(int16_t{24}, int16_t{22}));
  EXPECT_EQ(book(1, 4, 6), std::make_pair(int16_t{18}, int16_t{24}));
  EXPECT_EQ(book(0, 6, 6), std::make_pair(int16_t{24}, int16_t{13}));
}

TEST_F(ProgramDataTest, VariantsDifferAtTheSplittingRollsOnly) {
  const std::set<int16_t> expected = {
      openingRollIndex(1, 2), openingRollIndex(1, 4), openingRollIndex(1, 5),
      openingRollIndex(2, 1), openingRollIndex(2, 2), openingRollIndex(3, 3),
      openingRollIndex(3, 4), openingRollIndex(4, 1), openingRollIndex(4, 3),
      openingRollIndex(4, 4), openingRollIndex(4, 5), openingRollIndex(4, 6),
      openingRollIndex(5, 1), openingRollIndex(5, 4), openingRollIndex(6, 4)};
  std::set<int16_t> differing;
  for (int16_t i = 0; i < 36; ++i)
    if (programTables.openingBook[0][0][i] != programTables.openingBook[1][0][i] ||
        programTables.openingBook[0][1][i] != programTables.openingBook[1][1][i])
      differing.insert(i);
  EXPECT_EQ(differing, expected);
}

TEST_F(ProgramDataTest, EveryBookCheckerStartsWhereTheMoverHasMen) {
  // A from-point either holds men at the start or is where the other half's checker
  // arrives (6-5: 24/18 18/13).
  const std::set<int16_t> startPoints = {24, 13, 8, 6};
  for (int16_t v = 0; v <= 1; ++v)
    for (int16_t d1 = 1; d1 <= 6; ++d1)
      for (int16_t d2 = 1; d2 <= 6; ++d2) {
        const int16_t i = openingRollIndex(d1, d2);
        const int16_t from[2] = {programTables.openingBook[v][0][i],
                                 programTables.openingBook[v][1][i]};
        const int16_t die[2] = {d1, d2};
        for (int h = 0; h <= 1; ++h) {
          const int16_t other = from[1 - h];
          const bool reached = other - die[1 - h] == from[h];
          EXPECT_TRUE(startPoints.count(from[h]) || reached)
              << "variant " << v << " roll " << d1 << "-" << d2 << " half " << h;
        }
      }
}

TEST_F(ProgramDataTest, PointWeightTables) {
  const int16_t made[25] = {0, 1, 2, 3, 6, 7, 8, 5, 3, 3, 3, 2, 2, 2,
                            2, 2, 2, 2, 5, 6, 5, 3, 1, 0, 0};
  const int16_t home[25] = {0, 0, 0, 1, 6, 7, 8, 5, 3, 1, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 3, 7, 8, 7, 9};
  for (int16_t p = 0; p <= 24; ++p) {
    EXPECT_EQ(programTables.madePointWeights[p], made[p]) << p;
    EXPECT_EQ(programTables.homePointWeights[p], home[p]) << p;
  }
}

TEST_F(ProgramDataTest, ShotWeightsAndPointZones) {
  for (int16_t q = 0; q <= 24; ++q) {
    EXPECT_EQ(programTables.shotWeights[0][q], 6) << q;
    const int16_t expected = q <= 3 ? 6 : q <= 7 ? 5 : q <= 11 ? 6 : q == 12 ? 5 : q <= 15 ? 6
                           : q <= 18 ? 5 : q <= 21 ? 0 : 4;
    EXPECT_EQ(programTables.shotWeights[1][q], expected) << q;
  }
  for (int16_t p = 0; p <= 25; ++p) {
    const int16_t zone = p <= 6 || p == 25 ? 0 : p <= 18 ? (p - 3) / 4 : 4;
    EXPECT_EQ(programTables.pointZones[p], zone) << p;
  }
}

TEST_F(ProgramDataTest, OpeningDicePairs) {
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
