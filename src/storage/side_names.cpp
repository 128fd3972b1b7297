#include "storage/side_names.h"

namespace bg {

namespace {

constexpr char kEscapeMark = '%';
constexpr std::string_view kEscaped = "%,\t\"\r\n";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr int kNoDigit = -1;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return kNoDigit;
}

}  // namespace

std::string nameOnLine(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (kEscaped.find(c) == std::string_view::npos) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += kEscapeMark;
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
  }
  return out;
}

std::string nameFromLine(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == kEscapeMark ? hexValue(text[i + 1]) : kNoDigit;
    const int low = high != kNoDigit ? hexValue(text[i + 2]) : kNoDigit;
    if (low == kNoDigit) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

}  // namespace bg
