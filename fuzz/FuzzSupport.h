#pragma once

// What the fuzz targets share: the regional separator sets they try, a check that stops the run
// with the input saved, and references that work out the expected result on their own, without
// the code under test.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/NumberText.h"

namespace orvanto::fuzz {

struct Region {
  const char* name;
  NumberSeparators separators;
};

// German, English, Swiss and French (narrow no-break space, three bytes in UTF-8).
inline const Region kRegions[] = {
    {"German", {",", "."}},
    {"English", {".", ","}},
    {"Swiss", {".", "'"}},
    {"French", {",", "\u202F"}},
};

[[noreturn]] inline void Fail(const char* property, const std::string& detail) {
  std::fprintf(stderr, "\nproperty broken: %s\n  %s\n", property, detail.c_str());
  std::abort();  // libFuzzer reports it as a crash and keeps the input
}

// `detail` is built only when the property is broken.
#define FUZZ_CHECK(condition, detail)                                         \
  do {                                                                        \
    if (!(condition)) ::orvanto::fuzz::Fail(#condition, std::string(detail)); \
  } while (false)

// Makes bytes printable for a failure report.
inline std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      quoted += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      quoted += escaped;
    }
  }
  return quoted + "\"";
}

inline std::string Show(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline std::string_view StripLeadingZeros(std::string_view digits) {
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  return digits;
}

inline size_t DigitRun(std::string_view text, size_t from) {
  size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

// What a German-style reading takes from a text, worked out by rewriting it and scanning the
// result: "," is the decimal point, "." is dropped, blanks, tabs and line feeds count nowhere.
struct GermanReading {
  bool digit = false;      // a digit was read; without one the number is 0
  bool negative = false;   // a "-" before the digits
  bool exponent = false;   // an exponent with at least one digit follows the digits
  size_t wholeDigits = 0;  // digits before the decimal point, leading zeros not counted
  std::string number;      // what was read, in the C syntax that strtod takes
};

inline GermanReading ReadGerman(std::string_view text) {
  std::string s;
  for (const char c : text) {
    if (c == ',') {
      s += '.';
    } else if (c != '.' && c != ' ' && c != '\t' && c != '\n') {
      s += c;
    }
  }
  GermanReading reading;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) reading.negative = s[i++] == '-';
  const size_t whole = DigitRun(s, i);
  size_t zeros = 0;
  while (zeros < whole && s[i + zeros] == '0') ++zeros;
  reading.wholeDigits = whole - zeros;
  reading.number = (reading.negative ? "-" : "") + s.substr(i, whole);
  i += whole;
  size_t fraction = 0;
  if (i < s.size() && s[i] == '.') {
    fraction = DigitRun(s, i + 1);
    reading.number += s.substr(i, fraction + 1);
    i += fraction + 1;
  }
  reading.digit = whole + fraction > 0;
  if (!reading.digit) return reading;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    const bool sign = j < s.size() && (s[j] == '+' || s[j] == '-');
    if (sign) ++j;
    const size_t digits = DigitRun(s, j);
    if (digits > 0) {
      reading.exponent = true;
      reading.number += 'e' + s.substr(i + 1, digits + (sign ? 1 : 0));
    }
  }
  return reading;
}

// Correctly rounded, like ParseNumber: overflow gives an infinity and underflow a zero or a
// subnormal.
inline double ReadC(const std::string& number) { return std::strtod(number.c_str(), nullptr); }

// |value| × 10^decimals rounded to a whole number, exact halves away from zero, in decimal digits
// without leading zeros. glibc prints the exact binary value when given enough decimals (a
// binary fraction of k bits has k decimal digits), so the rounding is done on its exact decimal
// expansion.
inline std::string RoundedDigits(double value, int decimals) {
  // The patterns round the same value several times: keep the last answer for each rounding.
  static double lastValue[3] = {NAN, NAN, NAN};
  static std::string lastDigits[3];
  const auto slot = static_cast<size_t>(decimals);
  if (std::memcmp(&lastValue[slot], &value, sizeof value) == 0) return lastDigits[slot];

  int exponent = 0;
  std::frexp(value, &exponent);
  const int fractionBits = std::clamp(53 - exponent, 0, 1074);
  char exact[1500];  // 309 whole digits, the point and 1074 decimals at most
  std::snprintf(exact, sizeof exact, "%.*f", std::max(fractionBits, decimals + 1),
                std::fabs(value));
  const std::string_view text(exact);
  const size_t point = text.find('.');
  std::string digits(text.substr(0, point));
  digits += text.substr(point + 1, slot);
  if (text[point + 1 + slot] >= '5') {
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(0, 1, '1');
    } else {
      ++digits[i - 1];
    }
  }
  lastValue[slot] = value;
  lastDigits[slot] = StripLeadingZeros(digits);
  return lastDigits[slot];
}

