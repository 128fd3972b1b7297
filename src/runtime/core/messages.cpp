#include "runtime/core/messages.h"

namespace bg {

MessageTables messageTables;

std::int16_t parseMessageText(std::string_view fileText, MessageList& table) {
  table.fill(Str255());
  std::int16_t count = 0;
  while (!fileText.empty()) {
    std::size_t end = fileText.find_first_of("\r\n");
    std::string_view line = fileText.substr(0, end);
    if (end == std::string_view::npos) {
      fileText = {};
    } else {
      if (fileText[end] == '\r' && end + 1 < fileText.size() && fileText[end + 1] == '\n') ++end;
      fileText.remove_prefix(end + 1);
    }
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos || tab > 3) continue;
    int n = 0;
    bool digits = true;
    for (char c : line.substr(0, tab)) {
      digits = digits && c >= '0' && c <= '9';
      n = n * 10 + (c - '0');
    }
    if (!digits || n >= kHighestMessage) continue;
    const std::string_view words = line.substr(tab + 1);
    Str255 entry;
    if (!words.empty()) {
      entry = kMessagePrefix;
      entry += words;
    }
    table[n] = entry;  // a later line for the same number wins
  }
  for (const Str255& entry : table) count = static_cast<std::int16_t>(count + (entry.empty() ? 0 : 1));
  return count;
}

std::int16_t loadMessageTable(std::string_view fileText) {
  return parseMessageText(fileText, messageTables.messageTable);
}

std::int16_t loadSecondMessageTable(std::string_view fileText) {
  return parseMessageText(fileText, messageTables.messageTable2);
}

Str255 messageTextOf(std::int16_t n, const std::source_location& where) {
  if (n == kNoMessage) return {};
  return messageTables.messageTable[Idx(n, where)];
}

Str255 messageWordsOf(std::int16_t n, const std::source_location& where) {
  const Str255 entry = messageTextOf(n, where);
  return Str255(entry.view().substr(entry.len() < 2 ? entry.len() : 2));
}

Str255 messageAfterText(std::string_view text, std::int16_t n, const std::source_location& where) {
  return Str255(text) + " " + messageWordsOf(n, where);
}

}  // namespace bg
