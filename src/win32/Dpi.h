#pragma once

#include <windows.h>

namespace orvanto::win32 {

// The per-monitor DPI functions exist from Windows 10 on; they are looked up at run time so that
// the program still starts on older systems, where it falls back to the system DPI.
UINT WindowDpi(HWND hwnd);
// The DPI of the primary monitor at start-up, which system metrics and class icons are made for.
UINT SystemDpi();
int SystemMetricForDpi(int index, UINT dpi);
// The window size whose client area is `width` × `height` pixels.
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace orvanto::win32
