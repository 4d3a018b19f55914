// ParseNumber on any text. Properties:
// - the result is never NaN;
// - without a digit read (after the German-style rewrite) the result is 0;
// - with one, it is the correctly rounded value of what was read (strtod of the same digits), so
//   it is finite unless an exponent follows or the whole part has more than 308 digits, and its
//   sign is the sign typed;
// - a text that the numeric test accepts under German separators always has a digit read.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

using namespace orvanto;
using namespace orvanto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = KavelModules::ParseNumber(text);
  const GermanReading reading = ReadGerman(text);
  const auto where = [&] {
    return Quote(text) + " read as " + Show(value) + ", reference " + Quote(reading.number);
  };

  FUZZ_CHECK(!std::isnan(value), where());
  if (!reading.digit) {
    FUZZ_CHECK(value == 0, where());
  } else {
    FUZZ_CHECK(value == ReadC(reading.number), where() + " = " + Show(ReadC(reading.number)));
    if (!reading.exponent && reading.wholeDigits <= 308) FUZZ_CHECK(std::isfinite(value), where());
    if (value != 0) FUZZ_CHECK(std::signbit(value) == reading.negative, where());
  }
  if (IsNumeric(text, kRegions[0].separators)) FUZZ_CHECK(reading.digit, where());
  return 0;
}
