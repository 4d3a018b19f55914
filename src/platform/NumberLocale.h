#pragma once

#include <string>

namespace orvanto {

// The user's regional separators. Both are texts: some regions group with a blank that is more
// than one byte in UTF-8. The thousands separator is empty where the user chose no grouping.
struct NumberSeparators {
  std::string decimal = ",";
  std::string thousands = ".";
};

// The user's regional number separators, read when a number is tested or shown.
class NumberLocale {
 public:
  virtual ~NumberLocale() = default;
  virtual NumberSeparators Separators() = 0;
};

}  // namespace orvanto
