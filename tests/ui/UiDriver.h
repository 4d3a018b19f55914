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
#include "win32/ControlIds.h"

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
  ~RegistryOverride() {
    if (oldType_ == REG_NONE) RegDeleteKeyValueW(HKEY_CURRENT_USER, subkey_, name_);
    if (oldType_ != REG_NONE)
      RegSetKeyValueW(HKEY_CURRENT_USER, subkey_, name_, oldType_, old_, oldSize_);
  }

 private:
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data,
                   DWORD size)
      : subkey_(subkey), name_(name) {
    // The values the tests change are short: a failure here means there was none.
    if (RegGetValueW(HKEY_CURRENT_USER, subkey, name, RRF_RT_ANY, &oldType_, old_, &oldSize_))
      oldType_ = REG_NONE;
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey, name, type, data, size);
  }
  const wchar_t *subkey_, *name_;
  BYTE old_[1024]{};
  DWORD oldType_ = REG_NONE, oldSize_ = sizeof(old_);
};

class MessageFontOverride {  // the system's message font
 public:
  MessageFontOverride(const wchar_t* face, int points) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(old_), &old_, 0);
    NONCLIENTMETRICSW changed = old_;
    changed.lfMessageFont = LOGFONTW{.lfHeight = -MulDiv(points, 96, 72), .lfWeight = FW_NORMAL};
    lstrcpynW(changed.lfMessageFont.lfFaceName, face, LF_FACESIZE);
    // Written to the prefix's registry too, where a program that starts later reads it.
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, SPIF_UPDATEINIFILE);
  }
  ~MessageFontOverride() {
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(old_), &old_, SPIF_UPDATEINIFILE);
  }

 private:
  NONCLIENTMETRICSW old_{sizeof(NONCLIENTMETRICSW)};
};

struct MessageBoxView {
  HWND hwnd = nullptr;
  std::wstring title, text;
  std::wstring buttons;  // in window order, the default one in brackets: "Yes [No]"
  void Press(int id) const { SendMessageW(GetDlgItem(hwnd, id), BM_CLICK, 0, 0); }
};

class RunningApp {
 public:
  // Starts Orvanto.exe (beside this program) in `workDir`, or the current directory, with
  // `arguments` on its command line.
  explicit RunningApp(const std::wstring& workDir = L"", const std::wstring& arguments = L"");
  ~RunningApp();

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }
  HWND Control(Ctl control) const { return GetDlgItem(main_, win32::ControlId(control)); }
  std::wstring Text(Ctl control) const { return WindowText(Control(control)); }
  RECT ClientRect(Ctl control) const {  // in the main window's client coordinates
    RECT rect{};
    GetWindowRect(Control(control), &rect);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  HWND Focus() const {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
  }

  void SetText(Ctl control, const std::wstring& text) const {
    SendMessageW(Control(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Posted: a click may open a modal message box, which must not block the test.
  void Click(Ctl control) const { PostMessageW(Control(control), BM_CLICK, 0, 0); }
  void PressKey(WORD key) const { PostMessageW(Focus(), WM_KEYDOWN, key, 1); }
  std::vector<std::wstring> Items(Ctl list) const;  // of a list box
  // Drops `path` on the window, as Explorer does. A message to another process carries no
  // pointed-to data: the drop's block is put into the program's memory.
  void Drop(const std::wstring& path) const;
  // A copy of `data` in the program's memory, for a message that points to it.
  void* CopyIn(const void* data, size_t size) const;

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
