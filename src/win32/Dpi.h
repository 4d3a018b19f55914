#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

namespace orvanto::win32 {

// Every length of the window is kept in one of two units, twips (the window description, font
// sizes) or pixels as drawn at 96 DPI (margins and indents); this is the one place that turns
// them into pixels at the window's DPI, rounded as MulDiv rounds.
struct DpiScale {
  UINT dpi;
  int Twips(int twips) const { return ScaleTwips(twips, static_cast<int>(dpi)); }
  int Pixels(int pixelsAt96) const { return Twips(pixelsAt96 * kTwipsPerInch / 96); }
};

// The per-monitor DPI functions exist from Windows 10 on; they are looked up at run time so that
// the program still starts on older systems, where it falls back to the system DPI.
UINT WindowDpi(HWND hwnd);
// The DPI of the primary monitor at start-up, which system metrics and class icons are made for.
UINT SystemDpi();
int SystemMetricForDpi(int index, UINT dpi);
// The window size whose client area is `width` × `height` pixels.
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace orvanto::win32
