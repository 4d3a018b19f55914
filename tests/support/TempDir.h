#pragma once

// A fresh directory under the Wine prefix's temp directory for one test, removed with everything
// in it; shared by the tests that run under Wine.

#include <windows.h>

#include <string>

#include "win32/Text.h"

namespace orvanto::win32 {

class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH]{};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"orvanto-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter_++);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() { RemoveTree(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& Root() const { return path_; }
  std::string Path(const std::wstring& name = L"") const { return Narrow(path_ + L"\\" + name); }
  std::wstring Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL,
                    const std::string& content = "", LONGLONG length = -1) const {
    const std::wstring full = path_ + L"\\" + name;
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &done, nullptr);
    if (length >= 0) {  // sparse on the host: no disk space needed
      LARGE_INTEGER size{};
      size.QuadPart = length;
      SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
    }
    CloseHandle(file);
    SetFileAttributesW(full.c_str(), attributes);
    return full;
  }

 private:
  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = dir + L"\\" + name;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(full);
        } else {
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
  }

  static inline int counter_ = 0;
  std::wstring path_;
};

}  // namespace orvanto::win32
