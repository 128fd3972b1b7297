#pragma once
// The numbered message tables. The message line shows entry messageNumber (0 to 240;
// 999 means none) of messageTable; speech consults messageTable2, which has the same
// shape. Each entry holds a two-character prefix before its words, as free texts do.
//
// The texts come from a resource file of lines "N<TAB>words" (N the message number);
// lines starting with "#" and empty lines are skipped. The Qt side reads the file and
// hands its text to the loaders here.
#include <cstdint>
#include <source_location>
#include <string_view>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr std::int16_t kHighestMessage = 240;
inline constexpr std::int16_t kNoMessage = 999;  // the message number that means no message
// Put before the words of every non-empty entry: the message line drops the first two
// characters of an entry shown alone, and an entry appended to other text keeps them,
// where two blanks read as a gap.
inline constexpr std::string_view kMessagePrefix = "  ";

using MessageList = CheckedArray<Str255, kHighestMessage>;

struct MessageTables {
  MessageList messageTable;
  MessageList messageTable2;
};
extern MessageTables messageTables;

// Fills a table from the resource text: every entry is emptied first, then each line
// "N<TAB>words" with N from 0 to 239 sets entry N to the prefix and the words (words
// are kept byte for byte, blanks at their end included). Entry 240 always stays empty.
// Lines that do not fit the form are skipped. Returns the number of entries set.
std::int16_t parseMessageText(std::string_view fileText, MessageList& table);
std::int16_t loadMessageTable(std::string_view fileText);
std::int16_t loadSecondMessageTable(std::string_view fileText);

// The entry of messageTable with its prefix; empty for 999 (no message). Any other
// number outside 0 to 240 stops the program as an array bounds error naming the caller.
Str255 messageTextOf(std::int16_t n,
                     const std::source_location& where = std::source_location::current());
// The same without the prefix: the words as the message line shows them.
Str255 messageWordsOf(std::int16_t n,
                      const std::source_location& where = std::source_location::current());
// A text (a name, a name and a comma) and then the entry's words, one blank between them.
Str255 messageAfterText(std::string_view text, std::int16_t n,
                        const std::source_location& where = std::source_location::current());

}  // namespace bg
