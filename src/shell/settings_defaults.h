#pragma once
// The first-start state: the program's constants, the global defaults, every setting's
// default before the preferences are read, and the text and screen set-up.
#include <cstdint>

namespace bg {

void initAppConstants();
// The system's minor version number; 0 when it cannot be read.
int32_t osVersionParts();
void initGlobalDefaults();
void initSettingsDefaults();
void initTextAndSystem();

}  // namespace bg
