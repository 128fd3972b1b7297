#pragma once
// Skill level, the computer's error odds and the personalities: rows of multipliers that
// shift the computer's style of play and of cube handling.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kLowestSkillLevel = 1;
inline constexpr int16_t kHighestSkillLevel = 5;
inline constexpr int16_t kDefaultPersonality = 2;  // every multiplier 1

// Columns of a personality row.
inline constexpr int16_t kBlotScoreColumn = 0;
inline constexpr int16_t kBarScoreColumn = 1;
inline constexpr int16_t kStackingColumn = 2;
inline constexpr int16_t kDoublingThresholdColumn = 4;
inline constexpr int16_t kTakeThresholdColumn = 5;

struct SkillSettings {
  int16_t skillLevel = kHighestSkillLevel;  // 1..5
  float skillFactor = 1.0f;                 // 1 + (5 - skillLevel) / skillDivisor
  // At level L the computer takes its second-best play when RND(10) < skillErrorOdds[L].
  CheckedArray<int16_t, 4> skillErrorOdds;
  int16_t personality = kDefaultPersonality;  // 1..3, the row of personalityFactors used
  // Rows 1..3, columns 0..5; row 0 stays zero and is never selected.
  CheckedArray<CheckedArray<float, 5>, 3> personalityFactors;
};

extern SkillSettings skill;

// 1 + (5 - level) / skillDivisor, worked out in double and kept as single precision:
// 1.4, 1.3, 1.2, 1.1, 1.0 for levels 1 to 5.
float skillFactorFor(int16_t level);

// Sets skillDivisor, skillFactor for the current skillLevel, and the error odds.
void initSkillTables();

// Fills rows 1 to 3 of personalityFactors.
void initPersonalityData();

}  // namespace bg
