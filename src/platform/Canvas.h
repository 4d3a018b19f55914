#pragma once

#include <cstdint>

namespace orvanto {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A drawing surface with a user coordinate system (the range bar's picture box).
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Clear() = 0;
  // From now on x runs from 0 at the left edge to `width` at the right edge, y likewise.
  virtual void SetScale(float width, float height) = 0;
  // Rectangle with corners (x1, y1) and (x2, y2), border and interior in `colour`.
  virtual void FillRect(float x1, float y1, float x2, float y2, Rgb colour) = 0;
  virtual void Line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
};

}  // namespace orvanto
