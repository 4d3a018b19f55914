#pragma once

#include "common/NumberText.h"

namespace orvanto {

// The user's regional number separators, read when a number is tested or shown.
class NumberLocale {
 public:
  virtual ~NumberLocale() = default;
  virtual NumberSeparators Separators() = 0;
};

}  // namespace orvanto
