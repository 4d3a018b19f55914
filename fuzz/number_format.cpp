// The display patterns and the rounded-down factor, for any double, with every separator set.
// The first byte says how the rest becomes a double: its raw bits, or a whole number divided by a
// power of two, which reaches the exact halves where rounding is decided.
// Properties: what is not finite gives exactly the placeholder; every other text has the shape
// of its pattern; German text reads back through ParseNumber to within half its last digit.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "common/KavelModules.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

double ValueOf(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::int64_t bits = 0;
  std::memcpy(&bits, data + 1, std::min(size - 1, sizeof bits));
  if (data[0] % 2 == 1) return std::ldexp(static_cast<double>(bits), -(data[0] / 2 % 64));
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double value = ValueOf(data, size);
  const bool finite = std::isfinite(value);
  using P = NumberPattern;
  for (const NumberSeparators& s : kRegions) {
    for (const P pattern : {P::Grouped2Decimals, P::Grouped, P::GroupedNoZero, P::TwoDigits}) {
      const std::string text = FormatNumber(value, pattern, s);
      FUZZ_CHECK(finite || text == kNoNumber);
      if (!finite) continue;
      const int decimals = pattern == P::Grouped2Decimals ? 2 : 0;
      if (pattern == P::TwoDigits) {
        const std::string_view digits = std::string_view(text).substr(text.starts_with('-'));
        FUZZ_CHECK(digits.size() >= 2 && Digits(digits) == digits.size());
      } else if (!(pattern == P::GroupedNoZero && text.empty())) {
        FUZZ_CHECK(IsGroupedNumber(text, s, decimals));
      }
      if (&s == &kRegions[0] && pattern != P::TwoDigits && !text.empty()) {
        const double unit = decimals == 2 ? 0.005 : 0.5;
        const double read = KavelModules::ParseNumber(text);
        FUZZ_CHECK(std::fabs(read - value) <= unit * (1 + 1e-9) + 1e-15 * std::fabs(value));
      }
    }
  }
  const std::string floored = FormatFloor(value);
  FUZZ_CHECK(finite || floored == kNoNumber);
  if (finite && std::fabs(value) < 0x1p52) {
    FUZZ_CHECK(KavelModules::ParseNumber(floored) == std::floor(value));
  }
  return 0;
}
