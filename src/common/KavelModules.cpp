#include "common/KavelModules.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/FileSystem.h"

namespace orvanto::KavelModules {

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

bool FileExists(FileSystem& files, std::string_view path) {
  const auto found = files.FindFiles(path, kAttrHidden | kAttrSystem);
  return found && !found->empty();
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Collects the longest prefix of `text` that reads as a number with "." as decimal point,
// skipping blanks wherever they stand. The result is plain number syntax for from_chars.
struct NumberPrefix {
  std::string mantissa;  // optional "-", digits, at most one "."
  std::string exponent;  // optional "-", digits; empty when there is none
  bool hasDigit = false;
};

NumberPrefix ReadPrefix(std::string_view text) {
  enum class State { Sign, Mantissa, Fraction, ExponentSign, ExponentDigits } state = State::Sign;
  NumberPrefix number;
  std::string pendingExponent;
  for (const char c : text) {
    if (IsIgnoredBlank(c)) continue;
    switch (state) {
      case State::Sign:
        state = State::Mantissa;
        if (c == '+') continue;
        if (c == '-') {
          number.mantissa += '-';
          continue;
        }
        [[fallthrough]];
      case State::Mantissa:
      case State::Fraction:
        if (IsDigit(c)) {
          number.mantissa += c;
          number.hasDigit = true;
          continue;
        }
        if (c == '.' && state == State::Mantissa) {
          number.mantissa += c;
          state = State::Fraction;
          continue;
        }
        if ((c == 'e' || c == 'E') && number.hasDigit) {
          state = State::ExponentSign;
          continue;
        }
        return number;
      case State::ExponentSign:
        state = State::ExponentDigits;
        if (c == '+') continue;
        if (c == '-') {
          pendingExponent += '-';
          continue;
        }
        [[fallthrough]];
      case State::ExponentDigits:
        if (!IsDigit(c)) return number;
        pendingExponent += c;
        number.exponent = pendingExponent;  // an exponent counts once it has a digit
        continue;
    }
  }
  return number;
}

// The power of ten of the number's leading digit, plus one: positive for numbers of 1 and more.
// Only its sign matters, to tell an overflow from an underflow.
long long DecimalMagnitude(const NumberPrefix& number) {
  long long exponent = 0;
  bool negativeExponent = false;
  for (const char c : number.exponent) {
    if (c == '-') {
      negativeExponent = true;
    } else if (exponent < 1'000'000'000) {
      exponent = exponent * 10 + (c - '0');
    }
  }
  if (negativeExponent) exponent = -exponent;

  long long position = 0;  // digits before the point, or minus the zeros after it
  bool seenPoint = false;
  bool seenSignificant = false;
  for (const char c : number.mantissa) {
    if (c == '.') {
      seenPoint = true;
    } else if (IsDigit(c)) {
      if (c != '0') seenSignificant = true;
      if (!seenPoint && seenSignificant) ++position;
      if (seenPoint && !seenSignificant) --position;
      if (seenPoint && seenSignificant) break;
    }
  }
  return exponent + position;
}

}  // namespace

double ParseNumber(std::string_view text) {
  std::string rewritten;
  rewritten.reserve(text.size());
  for (const char c : text) {
    if (c == ',') {
      rewritten += '.';
    } else if (c != '.') {
      rewritten += c;
    }
  }
  const NumberPrefix number = ReadPrefix(rewritten);
  if (!number.hasDigit) return 0.0;

  std::string syntax = number.mantissa;
  if (!number.exponent.empty()) syntax += 'e' + number.exponent;
  const bool negative = syntax.front() == '-';
  double value = 0.0;
  const auto [end, error] = std::from_chars(syntax.data(), syntax.data() + syntax.size(), value);
  if (error == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; IEEE rounding gives infinity or zero.
    const double magnitude =
        DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
  }
  return value;
}

}  // namespace orvanto::KavelModules
