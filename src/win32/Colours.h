#pragma once

#include <windows.h>

#include <variant>

#include "platform/Canvas.h"

namespace orvanto::win32 {

constexpr int SysColorIndex(SystemColour colour) {
  switch (colour) {
    case SystemColour::WindowText:
      return COLOR_WINDOWTEXT;
    case SystemColour::ButtonText:
      return COLOR_BTNTEXT;
    case SystemColour::Window:
      return COLOR_WINDOW;
    case SystemColour::ButtonFace:
      return COLOR_BTNFACE;
  }
  return COLOR_WINDOWTEXT;
}

// The value a colour has now: its own, or the one the user's scheme gives it.
inline COLORREF ToColorRef(const Colour& colour) {
  if (const auto* scheme = std::get_if<SystemColour>(&colour))
    return GetSysColor(SysColorIndex(*scheme));
  const Rgb& c = std::get<Rgb>(colour);
  return RGB(c.r, c.g, c.b);
}

// Whether the user's high-contrast mode is on, as the system reports it; off where it cannot tell.
inline bool HighContrastOn() {
  HIGHCONTRASTW mode{sizeof(mode)};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(mode), &mode, 0) &&
         (mode.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace orvanto::win32
