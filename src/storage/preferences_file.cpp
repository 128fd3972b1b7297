#include "storage/preferences_file.h"

namespace bg {

void loadPreferences() {}

bool savePreferences() { return false; }

}  // namespace bg
