#pragma once

// Drives the real Orvanto.exe from another process, the way a user (or a screen reader) sees it:
// controls found by id, text read with WM_GETTEXT, keys posted to the focus, message boxes found,
// read and answered, pixels read off the screen.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace orvanto::ui {

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);
std::wstring WindowText(HWND hwnd);
// The client area of `window` as it is on screen: 0x00RRGGBB pixels, row by row from the top.
struct Shot {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
Shot Capture(HWND window);

// Each guard below changes the prefix for programs started during its lifetime, and undoes it.
class RegistryOverride {  // a value under HKEY_CURRENT_USER
 public:
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, DWORD value)
      : RegistryOverride(subkey, name, REG_DWORD, &value, sizeof(value)) {}
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, const std::wstring& value)
      : RegistryOverride(subkey, name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) {}
  ~RegistryOverride();

 private:
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data,
                   DWORD size);
  const wchar_t *subkey_, *name_;
  std::vector<BYTE> old_ = std::vector<BYTE>(1024);
  DWORD oldType_ = REG_NONE;
};

class MessageFontOverride {  // the system's message font
 public:
  MessageFontOverride(const wchar_t* face, int points);
  ~MessageFontOverride();

 private:
  NONCLIENTMETRICSW old_{sizeof(NONCLIENTMETRICSW)};
};

struct MessageBoxView {
  HWND hwnd = nullptr;
  std::wstring title, text;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO ... in window order
  int defaultButton = 0;
  void Press(int id) const { SendMessageW(GetDlgItem(hwnd, id), BM_CLICK, 0, 0); }
};

class RunningApp {
 public:
  // Starts Orvanto.exe (beside this program) in `workDir`, or the current directory.
  explicit RunningApp(const std::wstring& workDir = L"");
  ~RunningApp();

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }
  HWND Control(Ctl control) const;
  std::wstring Text(Ctl control) const { return WindowText(Control(control)); }
  RECT ClientRect(Ctl control) const;  // in the main window's client coordinates
  HWND Focus() const;

  void SetText(Ctl control, const std::wstring& text) const;
  // Posted: a click may open a modal message box, which must not block the test.
  void Click(Ctl control) const { PostMessageW(Control(control), BM_CLICK, 0, 0); }
  void PressKey(WORD key) const { PostMessageW(Focus(), WM_KEYDOWN, key, 1); }
  std::vector<std::wstring> Items(Ctl list) const;  // of a list box

  // The message box the program shows next, once it is on screen.
  std::optional<MessageBoxView> WaitForMessageBox(std::chrono::milliseconds timeout = 10s) const;
  bool Exited(std::chrono::milliseconds timeout) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) == 0;
  }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace orvanto::ui
