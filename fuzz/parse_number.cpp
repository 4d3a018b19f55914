// ParseNumber on any text. Properties: the result is never NaN; a number it reads, written in the
// typed style ("#,##0.00" with "," and "."), is a number to the numeric test and reads back as
// itself to within the two decimals the pattern keeps.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "common/KavelModules.h"

using namespace orvanto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = KavelModules::ParseNumber(text);
  FUZZ_CHECK(!std::isnan(value));
  if (!std::isfinite(value) || std::fabs(value) > 1e15) return 0;  // beyond two exact decimals
  const std::string typed = FormatNumber(value, NumberPattern::Grouped2Decimals, kTypedSeparators);
  FUZZ_CHECK(IsNumeric(typed, kTypedSeparators));
  FUZZ_CHECK(std::fabs(KavelModules::ParseNumber(typed) - value) <=
             0.005 + 1e-15 * std::fabs(value));
  return 0;
}
