#include "runtime/core/format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace bg {
namespace {

// The texts here never depend on the C locale: the Qt side sets it from the user's
// environment, which could turn the decimal point into a comma.

std::string exponentText(int exp) {
  std::string out(1, exp < 0 ? '-' : '+');
  const int a = std::abs(exp);
  if (a < 10) out += '0';
  out += std::to_string(a);
  return out;
}

// STR$ of a floating value with the given number of significant digits.
std::string floatText(double value, int digits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  if (value == 0) return " 0";  // also -0
  const std::string sign = value < 0 ? "-" : " ";
  std::array<char, 64> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                 std::chars_format::scientific, digits - 1);
  const std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  const std::size_t e = sci.find('e');
  std::string d;  // the significant digits, rounded to `digits`
  for (char c : sci.substr(0, e))
    if (c != '.') d += c;
  int exp = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp);
  while (d.size() > 1 && d.back() == '0') d.pop_back();

  std::string body;
  if (exp >= digits || exp < -5) {
    body = d.substr(0, 1);
    if (d.size() > 1) body.append(".").append(d, 1);
    body.append("E").append(exponentText(exp));
  } else if (exp >= 0) {
    const auto intLen = static_cast<std::size_t>(exp) + 1;
    if (d.size() <= intLen) {
      body = d + std::string(intLen - d.size(), '0');
    } else {
      body = d.substr(0, intLen) + "." + d.substr(intLen);
    }
  } else {
    body = "0." + std::string(static_cast<std::size_t>(-exp - 1), '0') + d;
  }
  return sign + body;
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

double readInBase(std::string_view text, std::size_t i, int base) {
  double v = 0;
  for (; i < text.size() && digitValue(text[i]) < base; ++i) v = v * base + digitValue(text[i]);
  return v;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one unit in the last place of a string of decimal digits; returns the carry.
bool incrementDigits(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return false;
    }
    digits[k] = '0';
  }
  return true;
}

double modLowBits(double value, double modulus) {
  if (!std::isfinite(value)) return 0;
  double m = std::fmod(std::trunc(value), modulus);
  if (m < 0) m += modulus;
  return m;
}

}  // namespace

std::string strS(std::int64_t value) {
  std::string text = value >= 0 ? " " : "";
  return text.append(std::to_string(value));
}

std::string strS(float value) { return floatText(value, 7); }
std::string strS(double value) { return floatText(value, 15); }

std::string intText(std::int64_t value) { return strS(value); }

double val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  double v = 0;
  const auto prefixIs = [&](char a, char b) {
    return i + 1 < text.size() && text[i] == a && (text[i + 1] == b || text[i + 1] == b + 32);
  };
  if (prefixIs('&', 'H') || prefixIs('0', 'X')) {
    v = readInBase(text, i + 2, 16);
  } else if (prefixIs('&', 'O')) {
    v = readInBase(text, i + 2, 8);
  } else if (prefixIs('&', 'X')) {
    v = readInBase(text, i + 2, 2);
  } else {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    bool anyDigit = i > start;
    if (i < text.size() && text[i] == '.') {
      const std::size_t f = ++i;
      while (i < text.size() && isDigit(text[i])) ++i;
      anyDigit = anyDigit || i > f;
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
      std::size_t k = i + 1;
      if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
      if (k < text.size() && isDigit(text[k])) {
        i = k;
        while (i < text.size() && isDigit(text[i])) ++i;
      }
    }
    const auto res = std::from_chars(text.data() + start, text.data() + i, v);
    if (res.ec == std::errc::result_out_of_range) {
      // from_chars leaves v alone then; tell a huge number from a tiny one.
      const std::size_t e = text.substr(start, i - start).find_first_of("eE");
      v = (e != std::string_view::npos && text[start + e + 1] == '-') ? 0.0 : HUGE_VAL;
    }
  }
  return negative ? -v : v;
}

std::string usingS(std::string_view mask, double value) {
  std::size_t i = 0;
  char signChar = 0;
  if (!mask.empty() && (mask[0] == '+' || mask[0] == '-')) signChar = mask[i++];
  std::size_t intPositions = 0;
  std::size_t fracPositions = 0;
  bool hasPoint = false;
  for (; i < mask.size(); ++i) {
    if (mask[i] == '#') {
      ++(hasPoint ? fracPositions : intPositions);
    } else if (mask[i] == '.' && !hasPoint) {
      hasPoint = true;
    } else {
      break;
    }
  }
  const std::size_t width = i;
  const std::string_view literal = mask.substr(i);

  std::string body;
  bool negative = false;
  if (!std::isfinite(value)) {
    body = std::isnan(value) ? "NaN" : "Inf";
    negative = value < 0;
  } else {
    // Round the shortest decimal text of the value, so 2.675 rounds as it reads.
    std::array<char, 1100> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::fixed);
    const std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const std::size_t dot = text.find('.');
    std::string intDigits(text.substr(0, dot));
    std::string frac = dot == std::string_view::npos ? std::string() : std::string(text.substr(dot + 1));
    const bool roundUp = frac.size() > fracPositions && frac[fracPositions] >= '5';
    frac.resize(fracPositions, '0');
    if (roundUp && incrementDigits(frac) && incrementDigits(intDigits)) intDigits.insert(intDigits.begin(), '1');
    const std::size_t nz = intDigits.find_first_not_of('0');
    intDigits.erase(0, nz);  // all of it when there is no other digit
    negative = value < 0 && (!intDigits.empty() || frac.find_first_not_of('0') != std::string::npos);
    if (intDigits.empty() && (intPositions > 0 || fracPositions == 0)) intDigits.assign(1, '0');
    body = intDigits;
    if (hasPoint) body.append(".").append(frac);
  }

  std::string sign;
  if (signChar == '+') {
    sign.assign(1, negative ? '-' : '+');
  } else if (signChar == '-') {
    sign.assign(1, negative ? '-' : ' ');
  } else if (negative) {
    sign = "-";
  }
  std::string out = sign + body;
  if (out.size() < width) out.insert(0, width - out.size(), ' ');
  out += literal;
  return out;
}

std::int16_t int16Of(double value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(modLowBits(value, 65536.0)));
}

std::int32_t int32Of(double value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(modLowBits(value, 4294967296.0)));
}

std::uint8_t byteOf(double value) {
  return static_cast<std::uint8_t>(modLowBits(value, 256.0));
}

}  // namespace bg
