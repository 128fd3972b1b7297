#pragma once
// The message line's two kinds of message: an entry of the table alone (the free text stays
// empty so the line shows the entry), or a free text alone.
#include <cstdint>
#include <string_view>

namespace bg {

void showNumberedMessage(int16_t number);
// The text as the line takes a free text ("MM" first).
void showMessageText(std::string_view text);

}  // namespace bg
