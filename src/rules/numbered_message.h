#pragma once
// A message from the table alone: the free text stays empty so the line shows the entry.
#include <cstdint>

namespace bg {

void showNumberedMessage(int16_t number);

}  // namespace bg
