#include "rules/position.h"

namespace bg {

Position position;

}  // namespace bg
