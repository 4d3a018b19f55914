#include "UiDriver.h"

#include <shlobj.h>

#include <cstring>
#include <thread>

namespace orvanto::ui {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  for (const auto end = std::chrono::steady_clock::now() + timeout; !condition();
       std::this_thread::sleep_for(20ms))
    if (std::chrono::steady_clock::now() > end) return false;
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

namespace {

// The visible top-level window of `processId` with the class, owned by `owner` if one is given.
HWND FindWindowOf(DWORD processId, const wchar_t* className, HWND owner) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == processId && IsWindowVisible(w) && (!owner || GetWindow(w, GW_OWNER) == owner))
      return w;
  }
  return nullptr;
}

}  // namespace

RunningApp::RunningApp(const std::wstring& workDir, const std::wstring& arguments) {
  // Without a program name, Windows looks for the program first where this one was loaded from.
  std::wstring commandLine = L"Orvanto.exe " + arguments;
  STARTUPINFOW startup{sizeof(startup)};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &startup, &process_))
    return;
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

std::vector<std::wstring> RunningApp::Items(Ctl list) const {
  const HWND hwnd = Control(list);
  const bool drop = list == Ctl::lst_Drive;  // the drop-down list; the others are list boxes
  std::vector<std::wstring> items(
      static_cast<size_t>(SendMessageW(hwnd, drop ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)));
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].resize(
        static_cast<size_t>(SendMessageW(hwnd, drop ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0)) + 1);
    SendMessageW(hwnd, drop ? CB_GETLBTEXT : LB_GETTEXT, i,
                 reinterpret_cast<LPARAM>(items[i].data()));
    items[i].pop_back();
  }
  return items;
}

void* RunningApp::CopyIn(const void* data, size_t size) const {
  void* copy = VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(process_.hProcess, copy, data, size, nullptr);
  return copy;
}

void RunningApp::Drop(const std::wstring& path) const {
  std::vector<BYTE> block(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
  *reinterpret_cast<DROPFILES*>(block.data()) = {sizeof(DROPFILES), {}, FALSE, TRUE};
  std::memcpy(block.data() + sizeof(DROPFILES), path.data(), path.size() * sizeof(wchar_t));
  SendMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(CopyIn(block.data(), block.size())),
               0);
}

std::optional<MessageBoxView> RunningApp::WaitForMessageBox(
    std::chrono::milliseconds timeout) const {
  MessageBoxView view;
  if (!WaitUntil([&] { return (view.hwnd = FindWindowOf(process_.dwProcessId, L"#32770", main_)); },
                 timeout))
    return std::nullopt;
  view.title = WindowText(view.hwnd);
  // Windows keeps the text in the static with id 0xFFFF, Wine in the one with id 100.
  view.text = WindowText(GetDlgItem(view.hwnd, GetDlgItem(view.hwnd, 0xFFFF) ? 0xFFFF : 100));
  for (HWND b = nullptr; (b = FindWindowExW(view.hwnd, b, L"Button", nullptr));) {
    const int id = GetDlgCtrlID(b);
    const std::wstring name = id == IDOK ? L"OK" : id == IDYES ? L"Yes" : id == IDNO ? L"No" : L"?";
    const bool isDefault = (GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    view.buttons += (view.buttons.empty() ? L"" : L" ") + (isDefault ? L"[" + name + L"]" : name);
  }
  return view;
}

}  // namespace orvanto::ui
