#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "common/KavelModules.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

namespace orvanto::win32 {
namespace {

// A fresh directory under the prefix's temp directory, removed with everything in it.
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

  std::string Path(const std::wstring& name = L"") const { return Narrow(path_ + L"\\" + name); }
  std::wstring Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL,
                    const std::string& content = "") const {
    const std::wstring full = path_ + L"\\" + name;
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &done, nullptr);
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

TEST(FileExistsOnDisk, FindsHiddenAndSystemFilesOnly) {
  TempDir dir;
  dir.Make(L"plain.cffl");
  dir.Make(L"hidden.cffl", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"system.cffl", FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryW(Widen(dir.Path(L"folder.cffl")).c_str(), nullptr);

  Win32FileSystem files;
  const struct {
    std::string path;
    bool expected;
  } cases[] = {
      {dir.Path(L"plain.cffl"), true},
      {dir.Path(L"PLAIN.CFFL"), true},
      {dir.Path(L"hidden.cffl"), true},
      {dir.Path(L"system.cffl"), true},
      {dir.Path(L"h*.cffl"), true},
      {dir.Path(L"folder.cffl"), false},
      {dir.Path(L"missing.cffl"), false},
      {dir.Path(L"missing\\plain.cffl"), false},
      {dir.Path(L"bad<name>|.cffl"), false},
      {"", false},
      // The test run links drive Q: to a path that does not exist: a drive that is not ready.
      {"q:\\movie.cffl", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KavelModules::FileExists(files, c.path), c.expected) << c.path;
  }
}

TEST(FindFilesOnDisk, ReportsOnlyPlainFilesWhoseLongNameMatches) {
  TempDir dir;
  dir.Make(L"VTS_01_1.VOB");
  dir.Make(L"vts_01_2.vob");
  dir.Make(L"HIDDEN.VOB", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"SYSTEM.VOB", FILE_ATTRIBUTE_SYSTEM);
  dir.Make(L"notes.vobx");
  CreateDirectoryW(Widen(dir.Path(L"DIR.VOB")).c_str(), nullptr);

  Win32FileSystem files;
  auto found = files.FindFiles(dir.Path(L"*.VOB"), 0);
  ASSERT_TRUE(found);
  std::sort(found->begin(), found->end());
  EXPECT_EQ(*found, (std::vector<std::string>{"VTS_01_1.VOB", "vts_01_2.vob"}));

  const auto none = files.FindFiles(dir.Path(L"*.IFO"), 0);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(files.FindFiles(dir.Path(L"gone\\*.VOB"), 0));
}

}  // namespace
}  // namespace orvanto::win32
