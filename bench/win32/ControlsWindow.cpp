// Start-up baseline, the floor of the toolkit: common controls 6 (the program's own manifest), one
// window holding as many standard controls of the same classes as the program's window, each
// with a caption and the message font, and a tooltip control. No files, no registry, no icons.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

namespace {

struct ControlKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  int count;
};

// The program's 51 controls by class: its range bar (a class of its own there) is a STATIC here.
constexpr ControlKind kKinds[] = {
    {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, 36},
    {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 6},
    {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, 3},
    {WC_BUTTONW, BS_GROUPBOX, 0, 3},
    {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 1},
    {WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE, 2},
};

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BenchControlsWindow";
  if (!RegisterClassExW(&wc)) return 1;
  const HWND hwnd = CreateWindowExW(
      0, wc.lpszClassName, L"Controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 880, 480, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

  int n = 0;
  for (const ControlKind& kind : kKinds) {
    for (int i = 0; i < kind.count; ++i, ++n) {
      wchar_t caption[16];
      wsprintfW(caption, L"Control %d", n);
      const HWND child = CreateWindowExW(
          kind.exStyle, kind.className, caption, WS_CHILD | WS_VISIBLE | kind.style,
          10 + (n % 6) * 140, 10 + (n / 6) * 48, 130, 40, hwnd,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + n)), instance, nullptr);
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  }
  const HWND tooltip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, instance, nullptr);
  if (n != 51 || !tooltip) return 1;

  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DeleteObject(font);
  return static_cast<int>(msg.wParam);
}
