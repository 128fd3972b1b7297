#include "computer/factors.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <set>
#include <string>

namespace bg {
namespace {

class FactorRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { initEvaluationFactors(); }
};

// FNV-1a over each name followed by the bit pattern of its default, in table order: any
// change of a name, a default or the order changes it.
uint64_t tableChecksum(const auto& table) {
  uint64_t h = 0xcbf29ce484222325ULL;
  auto mix = [&h](unsigned char b) {
    h ^= b;
    h *= 0x100000001b3ULL;
  };
  for (const FactorEntry& e : table) {
    for (char c : e.name) mix(static_cast<unsigned char>(c));
    const uint32_t bits = std::bit_cast<uint32_t>(e.defaultValue);
    for (int i = 0; i < 4; ++i) mix(static_cast<unsigned char>(bits >> (8 * i)));
  }
  return h;
}

TEST_F(FactorRegistryTest, TablesMatchTheirChecksums) {
  EXPECT_EQ(tableChecksum(kEvalFactorTable), 0x1a1a55d505b62442ULL);
  EXPECT_EQ(tableChecksum(kDoublingFactorTable), 0xf139a94a67bf8b6dULL);
  double evalSum = 0, dblSum = 0;
  for (const FactorEntry& e : kEvalFactorTable) evalSum += e.defaultValue;
  for (const FactorEntry& e : kDoublingFactorTable) dblSum += e.defaultValue;
  EXPECT_NEAR(evalSum, 212.843456, 1e-3);
  EXPECT_NEAR(dblSum, 2588.141009, 1e-2);
}

// Names, order and defaults are pinned by the checksums; here each slot of the registry
// must lead to the field the terms read.
TEST_F(FactorRegistryTest, EachEntryLeadsToTheVariableTheTermsRead) {
  const FactorRegistry& r = factorRegistry;
  EXPECT_EQ(r.factorCount, 154);
  for (long k : {0L, 155L, 160L}) {
    EXPECT_TRUE(r.factorNames[k].empty()) << k;
    EXPECT_EQ(r.factorPointers[k], nullptr) << k;
  }
  for (long k = 1; k <= kEvalFactorCount; ++k) {
    const FactorEntry& e = kEvalFactorTable[static_cast<std::size_t>(k - 1)];
    EXPECT_EQ(r.factorNames[k], e.name);
    EXPECT_EQ(r.factorPointers[k], &(factors.*e.field)) << e.name;
    EXPECT_EQ(*r.factorPointers[k], e.defaultValue) << e.name;
  }
  for (long n = 1; n <= kDoublingFactorCount; ++n) {
    EXPECT_EQ(r.dblFactorNames[n], "Dblfact" + std::to_string(n) + "!");
    const FactorEntry& e = kDoublingFactorTable[static_cast<std::size_t>(n - 1)];
    EXPECT_EQ(r.dblFactorPointers[n], &(factors.*e.field)) << n;
  }
  EXPECT_TRUE(r.dblFactorNames[0].empty());
  EXPECT_EQ(r.dblFactorPointers[0], nullptr);
  *r.factorPointers[1] = 42.0f;
  EXPECT_EQ(factors.ABFact1, 42.0f);
  *r.dblFactorPointers[32] = 7.0f;
  EXPECT_EQ(factors.Dblfact32, 7.0f);
}

TEST_F(FactorRegistryTest, NamesAreDistinctShortAndCaseSensitive) {
  std::set<std::string> names;
  std::set<const float*> fields;
  auto check = [&](const FactorEntry& e) {
    EXPECT_LE(e.name.size(), 15u) << e.name;
    EXPECT_EQ(e.name.back(), '!') << e.name;
    EXPECT_TRUE(names.insert(std::string(e.name)).second) << "duplicate " << e.name;
    EXPECT_TRUE(fields.insert(&(factors.*e.field)).second) << "shared field " << e.name;
  };
  for (const FactorEntry& e : kEvalFactorTable) check(e);
  for (const FactorEntry& e : kDoublingFactorTable) check(e);
  EXPECT_EQ(names.size(), 190u);
  EXPECT_EQ(fields.size(), 190u);  // every field of EvalFactors is registered once

  EXPECT_EQ(factorRegistry.factorNames[79], "DistribFactor3!");
  EXPECT_EQ(factorRegistry.factorNames[79].len(), 15u);

  EXPECT_EQ(findFactor("Btfact3!"), &factors.Btfact3);
  EXPECT_EQ(findFactor("btfact3!"), nullptr);
  EXPECT_EQ(findFactor("blFact6!"), &factors.blFact6);
  EXPECT_EQ(findFactor("BlFact6!"), nullptr);
  EXPECT_EQ(findFactor("Dblfact36!"), &factors.Dblfact36);
  EXPECT_EQ(findFactor("DblFact36!"), nullptr);
  EXPECT_EQ(findFactor("ABFact1"), nullptr);  // the "!" is part of the name
  EXPECT_EQ(findFactor(""), nullptr);
}

TEST_F(FactorRegistryTest, MarksFallOnTheirFactors) {
  const FactorRegistry& r = factorRegistry;
  std::set<std::string> marked1, marked2, marked3;
  for (long k = 0; k <= kFactorRegistryHighest; ++k) {
    const std::string name = r.factorNames[k].str();
    if (r.factorFlags[k] != 0) {
      EXPECT_EQ(r.factorFlags[k], 255);
      marked1.insert(name);
    }
    if (r.factorFlags2[k] != 0) {
      EXPECT_EQ(r.factorFlags2[k], -1);
      marked2.insert(name);
    }
    if (r.factorFlags3[k] != 0) {
      EXPECT_EQ(r.factorFlags3[k], 255);
      marked3.insert(name);
    }
  }
  EXPECT_EQ(marked1, (std::set<std::string>{
                         "BarFact4!", "BldFact4!", "blFact8!", "BlkFact2!", "BlkFact3!",
                         "Brfact10!", "Brfact11!", "Brfact12!", "BtFact1!", "Btfact3!",
                         "Btfact7!", "BtFact8!", "BtFact11!", "GFact!", "GFact2!",
                         "Hitfact2!", "OPFact6!"}));
  EXPECT_EQ(marked2,
            (std::set<std::string>{"blFact6!", "Brfact10!", "BtFact1!", "GFact!", "HFact!"}));
  EXPECT_EQ(marked3, (std::set<std::string>{"GpFact7!", "HBFact!", "LFact!", "OutFact3!"}));
}

TEST_F(FactorRegistryTest, WeightsAndParameters) {
  EXPECT_EQ(evalParams.blockScoreWeight, 0.78923f);
  EXPECT_EQ(evalParams.barScoreWeight, 1.51672f);
  EXPECT_EQ(evalParams.blotScoreWeight, 1.01f);
  EXPECT_EQ(evalParams.distribScoreWeight, 1.01f);
  EXPECT_EQ(evalParams.mainScoreWeight, 1.01f);
  EXPECT_EQ(evalParams.skillDivisor, 10);
  EXPECT_EQ(evalParams.bgTimingCountLimit, 4);
  EXPECT_EQ(evalParams.bgTimingCountLimit2, 30);
  EXPECT_EQ(evalParams.bgTimingMinimum, 24);
  EXPECT_EQ(evalParams.bgTimingMargin, 4);
  EXPECT_EQ(evalParams.oppHomeBlotPipLimit, -17);
  EXPECT_EQ(evalParams.backMenLeadLimit, 16);
  EXPECT_EQ(evalParams.raceLeadLimit, -16);
  EXPECT_EQ(evalParams.stackingDivisor, 40);
}

TEST_F(FactorRegistryTest, ASecondCallRestoresDefaultsAndRebuildsFromEmpty) {
  const FactorRegistry before = factorRegistry;
  factors.GapFact3 = 3.0f;
  factors.Dblfact36 = 0.0f;
  evalParams.mainScoreWeight = 2.0f;
  evalParams.stackingDivisor = 1;
  factorRegistry.factorFlags[160] = 255;
  initEvaluationFactors();
  EXPECT_EQ(factorRegistry.factorCount, 154);
  EXPECT_EQ(factors.GapFact3, -0.5f);
  EXPECT_EQ(factors.Dblfact36, 1.07f);
  EXPECT_EQ(evalParams.mainScoreWeight, 1.01f);
  EXPECT_EQ(evalParams.stackingDivisor, 40);
  EXPECT_EQ(factorRegistry.factorFlags[160], 0);
  EXPECT_TRUE(factorRegistry.factorNames == before.factorNames);
  EXPECT_TRUE(factorRegistry.factorPointers == before.factorPointers);
}

}  // namespace
}  // namespace bg
