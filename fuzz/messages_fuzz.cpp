// The message-table loader over any text: entries are the prefix and bytes of the file,
// valid text stays valid, the count is the entries set and entry 240 stays empty.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "runtime/core/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  static MessageList table;  // 60 KB: kept off the stack
  const std::string_view text = fuzz::bytesOf(data, size);
  const bool validText = fuzz::isValidUtf8(text);
  const std::int16_t count = parseMessageText(text, table);
  std::int16_t set = 0;
  for (const Str255& entry : table) {
    if (entry.empty()) continue;
    ++set;
    fuzz::check(entry.view().starts_with(kMessagePrefix), "an entry starts with the prefix");
    fuzz::check(text.find(entry.view().substr(kMessagePrefix.size())) != std::string_view::npos,
                "an entry's words are bytes of the file");
    fuzz::check(!validText || fuzz::isValidUtf8(entry), "valid text is cut between characters");
  }
  fuzz::check(count == set, "the count is the entries set");
  fuzz::check(table[kHighestMessage].empty(), "entry 240 stays empty");
  return 0;
}
