#include "rules/settings.h"

namespace bg {

Settings settings;

}  // namespace bg
