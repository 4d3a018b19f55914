#include "common/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace orvanto {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool Consume(std::string_view& text, std::string_view token) {
  if (token.empty() || !text.starts_with(token)) return false;
  text.remove_prefix(token.size());
  return true;
}

size_t ConsumeDigits(std::string_view& text) {
  size_t count = 0;
  while (!text.empty() && IsDigit(text.front())) {
    text.remove_prefix(1);
    ++count;
  }
  return count;
}

// Integer digits in which a thousands separator may stand between any two digits; the position
// of the groups is not checked, as the regional conversion does not check it either.
size_t ConsumeGroupedDigits(std::string_view& text, std::string_view thousands) {
  size_t count = ConsumeDigits(text);
  while (count > 0) {
    std::string_view rest = text;
    if (!Consume(rest, thousands)) break;
    const size_t more = ConsumeDigits(rest);
    if (more == 0) break;
    text = rest;
    count += more;
  }
  return count;
}

}  // namespace

bool IsNumeric(std::string_view text, const NumberSeparators& separators) {
  text = TrimBlanks(text);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);

  size_t digits = ConsumeGroupedDigits(text, separators.thousands);
  if (Consume(text, separators.decimal)) digits += ConsumeDigits(text);
  if (digits == 0) return false;

  if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (ConsumeDigits(text) == 0) return false;
  }
  return text.empty();
}

namespace {

// Decimal digits of |value| rounded to `decimals` places, exact halves away from zero. The
// rounding works on the shortest text that reads back as `value`, so 2.675 rounds to 2.68 as the
// user who typed it expects.
struct Digits {
  std::string whole;     // at least one digit
  std::string fraction;  // exactly `decimals` digits
};

Digits RoundedDigits(double magnitude, int decimals) {
  std::array<char, 400> buffer{};  // the largest double has 309 integer digits
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::fixed);
  std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));

  Digits digits;
  const size_t point = text.find('.');
  digits.whole = std::string(text.substr(0, point));
  std::string fraction = point == std::string_view::npos ? "" : std::string(text.substr(point + 1));
  fraction.resize(static_cast<size_t>(decimals) + 1, '0');
  const bool roundUp = fraction.back() >= '5';
  fraction.pop_back();

  std::string all = digits.whole + fraction;
  if (roundUp) {
    size_t i = all.size();
    while (i > 0 && all[i - 1] == '9') all[--i] = '0';
    if (i == 0) {
      all.insert(all.begin(), '1');
    } else {
      ++all[i - 1];
    }
  }
  digits.whole = all.substr(0, all.size() - static_cast<size_t>(decimals));
  digits.fraction = all.substr(all.size() - static_cast<size_t>(decimals));
  return digits;
}

std::string Group(const std::string& whole, std::string_view thousands) {
  std::string grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += thousands;
    grouped += whole[i];
  }
  return grouped;
}

bool AllZero(const std::string& text) { return text.find_first_not_of('0') == std::string::npos; }

}  // namespace

std::string FormatNumber(double value, NumberPattern pattern, const NumberSeparators& separators) {
  if (!std::isfinite(value)) return std::string(kNoNumber);
  const int decimals = pattern == NumberPattern::Grouped2Decimals ? 2 : 0;
  Digits digits = RoundedDigits(std::fabs(value), decimals);
  const bool zero = AllZero(digits.whole) && AllZero(digits.fraction);
  if (zero && pattern == NumberPattern::GroupedNoZero) return "";

  std::string text = zero || !std::signbit(value) ? "" : "-";
  switch (pattern) {
    case NumberPattern::Grouped2Decimals:
      text += Group(digits.whole, separators.thousands) + separators.decimal + digits.fraction;
      break;
    case NumberPattern::Grouped:
    case NumberPattern::GroupedNoZero:
      text += Group(digits.whole, separators.thousands);
      break;
    case NumberPattern::TwoDigits:
      if (digits.whole.size() < 2) text += '0';
      text += digits.whole;
      break;
  }
  return text;
}

std::string FormatFloor(double value) {
  if (!std::isfinite(value)) return std::string(kNoNumber);
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::floor(value),
                                    std::chars_format::fixed, 0);
  std::string text(buffer.data(), result.ptr);
  return text == "-0" ? "0" : text;
}

}  // namespace orvanto
