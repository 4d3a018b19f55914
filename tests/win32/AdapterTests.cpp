#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "common/KavelModules.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

namespace orvanto::win32 {
namespace {

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

TEST(RegistrySettingsOnDisk, RoundTripsUnderTheCurrentUser) {
  RegistrySettings settings;
  const std::string app = "OrvantoTest" + std::to_string(GetCurrentProcessId());
  EXPECT_EQ(settings.Read(app, "Settings", "English"), "");
  ASSERT_TRUE(settings.Write(app, "Settings", "English", "True"));
  EXPECT_EQ(settings.Read(app, "Settings", "English"), "True");
  ASSERT_TRUE(settings.Write(app, "Settings", "English", "Fälse"));
  EXPECT_EQ(settings.Read(app, "Settings", "English"), "Fälse");
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen("Software\\" + app).c_str());
}

TEST(DrivesOnDisk, OpenTheCurrentDirectoryAndRefuseADriveThatIsNotReady) {
  Win32FileSystem files;
  const std::string current = files.CurrentDirectory();
  EXPECT_EQ(files.OpenDrive(current.substr(0, 2)), current);
  EXPECT_FALSE(files.OpenDrive("q:"));
  EXPECT_FALSE(files.ListSubdirectories("q:\\"));
  EXPECT_FALSE(files.DirectoryExists("q:\\"));
}

TEST(FileLengthOnDisk, CountsFilesBeyondFourGigabytesInFull) {
  TempDir dir;
  dir.Make(L"BIG.VOB", FILE_ATTRIBUTE_NORMAL, "", 5LL << 30);
  EXPECT_EQ(Win32FileSystem().FileLength(dir.Path(L"BIG.VOB")), 5ull << 30);
}

}  // namespace
}  // namespace orvanto::win32
