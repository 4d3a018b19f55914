#pragma once

#include <windows.h>

#include <vector>

#include "platform/Canvas.h"
#include "win32/ScopedWin.h"

namespace orvanto::win32 {

// The picture box of the range bar: a window of its own that shows a back buffer, so the
// picture survives being covered. The drawing is kept as a list of operations and rendered into
// the buffer when it changed, the window changed size (a new DPI) or the user's colours changed,
// so it stays sharp and in the scheme's colours.
class RangeBar final : public Canvas {
 public:
  static constexpr const wchar_t* kClassName = L"OrvantoPictureBox";
  static bool Register(HINSTANCE instance);
  ~RangeBar() override;

  void Attach(HWND hwnd);

  void Clear() override;
  void SetScale(float width, float height) override;
  void FillRect(float x1, float y1, float x2, float y2, Colour colour) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;

 private:
  struct Operation {
    enum class Kind { Scale, Fill, Line } kind;
    float x1, y1, x2, y2;
    Colour colour;
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Add(const Operation& operation);
  void Invalidate();
  void Render();
  void Paint(HDC dc);

  HWND hwnd_ = nullptr;
  std::vector<Operation> operations_;
  // The bitmap is taken out of the DC before either is released (see ~RangeBar), and is declared
  // first so that it outlives the DC.
  ScopedBitmap buffer_;
  ScopedMemoryDc bufferDc_;
  HGDIOBJ originalBitmap_ = nullptr;
  SIZE size_{};
  bool dirty_ = true;
};

}  // namespace orvanto::win32
