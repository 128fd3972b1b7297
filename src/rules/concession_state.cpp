#include "rules/concession_state.h"

namespace bg {

ConcessionState concession;

}  // namespace bg
