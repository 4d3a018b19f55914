#pragma once

// What the tests that run under Wine make for themselves and remove again: a fresh directory under
// the prefix's temp directory, and a drive that is not ready.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/Text.h"

namespace orvanto::win32 {

// Names and lengths.
using Files = std::vector<std::pair<std::wstring, LONGLONG>>;

class TempDir {
 public:
  // Named as the system names temporary files, by a name no entry has yet: a process id repeats
  // across Wine's restarts, and a folder left by an older run must never be taken for this one.
  explicit TempDir(const Files& files = {}) {
    wchar_t base[MAX_PATH]{}, name[MAX_PATH]{};
    GetTempPathW(MAX_PATH, base);
    if (!GetTempFileNameW(base, L"orv", 0, name) || !DeleteFileW(name) ||
        !CreateDirectoryW(name, nullptr))
      throw std::runtime_error("no fresh temporary directory");
    path_ = name;
    for (const auto& [file, length] : files) Make(file, 0, "", length);
  }
  // With whole paths, however long.
  ~TempDir() { Remove(L"\\\\?\\" + path_); }

  const std::wstring& Root() const { return path_; }
  std::string Path(const std::wstring& name = L"") const { return Narrow(path_ + L"\\" + name); }
  // Makes the folders on the way too, and a folder where the name ends in a backslash; a `length`
  // beyond the content is sparse on the host. Attributes 0 leave the file as created.
  void Make(const std::wstring& name, DWORD attributes = 0, const std::string& content = "",
            LONGLONG length = -1) const {
    for (size_t slash = name.find(L'\\'); slash != name.npos; slash = name.find(L'\\', slash + 1))
      CreateDirectoryW((path_ + L"\\" + name.substr(0, slash)).c_str(), nullptr);
    const std::wstring full = path_ + L"\\" + name;
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, content.data(), DWORD(content.size()), &done, nullptr);
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
  // Depth first. The tests link only to files, which Wine shows as plain files: a link is removed
  // itself, never what it leads to.
  static void Remove(const std::wstring& dir) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &entry);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry)) {
      const std::wstring name = entry.cFileName, path = dir + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        Remove(path);
      else
        DeleteFileW(path.c_str());
    }
    FindClose(find);
    RemoveDirectoryW(dir.c_str());
  }

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

  std::string drive = "q:";
};

}  // namespace orvanto::win32
