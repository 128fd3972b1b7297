#pragma once
// Help texts kept as named strings among the application's resources.
#include <string_view>

#include "runtime/core/pstring.h"

namespace bg {

// The text of that name; empty when there is none.
Str255 loadHelpText(std::string_view name);

}  // namespace bg
