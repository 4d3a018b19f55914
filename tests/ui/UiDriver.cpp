#include "UiDriver.h"

#include <thread>

#include "win32/ControlIds.h"

namespace orvanto::ui {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

RegistryOverride::RegistryOverride(const std::wstring& subkey, const std::wstring& name,
                                   DWORD value)
    : subkey_(subkey), name_(name) {
  Set(REG_DWORD, &value, sizeof(value));
}

RegistryOverride::RegistryOverride(const std::wstring& subkey, const std::wstring& name,
                                   const std::wstring& value)
    : subkey_(subkey), name_(name) {
  Set(REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistryOverride::Set(DWORD type, const void* data, DWORD size) {
  DWORD oldSize = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, subkey_.c_str(), name_.c_str(), RRF_RT_ANY, &oldType_,
                   nullptr, &oldSize) == ERROR_SUCCESS) {
    old_.emplace(oldSize);
    RegGetValueW(HKEY_CURRENT_USER, subkey_.c_str(), name_.c_str(), RRF_RT_ANY, &oldType_,
                 old_->data(), &oldSize);
  }
  RegSetKeyValueW(HKEY_CURRENT_USER, subkey_.c_str(), name_.c_str(), type, data, size);
}

RegistryOverride::~RegistryOverride() {
  if (old_) {
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey_.c_str(), name_.c_str(), oldType_, old_->data(),
                    static_cast<DWORD>(old_->size()));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, subkey_.c_str(), name_.c_str());
  }
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

// A device link, not a dosdevices symlink: Wine sees a link made after its server started only so.
NotReadyDrive::NotReadyDrive(const wchar_t* letter) : letter_(letter) {
  DefineDosDeviceW(0, letter, L"C:\\orvanto-no-medium");
}

NotReadyDrive::~NotReadyDrive() {
  DefineDosDeviceW(DDD_REMOVE_DEFINITION, letter_.c_str(), nullptr);
}

std::wstring WindowText(HWND hwnd) {
  const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied =
      SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

void MessageBoxView::Press(int id) const { SendMessageW(GetDlgItem(hwnd, id), BM_CLICK, 0, 0); }

namespace {

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256]{};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH]{};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"Orvanto.exe";
}

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId || ClassOf(hwnd) != search->className) return TRUE;
  if (search->owner && GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
  if (!IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, HWND owner) {
  Search search{processId, className, owner, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

RunningApp::RunningApp(const std::wstring& workDir) {
  STARTUPINFOW startup{sizeof(startup)};
  const std::wstring program = ProgramPath();
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 20000);
  WaitUntil(
      [&] {
        main_ = FindWindowOf(process_.dwProcessId, win32::kMainClassName, nullptr);
        return main_ != nullptr;
      },
      20s);
}

RunningApp::~RunningApp() {
  if (!process_.hProcess) return;
  if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningApp::Control(Ctl control) const { return GetDlgItem(main_, win32::ControlId(control)); }

std::wstring RunningApp::Text(Ctl control) const { return WindowText(Control(control)); }

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

void RunningApp::Click(Ctl control) const {
  // Posted, not sent: the click may open a modal message box, which must not block the test.
  PostMessageW(Control(control), BM_CLICK, 0, 0);
}

void RunningApp::PressKey(WORD key) const {
  const HWND focus = Focus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

std::vector<std::wstring> RunningApp::Items(Ctl list) const {
  const HWND hwnd = Control(list);
  const bool combo = ClassOf(hwnd) == L"ComboBox";
  const auto count = SendMessageW(hwnd, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  std::vector<std::wstring> items;
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(hwnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(text);
  }
  return items;
}

int RunningApp::Selection(Ctl list) const {
  const HWND hwnd = Control(list);
  const bool combo = ClassOf(hwnd) == L"ComboBox";
  return static_cast<int>(SendMessageW(hwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void RunningApp::DoubleClickItem(Ctl list, int index) const {
  const HWND hwnd = Control(list);
  const auto top = SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0);
  const auto height = SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(20, (index - top) * height + height / 2);
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageW(hwnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  }
}

std::optional<MessageBoxView> RunningApp::WaitForMessageBox(
    std::chrono::milliseconds timeout) const {
  HWND box = nullptr;
  if (!WaitUntil(
          [&] {
            box = FindWindowOf(process_.dwProcessId, L"#32770", main_);
            return box != nullptr;
          },
          timeout)) {
    return std::nullopt;
  }
  MessageBoxView view;
  view.hwnd = box;
  view.title = WindowText(box);
  // Windows keeps the text in the static with id 0xFFFF, Wine in the one with id 100.
  for (const int id : {0xFFFF, 100}) {
    if (const HWND text = GetDlgItem(box, id)) view.text = WindowText(text);
    if (!view.text.empty()) break;
  }
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (ClassOf(child) == L"Button") {
      const int id = GetDlgCtrlID(child);
      view.buttons.push_back(id);
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.defaultButton = id;
    }
  }
  return view;
}

bool RunningApp::Exited(std::chrono::milliseconds timeout) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) ==
         WAIT_OBJECT_0;
}

COLORREF RunningApp::PixelAt(POINT client) const {
  ClientToScreen(main_, &client);
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::vector<DWORD> Capture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{sizeof(info), width, -height, 1, 32, BI_RGB};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace orvanto::ui
