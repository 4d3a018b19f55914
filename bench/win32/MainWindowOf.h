#pragma once

// Finding the main window of a program the benchmarks started: the visible top-level window of
// the process that no other window owns. Tooltips and message boxes are owned; a window still
// being created is not visible yet.

#include <windows.h>

inline HWND VisibleMainWindow(DWORD processId) {
  struct Found {
    DWORD processId;
    HWND window;
  } found{processId, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* f = reinterpret_cast<Found*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != f->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
        f->window = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.window;
}
