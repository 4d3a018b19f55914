#pragma once

// Drives the real Orvanto.exe from another process, the way a user (or a screen reader) sees it:
// controls found by id, text read with WM_GETTEXT, messages posted to them, message boxes found,
// read and answered, pixels read off the screen.

#include <windows.h>

#include <shlobj.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Controls.h"
#include "win32/ControlIds.h"

namespace orvanto::ui {

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` passes.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 10s) {
  for (const auto end = std::chrono::steady_clock::now() + timeout; !condition();
       std::this_thread::sleep_for(20ms))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}

inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(size_t(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(size_t(SendMessageW(hwnd, WM_GETTEXT, text.size(), LPARAM(text.data()))));
  return text;
}

// The client area of `window` as it is on screen: 0x00RRGGBB pixels, row by row from the top.
struct Shot {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
  DWORD At(int x, int y) const { return pixels[size_t(y * width + x)]; }
};
inline Shot Capture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, LPPOINT(&r), 2);
  Shot shot{r.right - r.left, r.bottom - r.top};
  shot.pixels.resize(size_t(shot.width * shot.height));
  const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  DeleteObject(SelectObject(memory, bitmap));
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
  // Releases the bitmap for GetDIBits.
  DeleteDC(memory);
  BITMAPINFOHEADER info{sizeof(info), shot.width, -shot.height, 1, 32, BI_RGB};
  GetDIBits(screen, bitmap, 0, UINT(shot.height), shot.pixels.data(), LPBITMAPINFO(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return shot;
}

// A value under HKEY_CURRENT_USER for programs started while it lives, removed again: without it
// the prefix reads as fresh (its locale's separators, 96 DPI, German).
struct RegistryOverride {
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, DWORD value)
      : subkey(subkey), name(name) {
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey, name, REG_DWORD, &value, sizeof(value));
  }
  RegistryOverride(const wchar_t* subkey, const wchar_t* name, const std::wstring& value)
      : subkey(subkey), name(name) {
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey, name, REG_SZ, value.c_str(),
                    DWORD(value.size() * 2 + 2));
  }
  ~RegistryOverride() { RegDeleteKeyValueW(HKEY_CURRENT_USER, subkey, name); }
  const wchar_t *subkey, *name;
};

// The system's message font, put back at the end.
class MessageFontOverride {
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
  // In window order, the default one in brackets: "Yes [No]".
  std::wstring buttons;
  // Pressed, and gone.
  void Press(int id) const {
    SendMessageW(GetDlgItem(hwnd, id), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(hwnd); });
  }
};

class RunningApp {
 public:
  // Starts Orvanto.exe (beside this program) in `workDir`, or the current directory, with
  // `arguments` on its command line; Main() is its window once on screen, or none.
  explicit RunningApp(const std::wstring& workDir = L"", const std::wstring& arguments = L"") {
    // Without a program name, Windows looks for the program first where this one was loaded from.
    std::wstring commandLine = L"Orvanto.exe " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &process_))
      return;
    // One program at a time: its window is the one of its class.
    const auto shown = [&] {
      return IsWindowVisible(main_ = FindWindowW(win32::kMainClassName, 0));
    };
    if (!WaitUntil(shown, 20s)) main_ = nullptr;
    // The first paint.
    Sleep(300);
  }
  ~RunningApp() {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  HWND Main() const { return main_; }
  HWND Control(Ctl control) const { return GetDlgItem(main_, win32::ControlId(control)); }
  std::wstring Text(Ctl control) const { return WindowText(Control(control)); }
  HWND Focus() const {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
  }
  void SetText(Ctl control, const std::wstring& text) const {
    SendMessageW(Control(control), WM_SETTEXT, 0, LPARAM(text.c_str()));
  }
  // Posted: a click may open a modal message box, which must not block the test.
  void Click(Ctl control) const { PostMessageW(Control(control), BM_CLICK, 0, 0); }
  bool Exited() const { return WaitForSingleObject(process_.hProcess, 10000) == 0; }

  std::vector<std::wstring> Items(Ctl listBox) const {
    std::vector<std::wstring> items(size_t(SendMessageW(Control(listBox), LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < items.size(); ++i) {
      items[i].resize(size_t(SendMessageW(Control(listBox), LB_GETTEXTLEN, i, 0)));
      SendMessageW(Control(listBox), LB_GETTEXT, i, LPARAM(items[i].data()));
    }
    return items;
  }

  // A copy of `data` in the program's memory, for a message that points to it: a message to
  // another process carries no pointed-to data.
  void* CopyIn(const void* data, size_t size) const {
    void* copy = VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process_.hProcess, copy, data, size, nullptr);
    return copy;
  }

  // The message box the program shows next, once it is on screen.
  std::optional<MessageBoxView> WaitForMessageBox() const {
    MessageBoxView view;
    const auto shown = [&] {
      view.hwnd = FindWindowW(L"#32770", nullptr);
      return view.hwnd && GetWindow(view.hwnd, GW_OWNER) == main_ && IsWindowVisible(view.hwnd);
    };
    if (!WaitUntil(shown)) return std::nullopt;
    view.title = WindowText(view.hwnd);
    // Windows keeps the text in the static with id 0xFFFF, Wine in the one with id 100.
    view.text = WindowText(GetDlgItem(view.hwnd, GetDlgItem(view.hwnd, 0xFFFF) ? 0xFFFF : 100));
    for (HWND b = nullptr; (b = FindWindowExW(view.hwnd, b, L"Button", nullptr));) {
      const int id = GetDlgCtrlID(b);
      std::wstring name = id == IDOK ? L"OK" : id == IDYES ? L"Yes" : id == IDNO ? L"No" : L"?";
      if ((GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        name = L"[" + name + L"]";
      view.buttons += (view.buttons.empty() ? L"" : L" ") + name;
    }
    return view;
  }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace orvanto::ui
