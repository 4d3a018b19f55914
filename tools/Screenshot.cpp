// Pictures the window as a user sees it after the worked example, at a given DPI and language,
// optionally under another system message font:
//   orvanto_screenshot.exe <dpi> <de|en> <file.bmp> [<message font face> <points>]
// scripts/screenshots.sh runs it for every DPI and language and keeps the pictures in docs/.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UiDriver.h"

namespace {

using namespace orvanto;
using namespace orvanto::ui;

bool SaveBitmap(HWND window, const std::wstring& path) {
  // The client area: without a window manager (Xvfb) nothing draws a frame around it.
  const Shot shot = Capture(window);
  const BITMAPINFOHEADER info{sizeof(info), shot.width, -shot.height, 1, 32, BI_RGB};  // top-down
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const DWORD bytes = static_cast<DWORD>(shot.pixels.size() * sizeof(DWORD));
  const BITMAPFILEHEADER file{0x4D42, offset + bytes, 0, 0, offset};
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  fwrite(&file, sizeof(file), 1, out);
  fwrite(&info, sizeof(info), 1, out);
  fwrite(shot.pixels.data(), 1, bytes, out);
  return fclose(out) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4 && argc != 6) {
    fwprintf(stderr,
             L"usage: orvanto_screenshot <dpi> <de|en> <file.bmp> [<font face> <points>]\n");
    return 2;
  }
  const RegistryOverride dpi(L"Control Panel\\Desktop", L"LogPixels",
                             static_cast<DWORD>(_wtoi(argv[1])));
  const RegistryOverride language(L"Software\\Tolva\\Settings", L"English",
                                  std::wstring(argv[2]) == L"en" ? L"True" : L"False");
  const RegistryOverride decimal(L"Control Panel\\International", L"sDecimal", L",");
  const RegistryOverride thousand(L"Control Panel\\International", L"sThousand", L".");
  std::unique_ptr<MessageFontOverride> font;
  if (argc == 6) font = std::make_unique<MessageFontOverride>(argv[4], _wtoi(argv[5]));

  // An IFOEdit output of 5,23 GB, so that the worked example's numbers appear.
  win32::TempDir dvd;
  const std::wstring movie = L"DVD\\MOVIE";
  dvd.Make(movie + L"\\VTS_01_0.IFO", FILE_ATTRIBUTE_NORMAL, "", 24'576);
  dvd.Make(movie + L"\\VTS_01_0.BUP", FILE_ATTRIBUTE_NORMAL, "", 24'576);
  for (int i = 1; i <= 5; ++i) {
    dvd.Make(movie + L"\\VTS_01_" + std::to_wstring(i) + L".VOB", FILE_ATTRIBUTE_NORMAL, "",
             1'123'117'904);
  }
  RunningApp app(dvd.Root() + L"\\" + movie);
  if (!app.Main()) return 1;
  app.SetText(Ctl::inp_Playtime, L"8356,1");
  app.SetText(Ctl::inp_Bitrate, L"5390000");
  app.Click(Ctl::btn_Calculate);
  if (const auto question = app.WaitForMessageBox()) question->Press(IDYES);
  WaitUntil([&] { return !app.Text(Ctl::dsp_NewBr).empty(); });
  Sleep(500);  // the last paint
  return SaveBitmap(app.Main(), argv[3]) ? 0 : 1;
}
