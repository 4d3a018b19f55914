#pragma once

// Drives the real Orvanto.exe from another process, the way a user (or a screen reader) sees it:
// windows found by class and control id, text read with WM_GETTEXT, keys posted to the focus,
// message boxes found, read and answered.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Controls.h"

// RECT lives in the global namespace, so its comparison must too for the test macros to find it.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << '{' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << '}';
}

namespace orvanto::ui {

// Polls `condition` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Sets a value under HKEY_CURRENT_USER for the lifetime of the guard, restoring the old one after.
class RegistryOverride {
 public:
  RegistryOverride(const std::wstring& subkey, const std::wstring& name, DWORD value);
  RegistryOverride(const std::wstring& subkey, const std::wstring& name, const std::wstring& value);
  ~RegistryOverride();
  RegistryOverride(const RegistryOverride&) = delete;
  RegistryOverride& operator=(const RegistryOverride&) = delete;

 private:
  void Set(DWORD type, const void* data, DWORD size);
  std::wstring subkey_, name_;
  std::optional<std::vector<BYTE>> old_;
  DWORD oldType_ = REG_NONE;
};

struct MessageBoxView {
  HWND hwnd = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO ... in window order
  int defaultButton = 0;

  void Press(int id) const;
};

class RunningApp {
 public:
  // Starts Orvanto.exe (beside this test program) in `workDir`, or the current directory.
  explicit RunningApp(const std::wstring& workDir = L"");
  ~RunningApp();
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }
  HWND Control(Ctl control) const;
  std::wstring Text(Ctl control) const;
  std::wstring Title() const;
  RECT ClientRect(Ctl control) const;  // in the main window's client coordinates
  HWND Focus() const;

  void SetText(Ctl control, const std::wstring& text) const;
  void Click(Ctl control) const;
  void PressKey(WORD key) const;  // to the control that has the focus
  // The lines of a list or drop-down list, and the selected one (-1 for none).
  std::vector<std::wstring> Items(Ctl list) const;
  int Selection(Ctl list) const;
  // Double-clicks line `index` of a list box, as the mouse does.
  void DoubleClickItem(Ctl list, int index) const;

  // The message box the program shows next, once it is on screen.
  std::optional<MessageBoxView> WaitForMessageBox(
      std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  bool Exited(std::chrono::milliseconds timeout) const;

  // The colour on screen at a point of the main window's client area.
  COLORREF PixelAt(POINT client) const;

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

std::wstring WindowText(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

}  // namespace orvanto::ui
