#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <new>

#include "app/CommandLine.h"
#include "win32/MainWindow.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

// The library's default terminate handler writes the exception's type to the standard error, which
// a window program has not, and brings a name demangler of 45 KB with it. Defined here under its
// name, this one is linked instead and ends the program as that one does after its message.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// A failed allocation ends the program where it fails, as an uncaught bad_alloc did: the program
// has no unwind tables for an exception to find its way out through. The library's operator
// delete frees with free().
void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  std::abort();
}

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
    window.RelayMouse(msg);
    if (!IsDialogMessageW(window.Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
