#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "app/CommandLine.h"
#include "win32/MainWindow.h"
#include "win32/Text.h"
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
  // A folder from Explorer ("Send To", a shortcut, a drop on the program's icon). The raw command
  // line, since the C runtime's arguments turn "D:\" into D:".
  window.Show(showCommand, orvanto::FirstArgument(Narrow(GetCommandLineW())));

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window.Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
