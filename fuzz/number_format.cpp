// The display patterns and the rounded-down factor, for any double, with every separator set.
// The first byte says how the rest becomes a double: its raw bits, or a whole number divided by a
// power of two, which reaches the exact halves where rounding is decided.
// Properties: what is not finite gives exactly the placeholder; every other text has the shape
// of its pattern; German text reads back through ParseNumber to within half its last digit.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "common/KavelModules.h"

using namespace orvanto;
using namespace orvanto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::int64_t bits = 0;
  std::memcpy(&bits, data + 1, std::min(size - 1, sizeof bits));
  const double value = data[0] % 2 == 1 ? std::ldexp(static_cast<double>(bits), -(data[0] / 2 % 64))
                                        : std::bit_cast<double>(bits);
  const bool finite = std::isfinite(value);
  using P = NumberPattern;
  for (const P pattern : {P::Grouped2Decimals, P::Grouped, P::GroupedNoZero, P::TwoDigits}) {
    const int decimals = pattern == P::Grouped2Decimals ? 2 : 0;
    for (const NumberSeparators& s : kRegions) {
      const std::string text = FormatNumber(value, pattern, s);
      FUZZ_CHECK(finite || text == kNoNumber);
      if (!finite || (pattern == P::GroupedNoZero && text.empty())) continue;
      if (pattern == P::TwoDigits) {
        const std::string_view digits = std::string_view(text).substr(text.starts_with('-'));
        FUZZ_CHECK(digits.size() >= 2 && Digits(digits) == digits.size());
        continue;
      }
      FUZZ_CHECK(IsGroupedNumber(text, s, decimals));
      const double error = std::fabs(KavelModules::ParseNumber(text) - value);
      const double unit = decimals == 2 ? 0.005 : 0.5;
      FUZZ_CHECK(&s != &kRegions[0] || error <= unit * (1 + 1e-9) + 1e-15 * std::fabs(value));
    }
  }
  const std::string floored = FormatFloor(value);
  FUZZ_CHECK(finite || floored == kNoNumber);
  FUZZ_CHECK(!finite || std::fabs(value) >= 0x1p52 ||
             KavelModules::ParseNumber(floored) == std::floor(value));
  return 0;
}
