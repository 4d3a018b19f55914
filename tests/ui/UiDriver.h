#pragma once

// Drives the real Orvanto.exe from another process, the way a user (or a screen reader) sees it:
// windows found by class and control id, text read with WM_GETTEXT, keys posted to the focus,
// message boxes found, read and answered, pixels read off the screen.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Controls.h"

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

// The system's message font, as programs started from now on see it, for the guard's lifetime.
class MessageFontOverride {
 public:
  MessageFontOverride(const wchar_t* face, int points);
  ~MessageFontOverride();
  MessageFontOverride(const MessageFontOverride&) = delete;
  MessageFontOverride& operator=(const MessageFontOverride&) = delete;

 private:
  NONCLIENTMETRICSW old_{sizeof(NONCLIENTMETRICSW)};
};

// A drive letter (e.g. L"Q:") that leads to a missing directory: a drive that is not ready.
class NotReadyDrive {
 public:
  explicit NotReadyDrive(const wchar_t* letter);
  ~NotReadyDrive();
  NotReadyDrive(const NotReadyDrive&) = delete;
  NotReadyDrive& operator=(const NotReadyDrive&) = delete;

 private:
  std::wstring letter_;
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
  // Starts Orvanto.exe (beside this program) in `workDir`, or the current directory.
  explicit RunningApp(const std::wstring& workDir = L"");
  ~RunningApp();
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }
  HWND Control(Ctl control) const;
  std::wstring Text(Ctl control) const;
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

// The client area of `window` as it is on screen: 0x00RRGGBB pixels, row by row from the top.
std::vector<DWORD> Capture(HWND window);

}  // namespace orvanto::ui
