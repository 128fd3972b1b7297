#include "state/app_constants.h"

#include "state/program_state.h"

namespace bg {

AppConstants appConstants;
BG_RESETS_WITH_PROGRAM(appConstants);
SkillNameTable skillNameTable;
BG_RESETS_WITH_PROGRAM(skillNameTable);

}  // namespace bg
