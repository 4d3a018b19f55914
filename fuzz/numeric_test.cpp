// The regional numeric test on any text, under German, English, Swiss and French separators.
// Properties: blanks around a number keep it one; German-style reading keeps the sign typed of an
// accepted text; a text accepted under German separators reads as the C library reads it with
// "," as the point and "." dropped.

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
  for (const NumberSeparators& s : kRegions) {
    if (!IsNumeric(text, s)) continue;
    FUZZ_CHECK(IsNumeric(" \t" + text + "\t ", s));
    const size_t first = text.find_first_not_of(" \t");
    if (value != 0) FUZZ_CHECK(std::signbit(value) == (text[first] == '-'));
  }
  if (IsNumeric(text, kRegions[0])) {
    std::string c;
    for (const char ch : text) {
      if (ch != '.') c += ch == ',' ? '.' : ch;
    }
    FUZZ_CHECK(value == std::strtod(c.c_str(), nullptr));
  }
  return 0;
}
