#pragma once

// What the fuzz targets share: the regional separator sets they try, a check that stops the run
// with the input saved, and the shape every number the program writes must have.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/NumberText.h"

namespace orvanto::fuzz {

// German, English, Swiss and French (narrow no-break space, three bytes in UTF-8).
inline const NumberSeparators kRegions[] = {{",", "."}, {".", ","}, {".", "'"}, {",", "\u202F"}};

// libFuzzer reports the abort as a crash and keeps the input.
#define FUZZ_CHECK(condition)                                                                    \
  do {                                                                                           \
    if (!(condition)) std::fprintf(stderr, "\nproperty broken: %s\n", #condition), std::abort(); \
  } while (false)

// How many digits `text` starts with.
inline size_t Digits(std::string_view text) {
  return std::min(text.find_first_not_of("0123456789"), text.size());
}

// An optional "-", a first group of one to three digits without a superfluous leading zero, then
// groups of three after each thousands separator, then `decimals` digits after the decimal one.
inline bool IsGroupedNumber(std::string_view text, const NumberSeparators& s, int decimals) {
  text.remove_prefix(text.starts_with('-'));
  const size_t group = Digits(text);
  if (group < 1 || group > 3 || (group > 1 && text[0] == '0')) return false;
  for (text.remove_prefix(group); text.starts_with(s.thousands); text.remove_prefix(3)) {
    text.remove_prefix(s.thousands.size());
    if (Digits(text) < 3) return false;
  }
  if (decimals == 0) return text.empty();
  if (!text.starts_with(s.decimal)) return false;
  text.remove_prefix(s.decimal.size());
  return text.size() == static_cast<size_t>(decimals) && Digits(text) == text.size();
}

}  // namespace orvanto::fuzz
