#include "win32/Dpi.h"

namespace orvanto::win32 {

namespace {

struct DpiApi {
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* getDpiForSystem)() = nullptr;
  int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* adjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;

  DpiApi() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    Load(user32, "GetDpiForWindow", getDpiForWindow);
    Load(user32, "GetDpiForSystem", getDpiForSystem);
    Load(user32, "GetSystemMetricsForDpi", getSystemMetricsForDpi);
    Load(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
  }

  template <typename F>
  static void Load(HMODULE module, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};

const DpiApi& Api() {
  static const DpiApi api;
  return api;
}

}  // namespace

UINT SystemDpi() {
  if (Api().getDpiForSystem) return Api().getDpiForSystem();
  const HDC screen = GetDC(nullptr);
  const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi;
}

UINT WindowDpi(HWND hwnd) {
  if (Api().getDpiForWindow) {
    if (const UINT dpi = Api().getDpiForWindow(hwnd)) return dpi;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  if (Api().getSystemMetricsForDpi) return Api().getSystemMetricsForDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
  RECT rect{0, 0, width, height};
  if (!Api().adjustWindowRectExForDpi ||
      !Api().adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace orvanto::win32
