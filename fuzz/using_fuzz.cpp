// USING over any mask and value (the first 8 bytes): the text stays in proportion to
// the mask, and a mask of digit positions alone reads back as the value rounded.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "runtime/core/format.h"

namespace {
constexpr std::size_t kLongestWholeNumber = 320;  // digits of the largest double, and a sign
constexpr double kReadBackError = 1e-15;          // relative, beyond the rounding
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  double value = 0;
  if (size < sizeof value) return 0;
  std::memcpy(&value, data, sizeof value);
  const std::string_view mask = fuzz::bytesOf(data + sizeof value, size - sizeof value);
  const std::string out = usingS(mask, value);
  fuzz::check(out.size() <= mask.size() + kLongestWholeNumber, "the text fits the mask");

  const std::size_t digitsFrom = !mask.empty() && (mask[0] == '+' || mask[0] == '-') ? 1 : 0;
  const std::size_t point = mask.find('.', digitsFrom);
  const bool digitsOnly = mask.find_first_not_of("#.", digitsFrom) == std::string_view::npos &&
                          (point == std::string_view::npos || mask.find('.', point + 1) == std::string_view::npos);
  if (!digitsOnly || !std::isfinite(value)) return 0;
  const double places = point == std::string_view::npos ? 0.0 : static_cast<double>(mask.size() - point - 1);
  const double halfUnit = 0.5 * std::pow(10.0, -places);
  fuzz::check(std::fabs(val(out) - value) <= halfUnit * (1 + kReadBackError) + std::fabs(value) * kReadBackError,
              "the text reads back as the value rounded");
  return 0;
}
