#include "state/concession_state.h"

#include "state/program_state.h"

namespace bg {

ConcessionState concession;
BG_RESETS_WITH_PROGRAM(concession);

}  // namespace bg
