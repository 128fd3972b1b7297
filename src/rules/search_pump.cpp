#include "rules/search_pump.h"

namespace bg {

void pumpDuringSearch() {}

}  // namespace bg