// Whole-number digits with `thousands` between groups: a first group of one to three digits,
// then groups of exactly three. Appends the digits to `digits`; false when the shape is broken.
inline bool ReadGrouped(std::string_view text, std::string_view thousands, std::string& digits) {
  const size_t first = DigitRun(text, 0);
  if (first < 1 || first > 3) return false;
  digits += text.substr(0, first);
  text.remove_prefix(first);
  while (!text.empty()) {
    if (!text.starts_with(thousands) || DigitRun(text, thousands.size()) != 3) return false;
    text.remove_prefix(thousands.size());
    digits += text.substr(0, 3);
    text.remove_prefix(3);
  }
  return true;
}

inline const char* PatternName(NumberPattern pattern) {
  switch (pattern) {
    case NumberPattern::Grouped2Decimals:
      return "#,##0.00";
    case NumberPattern::Grouped:
      return "#,##0";
    case NumberPattern::GroupedNoZero:
      return "#,##";
    case NumberPattern::TwoDigits:
      return "00";
  }
  return "?";
}

// Stops the run unless `text` is `value` written in `pattern` with `separators`: the placeholder
// for what is not finite; otherwise a "-" exactly for a negative value that does not round to
// zero, the shape of the pattern with no superfluous leading zero, and the digits of the value
// rounded as the pattern says.
inline void CheckFormatted(double value, NumberPattern pattern, const NumberSeparators& separators,
                           std::string_view text) {
  const auto where = [&] {
    return std::string(PatternName(pattern)) + " of " + Show(value) + " with " +
           Quote(separators.decimal) + Quote(separators.thousands) + " gave " + Quote(text);
  };
  if (!std::isfinite(value)) {
    FUZZ_CHECK(text == kNoNumber, where());
    return;
  }
  const int decimals = pattern == NumberPattern::Grouped2Decimals ? 2 : 0;
  const std::string expected = RoundedDigits(value, decimals);
  const bool zero = expected == "0";
  const bool minus = text.starts_with("-");
  FUZZ_CHECK(minus == (value < 0 && !zero), where());
  if (minus) text.remove_prefix(1);

  std::string digits;
  switch (pattern) {
    case NumberPattern::Grouped2Decimals: {
      const size_t point = text.rfind(separators.decimal);
      FUZZ_CHECK(point != std::string_view::npos, where());
      const std::string_view decimalPart = text.substr(point + separators.decimal.size());
      FUZZ_CHECK(decimalPart.size() == 2 && DigitRun(decimalPart, 0) == 2, where());
      FUZZ_CHECK(ReadGrouped(text.substr(0, point), separators.thousands, digits), where());
      FUZZ_CHECK(digits.size() == 1 || digits.front() != '0', where());
      digits += decimalPart;
      break;
    }
    case NumberPattern::Grouped:
    case NumberPattern::GroupedNoZero:
      if (pattern == NumberPattern::GroupedNoZero && zero) {
        FUZZ_CHECK(text.empty(), where());
        return;
      }
      FUZZ_CHECK(ReadGrouped(text, separators.thousands, digits), where());
      FUZZ_CHECK(digits.size() == 1 || digits.front() != '0', where());
      break;
    case NumberPattern::TwoDigits:
      FUZZ_CHECK(DigitRun(text, 0) == text.size(), where());
      FUZZ_CHECK(text.size() == std::max<size_t>(2, expected.size()), where());
      digits = text;
      break;
  }
  FUZZ_CHECK(StripLeadingZeros(digits) == expected, where() + ", expected the digits " + expected);
}

// `value` rounded down, in plain digits with a "-" when negative: the placeholder when it is not
// finite.
inline std::string ExpectedFloor(double value) {
  if (!std::isfinite(value)) return std::string(kNoNumber);
  const double floored = std::floor(value);
  return (floored < 0 ? "-" : "") + RoundedDigits(floored, 0);
}

}  // namespace orvanto::fuzz
