#include "win32/RangeBar.h"

#include <algorithm>
#include <cmath>

#include "win32/Colours.h"

namespace orvanto::win32 {

bool RangeBar::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

RangeBar::~RangeBar() {
  if (bufferDc_) SelectObject(bufferDc_.Get(), originalBitmap_);
}

void RangeBar::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Invalidate();
}

void RangeBar::Clear() {
  operations_.clear();
  Invalidate();
}

void RangeBar::SetScale(float width, float height) {
  Add({Operation::Kind::Scale, 0, 0, width, height, {}});
}

void RangeBar::FillRect(float x1, float y1, float x2, float y2, Colour colour) {
  Add({Operation::Kind::Fill, x1, y1, x2, y2, colour});
}

void RangeBar::Line(float x1, float y1, float x2, float y2, Colour colour) {
  Add({Operation::Kind::Line, x1, y1, x2, y2, colour});
}

void RangeBar::Add(const Operation& operation) {
  operations_.push_back(operation);
  Invalidate();
}

void RangeBar::Invalidate() {
  dirty_ = true;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void RangeBar::Render() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const SIZE size{client.right, client.bottom};
  if (!bufferDc_ || size.cx != size_.cx || size.cy != size_.cy) {
    // The old bitmap leaves its DC before either is replaced.
    if (bufferDc_) SelectObject(bufferDc_.Get(), originalBitmap_);
    const WindowDc screen(hwnd_);
    bufferDc_.Reset(CreateCompatibleDC(screen.Get()));
    buffer_.Reset(
        CreateCompatibleBitmap(screen.Get(), std::max(1L, size.cx), std::max(1L, size.cy)));
    originalBitmap_ = SelectObject(bufferDc_.Get(), buffer_.Get());
    size_ = size;
  }
  const HDC dc = bufferDc_.Get();
  ::FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // Every band and marker is filled with the DC's own brush, in its colour: no brush is made.
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));

  // User units to pixels; a coordinate on the far edge stays on the last pixel so that a marker
  // at full scale is visible.
  float scaleX = static_cast<float>(size.cx), scaleY = static_cast<float>(size.cy);
  const auto toX = [&](float x) { return static_cast<int>(std::floor(x * size.cx / scaleX)); };
  const auto toY = [&](float y) { return static_cast<int>(std::floor(y * size.cy / scaleY)); };
  for (const Operation& op : operations_) {
    const COLORREF colour = ToColorRef(op.colour);
    switch (op.kind) {
      case Operation::Kind::Scale:
        if (op.x2 > 0 && op.y2 > 0) {
          scaleX = op.x2;
          scaleY = op.y2;
        }
        break;
      case Operation::Kind::Fill: {
        const RECT r{toX(std::min(op.x1, op.x2)), toY(std::min(op.y1, op.y2)),
                     toX(std::max(op.x1, op.x2)), toY(std::max(op.y1, op.y2))};
        SetDCBrushColor(dc, colour);
        ::FillRect(dc, &r, brush);
        break;
      }
      case Operation::Kind::Line: {
        const auto clampEdge = [](int v, int limit) { return v == limit ? limit - 1 : v; };
        const int x1 = clampEdge(toX(op.x1), size.cx), x2 = clampEdge(toX(op.x2), size.cx);
        const int y1 = clampEdge(toY(op.y1), size.cy), y2 = clampEdge(toY(op.y2), size.cy);
        // Straight lines are the only ones drawn; as filled rectangles they include both ends.
        const RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1,
                     std::max(y1, y2) + 1};
        SetDCBrushColor(dc, colour);
        ::FillRect(dc, &r, brush);
        break;
      }
    }
  }
  dirty_ = false;
}

void RangeBar::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (dirty_ || !bufferDc_ || client.right != size_.cx || client.bottom != size_.cy) Render();
  BitBlt(dc, 0, 0, size_.cx, size_.cy, bufferDc_.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK RangeBar::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RangeBar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      if (self) self->Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      if (self) self->Invalidate();
      return 0;
    case WM_PRINTCLIENT:
      if (self) self->Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace orvanto::win32
