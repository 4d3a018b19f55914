// The window's messages: control notifications forwarded to the program's handlers, focus, drops,
// the mouse for the tooltips, the end of the session.
#include "win32/MainWindow.h"

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>

#include <algorithm>

#include "win32/Colours.h"
#include "win32/ControlIds.h"
#include "win32/Text.h"

namespace orvanto::win32 {

namespace {

// WM_GETDPISCALEDSIZE, sent from Windows 10 1703 on; the headers give it only to programs that
// need that version.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// Where the focus goes first: the first control of the tab order.
Ctl FirstTabStop() { return std::ranges::find(Controls(), 0, &ControlDesc::tabIndex)->id; }

// shell32 is loaded when something is dropped, not at start: importing it cost a megabyte of
// memory and a tenth of the start-up under Wine.
struct DropApi {
  UINT(WINAPI* queryFile)(HDROP, UINT, LPWSTR, UINT) = nullptr;
  void(WINAPI* finish)(HDROP) = nullptr;

  DropApi() {
    const HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    queryFile = reinterpret_cast<decltype(queryFile)>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "DragQueryFileW")));
    finish = reinterpret_cast<decltype(finish)>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "DragFinish")));
  }
};

const DropApi& Drop() {
  static const DropApi api;
  return api;
}

}  // namespace

std::optional<std::string> FirstDroppedPath(HDROP drop) {
  const auto query = Drop().queryFile;
  const UINT length = query ? query(drop, 0, nullptr, 0) : 0;
  if (length == 0) return std::nullopt;
  std::wstring path(length + 1, L'\0');
  path.resize(query(drop, 0, path.data(), length + 1));
  return Narrow(path);
}

MainWindow::MainWindow(HINSTANCE instance, FileSystem& files, SettingsStore& settings,
                       NumberLocale& locale)
    : instance_(instance), handlers_(Ports{*this, rangeBar_, files, settings, locale}) {
  // Made once, one for each background colour the description names; looked up by colour.
  for (const ControlDesc& desc : Controls()) {
    if (!desc.backColour) continue;
    const COLORREF colour = ToColorRef(*desc.backColour);
    if (std::ranges::find(backBrushes_, colour, &Brush::colour) == backBrushes_.end()) {
      backBrushes_.push_back({colour, ScopedBrush(CreateSolidBrush(colour))});
    }
  }
}

void MainWindow::Show(int showCommand, const std::optional<std::string>& folder) {
  ShowWindow(hwnd_, showCommand);
  // Opened once the window is on screen, so that a message about the folder has its window, and
  // before the first paint, so that the lists never show the start directory first.
  if (folder) handlers_.OpenDropped(*folder);
  UpdateWindow(hwnd_);
  RestoreFocus();
}

std::optional<Ctl> MainWindow::ControlOf(HWND child) const {
  const auto it = std::ranges::find(controls_, child);
  if (!child || it == controls_.end()) return std::nullopt;
  return static_cast<Ctl>(it - controls_.begin());
}

void MainWindow::OnCommand(int id, int code) {
  const HWND directories = Control(Ctl::lst_Path);
  if (id == IDOK && ready_ && !ended_ && GetFocus() == directories) {
    // Enter in the directory list opens the highlighted entry, as a double click does.
    handlers_.OpenDirectory(static_cast<int>(SendMessageW(directories, LB_GETCURSEL, 0, 0)));
    return;
  }
  const int index = id - kFirstControlId;
  if (!ready_ || ended_ || index < 0 || index >= static_cast<int>(kControlCount)) return;
  const Ctl control = static_cast<Ctl>(index);
  switch (Describe(control).kind) {
    case Kind::CommandButton:
      if (code == BN_CLICKED) handlers_.OnEvent(control, Event::Click);
      break;
    case Kind::TextBox:
      if (code == EN_CHANGE) handlers_.OnEvent(control, Event::Change);
      break;
    case Kind::DriveList: {
      // A drive counts as picked once the drop-down is closed, so that scrolling through the
      // open list does not open every drive on the way.
      const HWND drives = Control(control);
      const bool dropped = SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0);
      if (code == CBN_DROPDOWN) handlers_.RefreshDrives();  // a stick may have come or gone
      if ((code == CBN_SELCHANGE && !dropped) || code == CBN_CLOSEUP) {
        handlers_.ChooseDrive(static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)));
      }
      break;
    }
    case Kind::DirList:
      if (code == LBN_DBLCLK) {
        handlers_.OpenDirectory(static_cast<int>(SendMessageW(directories, LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

void MainWindow::RelayMouse(const MSG& msg) const {
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void MainWindow::RestoreFocus() {
  const HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Control(FirstTabStop());
  SetFocus(target);
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->HandleMessage(message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlID != static_cast<UINT>(ControlId(Ctl::lst_Path))) break;
      measure->itemHeight = static_cast<UINT>(DirectoryItemHeight());
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlID != static_cast<UINT>(ControlId(Ctl::lst_Path))) break;
      DrawDirectoryItem(*draw);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case kGetDpiScaledSize:
      // The size the window has at the new DPI, so that the rectangle Windows then suggests with
      // WM_DPICHANGED has it already.
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeAt({static_cast<UINT>(wParam)});
      return TRUE;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    case WM_SETTINGCHANGE:  // high contrast switched on or off
    case WM_SYSCOLORCHANGE:
      FollowColours(message == WM_SYSCOLORCHANGE);
      return 0;
    case WM_DEVICECHANGE:
      if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && ready_ &&
          !ended_) {
        handlers_.RefreshDrives();
      }
      return TRUE;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      const auto path = FirstDroppedPath(drop);
      if (Drop().finish) Drop().finish(drop);
      if (path && ready_ && !ended_) handlers_.OpenDropped(*path);
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing to save: the program never holds work of the user's
    case WM_ENDSESSION:
      // The process may be ended at any moment after this: a handler waiting on a question can
      // only stop, so the window goes as if closed, and its open box answers None.
      if (wParam) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      // Closing (WM_CLOSE from the user, taskkill or "End task") destroys the window even while a
      // handler waits on a message box: the box goes with it, and nothing may follow it.
      ended_ = true;
      handlers_.WindowClosed();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace orvanto::win32
