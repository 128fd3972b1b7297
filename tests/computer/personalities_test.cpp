#include "computer/personalities.h"

#include <gtest/gtest.h>

#include "computer/factors.h"

namespace bg {
namespace {

class SkillAndPersonalityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = skill;
    initEvaluationFactors();
  }
  void TearDown() override { skill = saved_; }
  SkillSettings saved_;
};

TEST_F(SkillAndPersonalityTest, SkillTablesFollowThePreferredLevel) {
  // The factor is a real quotient worked out in double, kept in single precision.
  for (int16_t level = 1; level <= 5; ++level)
    EXPECT_EQ(skillFactorFor(level), static_cast<float>(1.0 + (5 - level) / 10.0)) << level;
  skill.skillLevel = 2;
  evalParams.skillDivisor = 0;
  initSkillTables();
  EXPECT_EQ(evalParams.skillDivisor, 10);
  EXPECT_EQ(skill.skillFactor, static_cast<float>(1.3));
  const int16_t odds[5] = {0, 7, 4, 4, 3};
  for (long i = 0; i <= 4; ++i) EXPECT_EQ(skill.skillErrorOdds[i], odds[i]) << i;
}

TEST_F(SkillAndPersonalityTest, PersonalityRows) {
  skill.personalityFactors = {};
  initPersonalityData();
  const auto& p = skill.personalityFactors;
  const float rows[4][6] = {{0, 0, 0, 0, 0, 0},
                            {1.25f, 1, 0.75f, 1, 1.2f, 1},
                            {1, 1, 1, 1, 1, 1},
                            {0.85f, 1.2f, 1, 1, 0.9f, 0.9f}};
  for (long r = 0; r <= 3; ++r)
    for (long c = 0; c <= 5; ++c) EXPECT_EQ(p[r][c], rows[r][c]) << r << "," << c;
  // Named columns read the right multipliers.
  EXPECT_EQ(p[1][kBlotScoreColumn], 1.25f);
  EXPECT_EQ(p[3][kBarScoreColumn], 1.2f);
  EXPECT_EQ(p[1][kStackingColumn], 0.75f);
  EXPECT_EQ(p[1][kDoublingThresholdColumn], 1.2f);
  EXPECT_EQ(p[3][kTakeThresholdColumn], 0.9f);
}

}  // namespace
}  // namespace bg
