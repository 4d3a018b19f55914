// The display patterns and the rounded-down scale factor, for any double, with every separator
// set. The first byte says how the rest becomes a double: its raw bits, a C number text (hex
// floats, "inf" and "nan" included), or a whole number divided by a power of two, which reaches
// the exact halves where rounding is decided. Properties:
// - what is not finite gives exactly the placeholder;
// - a "-" exactly for a negative value that does not round to zero;
// - the shape of the pattern: a first group of one to three digits, then groups of exactly three,
//   each after one thousands separator; no superfluous leading zero; "#,##0.00" ends in the
//   decimal separator and exactly two digits; "00" is plain digits, at least two; "#,##" is empty
//   exactly for a value that rounds to 0;
// - the digits are those of the exact binary value rounded as the pattern says (exact halves away
//   from zero), worked out from its full decimal expansion;
// - German text reads back through ParseNumber as the correctly rounded value of those digits;
// - the rounded-down factor is the exact floor in plain digits.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

double ValueOf(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  ++data;
  --size;
  switch (mode % 3) {
    case 0: {
      std::uint64_t bits = 0;
      std::memcpy(&bits, data, std::min(size, sizeof bits));
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case 1:
      return ReadC(std::string(reinterpret_cast<const char*>(data), size));
    default: {
      std::int64_t whole = 0;
      std::memcpy(&whole, data, std::min(size, sizeof whole));
      return std::ldexp(static_cast<double>(whole), -(mode / 3 % 64));
    }
  }
}

// The German text of a rounded value as ParseNumber should read it, from the expected digits.
std::string GermanReadBack(double value, NumberPattern pattern) {
  const int decimals = pattern == NumberPattern::Grouped2Decimals ? 2 : 0;
  std::string digits = RoundedDigits(value, decimals);
  if (decimals > 0) {
    if (digits.size() <= 2) digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, ".");
  }
  return (value < 0 ? "-" : "") + digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double value = ValueOf(data, size);
  for (const auto pattern : {NumberPattern::Grouped2Decimals, NumberPattern::Grouped,
                             NumberPattern::GroupedNoZero, NumberPattern::TwoDigits}) {
    for (const Region& region : kRegions) {
      const std::string text = FormatNumber(value, pattern, region.separators);
      CheckFormatted(value, pattern, region.separators, text);
      if (std::isfinite(value) && &region == &kRegions[0]) {
        const double expected = ReadC(GermanReadBack(value, pattern));
        const double read = KavelModules::ParseNumber(text);
        FUZZ_CHECK(read == expected, std::string(PatternName(pattern)) + " of " + Show(value) +
                                         " gave " + Quote(text) + ", read back as " + Show(read) +
                                         " instead of " + Show(expected));
      }
    }
  }
  const std::string floored = FormatFloor(value);
  FUZZ_CHECK(floored == ExpectedFloor(value), "floor of " + Show(value) + " gave " +
                                                  Quote(floored) + " instead of " +
                                                  ExpectedFloor(value));
  return 0;
}
