#include "UiDriver.h"

#include <thread>

#include "win32/ControlIds.h"

namespace orvanto::ui {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

Shot Capture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Shot shot{r.right - r.left, r.bottom - r.top};
  shot.pixels.resize(static_cast<size_t>(shot.width * shot.height));
  const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  DeleteObject(SelectObject(memory, bitmap));
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
  DeleteDC(memory);  // releases the bitmap for GetDIBits
  BITMAPINFOHEADER info{sizeof(info), shot.width, -shot.height, 1, 32, BI_RGB};
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(shot.height), shot.pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return shot;
}

RegistryOverride::RegistryOverride(const wchar_t* subkey, const wchar_t* name, DWORD type,
                                   const void* data, DWORD size)
    : subkey_(subkey), name_(name) {
  DWORD oldSize = static_cast<DWORD>(old_.size());
  if (RegGetValueW(HKEY_CURRENT_USER, subkey, name, RRF_RT_ANY, &oldType_, old_.data(), &oldSize) !=
      ERROR_SUCCESS) {
    oldType_ = REG_NONE;  // none, or longer than any value the tests change
  }
  old_.resize(oldSize);
  RegSetKeyValueW(HKEY_CURRENT_USER, subkey, name, type, data, size);
}

RegistryOverride::~RegistryOverride() {
  if (oldType_ == REG_NONE) RegDeleteKeyValueW(HKEY_CURRENT_USER, subkey_, name_);
  if (oldType_ != REG_NONE)
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey_, name_, oldType_, old_.data(),
                    static_cast<DWORD>(old_.size()));
}

MessageFontOverride::MessageFontOverride(const wchar_t* face, int points) {
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(old_), &old_, 0);
  NONCLIENTMETRICSW changed = old_;
  changed.lfMessageFont = LOGFONTW{.lfHeight = -MulDiv(points, 96, 72), .lfWeight = FW_NORMAL};
  lstrcpynW(changed.lfMessageFont.lfFaceName, face, LF_FACESIZE);
  // Written to the prefix's registry too, where a program that starts later reads it.
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, SPIF_UPDATEINIFILE);
}

MessageFontOverride::~MessageFontOverride() {
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(old_), &old_, SPIF_UPDATEINIFILE);
}

namespace {

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256]{};
  GetClassNameW(hwnd, name, 256);
  return name;
}

// The visible top-level window of `processId` with the class, owned by `owner` if one is given.
HWND FindWindowOf(DWORD processId, const wchar_t* className, HWND owner) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == processId && ClassOf(w) == className && IsWindowVisible(w) &&
        (!owner || GetWindow(w, GW_OWNER) == owner)) {
      return w;
    }
  }
  return nullptr;
}

}  // namespace

RunningApp::RunningApp(const std::wstring& workDir) {
  wchar_t self[MAX_PATH]{};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = self;
  program = program.substr(0, program.find_last_of(L'\\') + 1) + L"Orvanto.exe";
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 20000);
  WaitUntil(
      [&] { return (main_ = FindWindowOf(process_.dwProcessId, win32::kMainClassName, nullptr)); },
      20s);
}

RunningApp::~RunningApp() {
  if (!process_.hProcess) return;
  if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
  if (!Exited(5s)) TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningApp::Control(Ctl control) const { return GetDlgItem(main_, win32::ControlId(control)); }

RECT RunningApp::ClientRect(Ctl control) const {
  RECT rect{};
  GetWindowRect(Control(control), &rect);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND RunningApp::Focus() const {
  GUITHREADINFO info{sizeof(info)};
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

void RunningApp::SetText(Ctl control, const std::wstring& text) const {
  SendMessageW(Control(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> RunningApp::Items(Ctl list) const {
  const HWND hwnd = Control(list);
  std::vector<std::wstring> items(static_cast<size_t>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)));
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].resize(static_cast<size_t>(SendMessageW(hwnd, LB_GETTEXTLEN, i, 0)) + 1);
    SendMessageW(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(items[i].data()));
    items[i].pop_back();
  }
  return items;
}

std::optional<MessageBoxView> RunningApp::WaitForMessageBox(
    std::chrono::milliseconds timeout) const {
  MessageBoxView view;
  if (!WaitUntil([&] { return (view.hwnd = FindWindowOf(process_.dwProcessId, L"#32770", main_)); },
                 timeout)) {
    return std::nullopt;
  }
  view.title = WindowText(view.hwnd);
  // Windows keeps the text in the static with id 0xFFFF, Wine in the one with id 100.
  view.text = WindowText(GetDlgItem(view.hwnd, GetDlgItem(view.hwnd, 0xFFFF) ? 0xFFFF : 100));
  for (HWND child = GetWindow(view.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != L"Button") continue;
    view.buttons.push_back(GetDlgCtrlID(child));
    if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      view.defaultButton = view.buttons.back();
    }
  }
  return view;
}

}  // namespace orvanto::ui
