#pragma once

// What the tests that run under Wine make for themselves and remove again: a fresh directory under
// the prefix's temp directory, and a drive that is not ready.

#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win32/Text.h"

namespace orvanto::win32 {

using Files = std::vector<std::pair<std::wstring, LONGLONG>>;  // names and lengths

class TempDir {
 public:
  explicit TempDir(const Files& files = {}) {
    wchar_t base[MAX_PATH]{};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"orvanto-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter_++);
    CreateDirectoryW(path_.c_str(), nullptr);
    for (const auto& [name, length] : files) Make(name, FILE_ATTRIBUTE_NORMAL, "", length);
  }
  ~TempDir() {  // with everything in it, read-only, hidden and system files too
    const std::wstring from = path_ + L'\0';  // a list of one, ended by two zeros
    SHFILEOPSTRUCTW remove{.wFunc = FO_DELETE, .pFrom = from.c_str(), .fFlags = FOF_NO_UI};
    SHFileOperationW(&remove);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& Root() const { return path_; }
  std::string Path(const std::wstring& name = L"") const { return Narrow(path_ + L"\\" + name); }
  // Makes the folders on the way too; a `length` beyond the content is sparse on the host.
  void Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL,
            const std::string& content = "", LONGLONG length = -1) const {
    for (size_t slash = name.find(L'\\'); slash != name.npos; slash = name.find(L'\\', slash + 1))
      CreateDirectoryW((path_ + L"\\" + name.substr(0, slash)).c_str(), nullptr);
    const std::wstring full = path_ + L"\\" + name;
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &done, nullptr);
    if (length >= 0) {
      SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = length}, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
    }
    CloseHandle(file);
    SetFileAttributesW(full.c_str(), attributes);
  }
  std::string Read(const std::wstring& name) const {
    std::ifstream file((path_ + L"\\" + name).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
};

// The first free drive letter from q: on, leading to a directory that does not exist: the drive
// is listed but not ready, like a drive without its medium. A device link, not a dosdevices
// symlink: Wine sees only such a link made after its server started.
struct NotReadyDrive {
  NotReadyDrive() {
    while (GetLogicalDrives() & (1u << (drive[0] - 'a'))) ++drive[0];
    DefineDosDeviceW(0, Widen(drive).c_str(), L"C:\\orvanto-no-medium");
  }
  ~NotReadyDrive() { DefineDosDeviceW(DDD_REMOVE_DEFINITION, Widen(drive).c_str(), nullptr); }
  NotReadyDrive(const NotReadyDrive&) = delete;
  NotReadyDrive& operator=(const NotReadyDrive&) = delete;

  std::string drive = "q:";
};

}  // namespace orvanto::win32
