// Any text as a typed number, under German, English, Swiss and French separators. Properties:
// ParseNumber never gives NaN; blanks around a number keep it one; a number the numeric test
// accepts keeps its sign through ParseNumber and, under German separators, reads as the C library
// reads it with "," as the point and "." dropped. The value read, in every display pattern and
// region, is the placeholder exactly when not finite, otherwise a number of its pattern's shape
// that the numeric test accepts and that reads back German-style within half its last digit.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "common/KavelModules.h"

using namespace orvanto;
using namespace orvanto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = KavelModules::ParseNumber(text);
  FUZZ_CHECK(!std::isnan(value));
  for (const NumberSeparators& s : kRegions) {
    if (!IsNumeric(text, s)) continue;
    FUZZ_CHECK(IsNumeric(" \t" + text + "\t ", s));
    if (value != 0) FUZZ_CHECK(std::signbit(value) == (text[text.find_first_not_of(" \t")] == '-'));
  }
  if (IsNumeric(text, kRegions[0])) {
    std::string c;
    for (const char ch : text)
      if (ch != '.') c += ch == ',' ? '.' : ch;
    FUZZ_CHECK(value == std::strtod(c.c_str(), nullptr));
  }

  const bool finite = std::isfinite(value);
  using P = NumberPattern;
  for (const P pattern : {P::Grouped2Decimals, P::Grouped, P::GroupedNoZero, P::TwoDigits}) {
    const int decimals = pattern == P::Grouped2Decimals ? 2 : 0;
    for (const NumberSeparators& s : kRegions) {
      const std::string shown = FormatNumber(value, pattern, s);
      FUZZ_CHECK(finite || shown == kNoNumber);
      if (!finite || (pattern == P::GroupedNoZero && shown.empty())) continue;
      if (pattern == P::TwoDigits) {
        const std::string_view digits = std::string_view(shown).substr(shown.starts_with('-'));
        FUZZ_CHECK(digits.size() >= 2 && Digits(digits) == digits.size());
        continue;
      }
      FUZZ_CHECK(IsGroupedNumber(shown, s, decimals) && IsNumeric(shown, s));
      const double error = std::fabs(KavelModules::ParseNumber(shown) - value);
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
