#pragma once

#include <cstdint>
#include <variant>

namespace orvanto {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours of the user's colour scheme, named by what they are for; the platform looks their values
// up when it draws, so a change of scheme needs no new drawing.
enum class SystemColour { WindowText, ButtonText, Window, ButtonFace };

// A colour given as red, green and blue, or one of the user's scheme.
using Colour = std::variant<Rgb, SystemColour>;

// A drawing surface with a user coordinate system (the range bar's picture box).
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Clear() = 0;
  // From now on x runs from 0 at the left edge to `width` at the right edge, y likewise.
  virtual void SetScale(float width, float height) = 0;
  // Rectangle with corners (x1, y1) and (x2, y2), border and interior in `colour`.
  virtual void FillRect(float x1, float y1, float x2, float y2, Colour colour) = 0;
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
};

}  // namespace orvanto
