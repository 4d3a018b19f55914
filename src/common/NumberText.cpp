#include "common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

  // Where the user chose no grouping, typed numbers are read as they always were, with "," between
  // groups: "8356,1", typed as the tooltip shows it, stays a number under a decimal point.
  const std::string_view thousands =
      separators.thousands.empty() ? "," : std::string_view(separators.thousands);
  size_t digits = ConsumeGroupedDigits(text, thousands);
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

// Decimal digits of a non-negative whole number m × 2^shift, as exact integer arithmetic: limbs
// of nine decimal digits, least significant first. A double is at most 2^1024, some 309 digits.
std::string Digits(std::uint64_t m, int shift) {
  constexpr std::uint32_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs;
  do {
    limbs.push_back(static_cast<std::uint32_t>(m % kBase));
    m /= kBase;
  } while (m > 0);
  while (shift > 0) {
    const int step = std::min(shift, 29);  // a limb below 2^30 times 2^29 fits in 64 bits
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t v = (std::uint64_t{limb} << step) + carry;
      limb = static_cast<std::uint32_t>(v % kBase);
      carry = v / kBase;
    }
    if (carry > 0) limbs.push_back(static_cast<std::uint32_t>(carry));
    shift -= step;
  }
  std::string text = std::to_string(limbs.back());
  for (size_t i = limbs.size() - 1; i-- > 0;) {
    const std::string limb = std::to_string(limbs[i]);
    text += std::string(9 - limb.size(), '0') + limb;
  }
  return text;
}

// |value| × 10^decimals rounded to a whole number, exact halves away from zero, in decimal
// digits. The binary value is taken exactly as it is: 0.125 rounds to 0.13, while 2.675, stored
// as 2.67499999…, rounds to 2.67.
std::string RoundedDigits(double value, int decimals) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  // |value| = mantissa × 2^shift exactly, with a 53-bit mantissa.
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = exponent - 53;
  const std::uint64_t scaled = mantissa * (decimals == 2 ? 100 : 1);  // below 2^60
  if (shift >= 0) return Digits(scaled, shift);
  const int drop = -shift;
  if (drop > 61) return "0";  // below 2^-1: even the half mark lies above it
  std::uint64_t whole = scaled >> drop;
  const std::uint64_t rest = scaled & ((std::uint64_t{1} << drop) - 1);
  if (rest >= (std::uint64_t{1} << (drop - 1))) ++whole;
  return Digits(whole, 0);
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
  std::string digits = RoundedDigits(value, decimals);
  const bool zero = AllZero(digits);
  if (zero && pattern == NumberPattern::GroupedNoZero) return "";
  // At least one digit before the decimals, and two for "00".
  const size_t minimum =
      static_cast<size_t>(decimals) + (pattern == NumberPattern::TwoDigits ? 2 : 1);
  if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), '0');
  const std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));

  // Windows lets the user choose no grouping (an empty separator); one equal to the decimal
  // separator would show 4497,77 as "4,497,77", so it means no grouping as well.
  const std::string_view thousands =
      separators.thousands == separators.decimal ? "" : std::string_view(separators.thousands);
  std::string text = zero || !std::signbit(value) ? "" : "-";
  switch (pattern) {
    case NumberPattern::Grouped2Decimals:
      text += Group(whole, thousands) + separators.decimal + digits.substr(whole.size());
      break;
    case NumberPattern::Grouped:
    case NumberPattern::GroupedNoZero:
      text += Group(whole, thousands);
      break;
    case NumberPattern::TwoDigits:
      text += whole;
      break;
  }
  return text;
}

std::string FormatFloor(double value) {
  if (!std::isfinite(value)) return std::string(kNoNumber);
  const double floored = std::floor(value);
  const std::string digits = RoundedDigits(floored, 0);  // a whole number: nothing to round
  return floored < 0 ? "-" + digits : digits;
}

}  // namespace orvanto
