// Pictures the window as a user sees it after the worked example, at a given DPI and language:
//   orvanto_screenshot.exe <dpi> <de|en> <file.bmp>
// scripts/screenshots.sh runs it for every DPI and language and keeps the pictures in docs/.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UiDriver.h"

namespace {

using namespace orvanto;
using namespace orvanto::ui;

bool SaveBitmap(HWND window, const std::wstring& path) {
  // The client area: without a window manager (Xvfb) nothing draws a frame around it.
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB};
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  fwrite(&file, sizeof(file), 1, out);
  fwrite(&info, sizeof(info), 1, out);
  fwrite(pixels.data(), 1, pixels.size(), out);
  return fclose(out) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    fwprintf(stderr, L"usage: orvanto_screenshot <dpi> <de|en> <file.bmp>\n");
    return 2;
  }
  const RegistryOverride dpi(L"Control Panel\\Desktop", L"LogPixels",
                             static_cast<DWORD>(_wtoi(argv[1])));
  const RegistryOverride language(L"Software\\Tolva\\Settings", L"English",
                                  std::wstring(argv[2]) == L"en" ? L"True" : L"False");
  const RegistryOverride decimal(L"Control Panel\\International", L"sDecimal", L",");
  const RegistryOverride thousand(L"Control Panel\\International", L"sThousand", L".");

  // An IFOEdit output of 5,23 GB, so that the worked example's numbers appear.
  win32::TempDir dvd;
  CreateDirectoryW((dvd.Root() + L"\\DVD").c_str(), nullptr);
  const std::wstring movie = L"DVD\\MOVIE";
  CreateDirectoryW((dvd.Root() + L"\\" + movie).c_str(), nullptr);
  dvd.Make(movie + L"\\VTS_01_0.IFO", FILE_ATTRIBUTE_NORMAL, "", 24'576);
  dvd.Make(movie + L"\\VTS_01_0.BUP", FILE_ATTRIBUTE_NORMAL, "", 24'576);
  for (int i = 1; i <= 5; ++i) {
    dvd.Make(movie + L"\\VTS_01_" + std::to_wstring(i) + L".VOB", FILE_ATTRIBUTE_NORMAL, "",
             1'123'117'904);
  }
  RunningApp app(dvd.Root() + L"\\" + movie);
  if (!app.Started()) return 1;
  app.SetText(Ctl::inp_Playtime, L"8356,1");
  app.SetText(Ctl::inp_Bitrate, L"5390000");
  app.Click(Ctl::btn_Calculate);
  if (const auto question = app.WaitForMessageBox()) question->Press(IDYES);
  WaitUntil([&] { return !app.Text(Ctl::dsp_NewBr).empty(); });
  Sleep(500);  // the last paint
  return SaveBitmap(app.Main(), argv[3]) ? 0 : 1;
}
