// What the window draws itself: the directory list's lines, and the colours of its controls.
#include <algorithm>

#include "win32/Colours.h"
#include "win32/MainWindow.h"

namespace orvanto::win32 {

int MainWindow::DirectoryItemHeight() const {
  TEXTMETRICW metrics{};
  const WindowDc dc(hwnd_);
  const SelectGuard font(dc.Get(), FontOf(Describe(Ctl::lst_Path)));
  GetTextMetricsW(dc.Get(), &metrics);
  const int icon = SystemMetricForDpi(SM_CYSMICON, dpi_);
  return std::max<int>(metrics.tmHeight, icon) + Scale().Pixels(2);
}

void MainWindow::DrawDirectoryItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return;
  }
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);

  const auto data = static_cast<LPARAM>(item.itemData);
  const int depth = LOWORD(data);
  const bool open = HIWORD(data) != 0;
  const int icon = SystemMetricForDpi(SM_CXSMICON, dpi_);
  int x = r.left + Scale().Pixels(2) + depth * Scale().Pixels(10);
  if (const HICON folder = open ? openFolder_.Get() : closedFolder_.Get()) {
    DrawIconEx(dc, x, r.top + (r.bottom - r.top - icon) / 2, folder, icon, icon, 0, nullptr,
               DI_NORMAL);
  }
  x += icon + Scale().Pixels(4);

  const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
  RECT textRect{x, r.top, r.right, r.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

LRESULT MainWindow::OnControlColour(UINT message, HDC dc, HWND child) {
  const auto control = ControlOf(child);
  if (!control)
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child));
  const ControlColours colours = ColoursOf(Describe(*control), highContrast_);
  SetTextColor(dc, ToColorRef(colours.text));
  const COLORREF back = ToColorRef(colours.back);
  SetBkColor(dc, back);
  if (const auto* scheme = std::get_if<SystemColour>(&colours.back))
    return reinterpret_cast<LRESULT>(GetSysColorBrush(SysColorIndex(*scheme)));
  return reinterpret_cast<LRESULT>(
      std::ranges::find(backBrushes_, back, &Brush::colour)->handle.Get());
}

void MainWindow::FollowColours(bool schemeChanged) {
  const bool on = HighContrastOn();
  if (on == highContrast_ && !schemeChanged) return;
  highContrast_ = on;
  handlers_.SetHighContrast(on);
  // The controls of common controls 6 keep the scheme's colours until they are told.
  if (schemeChanged)
    for (const HWND child : controls_) SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace orvanto::win32
