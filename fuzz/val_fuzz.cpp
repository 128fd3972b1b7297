// VAL over any text: never NaN, blind to leading blanks and to what follows the number,
// and it reads back what STR$ writes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/core/format.h"

namespace {
// STR$ keeps 15 digits; beyond these magnitudes its text over- or underflows a double.
constexpr double kLargestRoundTrip = 1e300;
constexpr double kSmallestRoundTrip = 1e-300;
constexpr double kRoundTripError = 1e-14;  // relative
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  const std::string text(fuzz::bytesOf(data, size));
  const double v = val(text);
  fuzz::check(!std::isnan(v), "VAL never gives NaN");
  fuzz::check(val(" \t" + text) == v, "leading blanks and tabs are skipped");
  fuzz::check(val(text + "\x01") == v, "reading stops at a byte that fits no number");
  int16Of(v);
  int32Of(v);
  byteOf(v);
  const double a = std::fabs(v);
  if (a > kSmallestRoundTrip && a < kLargestRoundTrip)
    fuzz::check(std::fabs(val(strS(v)) - v) <= a * kRoundTripError, "VAL reads back STR$");
  return 0;
}
