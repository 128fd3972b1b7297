#include "computer/personalities.h"

#include "computer/factors.h"
#include "state/program_state.h"

namespace bg {

SkillSettings skill;
// The level and personality go back to their first values; the tables are filled again.
[[maybe_unused]] static const bool skillResetRegistered = registerStateReset([] {
  skill = SkillSettings{};
  initSkillTables();
  initPersonalityData();
});

float skillFactorFor(int16_t level) {
  // Real division: an integer quotient would make every level play like level 5.
  return static_cast<float>(1.0 + static_cast<double>(kHighestSkillLevel - level) /
                                      static_cast<double>(evalParams.skillDivisor));
}

void initSkillTables() {
  evalParams.skillDivisor = 10;
  skill.skillFactor = skillFactorFor(skill.skillLevel);
  skill.skillErrorOdds[1] = 7;
  skill.skillErrorOdds[2] = 4;
  skill.skillErrorOdds[3] = 4;
  skill.skillErrorOdds[4] = 3;
}

void initPersonalityData() {
  auto setRow = [](int16_t row, float blot, float bar, float stacking, float unused,
                   float doubling, float take) {
    CheckedArray<float, 5>& r = skill.personalityFactors[row];
    r[kBlotScoreColumn] = blot;
    r[kBarScoreColumn] = bar;
    r[kStackingColumn] = stacking;
    r[3] = unused;
    r[kDoublingThresholdColumn] = doubling;
    r[kTakeThresholdColumn] = take;
  };
  setRow(2, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
  setRow(3, 0.85f, 1.2f, 1.0f, 1.0f, 0.9f, 0.9f);
  setRow(1, 1.25f, 1.0f, 0.75f, 1.0f, 1.2f, 1.0f);
}

}  // namespace bg
