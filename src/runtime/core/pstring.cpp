#include "runtime/core/pstring.h"

namespace bg {

namespace {

constexpr std::size_t kLongestCharacter = 4;  // bytes in the longest UTF-8 character

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The bytes a character starting with lead claims; 1 for a byte that starts none.
std::size_t claimedLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

std::size_t utf8FitLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  if (!isContinuation(static_cast<unsigned char>(text[limit]))) return limit;
  // The cut is inside a character only when a lead byte at most three bytes back claims
  // the byte at the limit; stray continuation bytes (Latin-1 or damaged text) are no
  // character, so the cut stays at the limit and a reader always takes bytes.
  for (std::size_t back = 1; back < kLongestCharacter && back <= limit; ++back) {
    const auto c = static_cast<unsigned char>(text[limit - back]);
    if (isContinuation(c)) continue;
    return claimedLength(c) > back ? limit - back : limit;
  }
  return limit;
}

bool hasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string oneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return out;
}

std::string leftS(std::string_view s, long n) {
  if (n <= 0) return {};
  return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string rightS(std::string_view s, long n) {
  if (n <= 0) return {};
  const auto k = std::min(s.size(), static_cast<std::size_t>(n));
  return std::string(s.substr(s.size() - k));
}

std::string midS(std::string_view s, long start, long n) {
  if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > s.size()) return {};
  return std::string(s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

long instr(long start, std::string_view haystack, std::string_view needle) {
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > haystack.size() + 1 || needle.empty()) return 0;
  const auto at = haystack.find(needle, static_cast<std::size_t>(start - 1));
  return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

// Only the letters a to z change: the C library's case tables follow the user's locale,
// which could alter the bytes of a UTF-8 character.
std::string upperS(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string lowerS(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace bg
