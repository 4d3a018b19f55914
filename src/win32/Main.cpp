#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "win32/MainWindow.h"
#include "win32/Win32Ports.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // A drive without a medium must never raise the system's "no disk" dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS);

  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  using namespace orvanto::win32;
  Win32FileSystem files;
  RegistrySettings settings;
  UserNumberLocale locale;
  MainWindow window(instance, files, settings, locale);
  if (!MainWindow::Register(instance) || !window.Create()) return 1;
  window.Show(showCommand);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window.Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
