#include "state/flow_state.h"

#include "state/program_state.h"

namespace bg {

FlowState flow;
BG_RESETS_WITH_PROGRAM(flow);

}  // namespace bg
