#include "runtime/core/pstring.h"

namespace bg {

std::size_t utf8FitLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t n = limit;
  // Step back over continuation bytes (10xxxxxx) so the cut lands on a lead byte.
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
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
