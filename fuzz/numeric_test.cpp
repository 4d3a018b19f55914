// The regional numeric test on any text, under German, English, Swiss and French separators.
// Properties, for each set:
// - it accepts exactly the regional number forms: blanks, an optional sign, digits with the
//   thousands separator between digits, an optional decimal separator with digits (a digit on
//   at least one side), an optional exponent, blanks; checked against a regular expression;
// - it never disagrees with ParseNumber on whether the text holds a digit: whatever the set, an
//   accepted text has a digit that ParseNumber reads, with the sign typed. The calculation reads
//   every accepted text German-style, so this is what keeps an accepted input from silently
//   counting as 0;
// - under German separators ParseNumber reads an accepted text as the same number as the regional
//   conversion; under the other sets it does so whenever the text holds no separator that the
//   set and German style read differently (ParseNumber reads German style by design, so
//   "1,234.5" under English separators is not 1234.5 to it).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

std::string Escaped(std::string_view token) {
  std::string escaped;
  for (const char c : token) {
    if (std::string_view("\\^$.|?*+()[]{}-/").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::regex NumberForm(const NumberSeparators& s) {
  const std::string t = Escaped(s.thousands), d = Escaped(s.decimal);
  return std::regex("[ \\t]*[+-]?(?:[0-9]+(?:" + t + "[0-9]+)*(?:" + d + "[0-9]*)?|" + d +
                    "[0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*");
}

// The number an accepted text stands for under the regional rules.
double RegionalValue(std::string_view text, const NumberSeparators& s) {
  std::string number;
  while (!text.empty()) {
    if (text.starts_with(s.thousands)) {
      text.remove_prefix(s.thousands.size());
    } else if (text.starts_with(s.decimal)) {
      number += '.';
      text.remove_prefix(s.decimal.size());
    } else {
      number += text.front();
      text.remove_prefix(1);
    }
  }
  return ReadC(number);
}

enum class Role { None, Decimal, Thousands };
Role RoleOf(std::string_view token, const NumberSeparators& s) {
  if (token == s.decimal) return Role::Decimal;
  if (token == s.thousands) return Role::Thousands;
  return Role::None;
}

// No separator in `text` means one thing under `s` and another to German-style reading.
bool ReadsAlike(std::string_view text, const NumberSeparators& s) {
  const NumberSeparators& german = kRegions[0].separators;
  for (const std::string_view token :
       {std::string_view(","), std::string_view("."), std::string_view(s.decimal),
        std::string_view(s.thousands)}) {
    if (text.find(token) != std::string_view::npos && RoleOf(token, s) != RoleOf(token, german)) {
      return false;
    }
  }
  return true;
}

bool TypedNegative(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  return first != std::string_view::npos && text[first] == '-';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::regex forms[] = {
      NumberForm(kRegions[0].separators), NumberForm(kRegions[1].separators),
      NumberForm(kRegions[2].separators), NumberForm(kRegions[3].separators)};
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = KavelModules::ParseNumber(text);
  const GermanReading reading = ReadGerman(text);

  for (size_t r = 0; r < std::size(kRegions); ++r) {
    const NumberSeparators& s = kRegions[r].separators;
    const bool accepted = IsNumeric(text, s);
    const auto where = [&] {
      return std::string(kRegions[r].name) + ": " + Quote(text) +
             (accepted ? " accepted" : " refused") + ", read as " + Show(value);
    };
    FUZZ_CHECK(accepted == std::regex_match(text, forms[r]), where());
    if (!accepted) continue;
    FUZZ_CHECK(reading.digit, where());
    if (value != 0) FUZZ_CHECK(std::signbit(value) == TypedNegative(text), where());
    if (ReadsAlike(text, s)) {
      const double regional = RegionalValue(text, s);
      FUZZ_CHECK(value == regional, where() + ", regionally " + Show(regional));
    }
  }
  return 0;
}
