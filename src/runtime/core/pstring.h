#pragma once
// Length-limited strings. A PString<N> holds at most N bytes of UTF-8 text; anything
// longer is cut at the limit without error, never inside a character. Str255 is the
// ordinary string; a field declared as 41 characters holds 40 (Str40).
#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace bg {

// The longest prefix of text that fits in limit bytes and does not end inside a
// character: at most three bytes short of the limit. Bytes that form no character
// (invalid UTF-8) count one by one, so such text is cut at the limit itself.
std::size_t utf8FitLength(std::string_view text, std::size_t limit);

// The text on one line: each line end (CR LF, CR or LF) becomes one blank. A name or a
// value of a line-by-line file never carries a line end.
std::string oneLine(std::string_view text);
bool hasLineEnd(std::string_view text);

template <std::size_t N>
class PString {
  static_assert(N >= 1 && N <= 65535, "a string holds 1 to 65535 bytes");
  using Length = std::conditional_t<(N <= 255), std::uint8_t, std::uint16_t>;

 public:
  static constexpr std::size_t kCapacity = N;

  PString() = default;
  PString(std::string_view text) { assign(text); }  // NOLINT: implicit like a literal
  PString(const char* text) { assign(text ? std::string_view(text) : std::string_view()); }  // NOLINT
  template <std::size_t M>
  PString(const PString<M>& other) { assign(other.view()); }  // NOLINT

  void assign(std::string_view text) {
    len_ = static_cast<Length>(utf8FitLength(text, N));
    std::copy_n(text.data(), len_, bytes_);
  }

  std::string_view view() const { return {bytes_, len_}; }
  std::string str() const { return std::string(view()); }
  operator std::string_view() const { return view(); }  // NOLINT

  std::size_t len() const { return len_; }
  bool empty() const { return len_ == 0; }
  void clear() { len_ = 0; }

  // Appends as much as fits; the rest is dropped without error.
  PString& operator+=(std::string_view more) {
    const std::size_t take = utf8FitLength(more, N - len_);
    std::copy_n(more.data(), take, bytes_ + len_);
    len_ = static_cast<Length>(len_ + take);
    return *this;
  }
  template <std::size_t M>
  PString& operator+=(const PString<M>& more) { return *this += more.view(); }

  friend PString operator+(PString a, std::string_view b) { return a += b; }
  template <std::size_t M>
  friend PString operator+(PString a, const PString<M>& b) { return a += b.view(); }

  friend bool operator==(const PString& a, std::string_view b) { return a.view() == b; }
  friend std::strong_ordering operator<=>(const PString& a, std::string_view b) {
    return a.view().compare(b) <=> 0;
  }
  template <std::size_t M>
  bool operator==(const PString<M>& b) const { return view() == b.view(); }

 private:
  Length len_ = 0;
  char bytes_[N]{};
};

using Str255 = PString<255>;
// A file's whole path: as long as the system allows one to be.
inline constexpr std::size_t kLongestPath = 4095;
using StrPath = PString<kLongestPath>;
using Str100 = PString<100>;  // declared as 101 characters
using Str63 = PString<63>;
using Str40 = PString<40>;    // declared as 41 characters
using Str31 = PString<31>;
using Str14 = PString<14>;    // factor names, declared as 15 characters

// BASIC-style helpers over byte positions (1-based where BASIC counts from 1).
std::string leftS(std::string_view s, long n);
std::string rightS(std::string_view s, long n);
std::string midS(std::string_view s, long start, long n = 255);
// Position (1-based) of needle in haystack at or after start, 0 when absent.
long instr(long start, std::string_view haystack, std::string_view needle);
std::string upperS(std::string_view s);
std::string lowerS(std::string_view s);

}  // namespace bg
