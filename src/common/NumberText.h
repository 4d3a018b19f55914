#pragma once

#include <string>
#include <string_view>

#include "platform/NumberLocale.h"

namespace orvanto {

// The style in which numbers are typed and read back (ParseNumber's), whatever the region.
inline const NumberSeparators kTypedSeparators{",", "."};

// Shown instead of a number that has no finite value, in either language.
inline constexpr std::string_view kNoNumber = "—";

// The numeric test: digits with the regional decimal separator and thousands grouping, an
// optional leading sign and exponent, blanks around the whole allowed. The empty text fails. An
// empty thousands separator (no grouping) takes "," here.
bool IsNumeric(std::string_view text, const NumberSeparators& separators);

// The display patterns. Rounding is to the nearest, exact halves away from zero.
enum class NumberPattern {
  Grouped2Decimals,  // "#,##0.00"
  Grouped,           // "#,##0"
  GroupedNoZero,     // "#,##": no digit at all for a value that rounds to 0
  TwoDigits,         // "00"
};

// `value` in `pattern` with the regional separators; kNoNumber when it is not finite. A thousands
// separator that is empty or equal to the decimal separator groups nothing.
std::string FormatNumber(double value, NumberPattern pattern, const NumberSeparators& separators);

// `value` rounded down (towards minus infinity), in plain digits with a leading "-" when
// negative; kNoNumber when it is not finite.
std::string FormatFloor(double value);

}  // namespace orvanto
