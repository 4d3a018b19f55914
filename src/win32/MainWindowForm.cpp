// The window as the program's handlers see it: the Form port.
#include "win32/MainWindow.h"
#include "win32/Text.h"

namespace orvanto::win32 {

namespace {

std::string WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

// The message-box styles as Windows numbers them: buttons + icon + default button.
constexpr UINT kInfo = MB_OK | MB_ICONINFORMATION;

constexpr UINT kAskDefaultYes = MB_YESNO | MB_ICONQUESTION;

constexpr UINT kAskDefaultNo = kAskDefaultYes | MB_DEFBUTTON2;

static_assert(kInfo == 64 && kAskDefaultYes == 36 && kAskDefaultNo == 292);

UINT BoxStyle(MessageStyle style) {
  switch (style) {
    case MessageStyle::AskDefaultYes:
      return kAskDefaultYes;
    case MessageStyle::AskDefaultNo:
      return kAskDefaultNo;
    case MessageStyle::Info:
      break;
  }
  return kInfo;
}

}  // namespace

std::string MainWindow::Text(Ctl control) { return WindowText(Control(control)); }

void MainWindow::SetText(Ctl control, std::string_view text) {
  SetWindowTextW(Control(control), Widen(text).c_str());
}

std::string MainWindow::Title() { return WindowText(hwnd_); }

void MainWindow::SetTitle(std::string_view title) { SetWindowTextW(hwnd_, Widen(title).c_str()); }

Answer MainWindow::ShowMessage(std::string_view text, std::string_view title, MessageStyle style) {
  if (ended_) return Answer::None;
  switch (MessageBoxW(hwnd_, Widen(text).c_str(), Widen(title).c_str(), BoxStyle(style))) {
    case IDOK:
      return Answer::Ok;
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:  // 0 when the box went with its window, or anything unexpected
      return Answer::None;
  }
}

void MainWindow::CopyPicture(Ctl source, Ctl target) {
  copiedPicture_ = PictureOf(Describe(source));
  copiedTarget_ = target;
  ShowPictures();
}

void MainWindow::ShowDrives(const std::vector<std::string>& items, int selected) {
  const HWND list = Control(Ctl::lst_Drive);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void MainWindow::ShowDirectories(const std::vector<DirEntry>& entries, int current) {
  const HWND list = Control(Ctl::lst_Path);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const DirEntry& entry : entries) {
    const auto index =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry.text).c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index),
                 MAKELPARAM(entry.depth, entry.open ? 1 : 0));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::ShowFiles(const std::vector<std::string>& names) {
  const HWND list = Control(Ctl::lst_File);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::EndProgram() {
  ended_ = true;
  DestroyWindow(hwnd_);
}

}  // namespace orvanto::win32
