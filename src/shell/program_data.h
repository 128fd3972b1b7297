#pragma once
// The program's data, set up once at start-up.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

// Seeds the random generator and fills the dice pool at once after it, loads the message
// tables, builds the evaluation factors, skill tables, data tables and personalities,
// and sets the values a fresh program starts with.
void initProgramData();
// Copies the texts of string list id into the help topic titles; the number of texts.
int16_t loadStringList(int16_t id);
// The text of string resource id; empty when missing.
Str255 loadStringResource(int16_t id);

}  // namespace bg
