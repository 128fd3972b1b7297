#pragma once
// The program's constants and the skill levels' names: filled once at start-up, read by
// the shell, the saved files and the printouts.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

struct AppConstants {
  Str255 programName;
  Str255 versionText;
  Str31 buildText;
  uint8_t betaMarker = 0;  // nonzero: the version line ends in "-beta"
};
extern AppConstants appConstants;

// [1] to [5] the skill menu's items, [6] the strongest level's name.
inline constexpr long kSkillNameHighest = 6;
struct SkillNameTable {
  CheckedArray<Str255, kSkillNameHighest> skillNames;
};
extern SkillNameTable skillNameTable;

}  // namespace bg
