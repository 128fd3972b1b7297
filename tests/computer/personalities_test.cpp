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

TEST_F(SkillAndPersonalityTest, SkillFactorIsARealQuotient) {
  // Worked out in double, kept in single precision.
  EXPECT_EQ(skillFactorFor(1), static_cast<float>(1.4));
  EXPECT_EQ(skillFactorFor(2), static_cast<float>(1.3));
  EXPECT_EQ(skillFactorFor(3), static_cast<float>(1.2));
  EXPECT_EQ(skillFactorFor(4), static_cast<float>(1.1));
  EXPECT_EQ(skillFactorFor(5), 1.0f);
}

TEST_F(SkillAndPersonalityTest, SkillTablesFollowThePreferredLevel) {
  skill.skillLevel = 2;
  evalParams.skillDivisor = 0;
  initSkillTables();
  EXPECT_EQ(evalParams.skillDivisor, 10);
  EXPECT_EQ(skill.skillFactor, static_cast<float>(1.3));
  EXPECT_EQ(skill.skillErrorOdds[0], 0);
  EXPECT_EQ(skill.skillErrorOdds[1], 7);
  EXPECT_EQ(skill.skillErrorOdds[2], 4);
  EXPECT_EQ(skill.skillErrorOdds[3], 4);
  EXPECT_EQ(skill.skillErrorOdds[4], 3);
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
  // The default personality changes nothing.
  EXPECT_EQ(skill.personality, kDefaultPersonality);
  for (long c = 0; c <= 5; ++c) EXPECT_EQ(p[kDefaultPersonality][c], 1.0f);
  // Named columns read the right multipliers.
  EXPECT_EQ(p[1][kBlotScoreColumn], 1.25f);
  EXPECT_EQ(p[3][kBarScoreColumn], 1.2f);
  EXPECT_EQ(p[1][kStackingColumn], 0.75f);
  EXPECT_EQ(p[1][kDoublingThresholdColumn], 1.2f);
  EXPECT_EQ(p[3][kTakeThresholdColumn], 0.9f);
}

}  // namespace
}  // namespace bg
