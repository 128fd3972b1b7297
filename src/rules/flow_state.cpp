#include "rules/flow_state.h"

namespace bg {

FlowState flow;

}  // namespace bg
