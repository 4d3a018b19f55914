#include <windows.h>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "cffl/FolderLists.h"
#include "common/KavelModules.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

namespace orvanto::win32 {
namespace {

TEST(FilesOnDisk, ExistEvenHiddenOrSystemAndCountBeyondFourGigabytesInFull) {
  TempDir dir;
  dir.Make(L"plain.cffl");
  dir.Make(L"BIG.VOB", FILE_ATTRIBUTE_NORMAL, "", 5LL << 30);
  dir.Make(L"hidden.cffl", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"system.cffl", FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryW(Widen(dir.Path(L"folder.cffl")).c_str(), nullptr);

  Win32FileSystem files;
  const std::pair<std::string, bool> cases[] = {
      {dir.Path(L"plain.cffl"), true},    {dir.Path(L"PLAIN.CFFL"), true},
      {dir.Path(L"hidden.cffl"), true},   {dir.Path(L"system.cffl"), true},
      {dir.Path(L"h*.cffl"), true},       {dir.Path(L"folder.cffl"), false},
      {dir.Path(L"gone\\x.cffl"), false}, {dir.Path(L"bad<name>|.cffl"), false},
  };
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(KavelModules::FileExists(files, path), expected) << path;
  EXPECT_EQ(files.FileLength(dir.Path(L"BIG.VOB")), 5ull << 30);
}

TEST(SearchesOnDisk, ReportPlainFilesByLongNameAndEveryDirectoryWithItsAttributes) {
  TempDir dir;
  dir.Make(L"VTS_01_1.VOB");
  dir.Make(L"vts_01_2.vob");
  dir.Make(L"HIDDEN.VOB", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"SYSTEM.VOB", FILE_ATTRIBUTE_SYSTEM);
  dir.Make(L"notes.vobx");
  for (const auto& [name, attributes] : {std::pair{L"DIR.VOB", FILE_ATTRIBUTE_NORMAL},
                                         {L"Hidden", FILE_ATTRIBUTE_HIDDEN},
                                         {L"System", FILE_ATTRIBUTE_SYSTEM}}) {
    CreateDirectoryW(Widen(dir.Path(name)).c_str(), nullptr);
    SetFileAttributesW(Widen(dir.Path(name)).c_str(), attributes);
  }

  Win32FileSystem files;
  auto found = files.FindFiles(dir.Path(L"*.VOB"), 0);
  ASSERT_TRUE(found);
  std::ranges::sort(*found);
  EXPECT_EQ(*found, (std::vector<std::string>{"VTS_01_1.VOB", "vts_01_2.vob"}));
  EXPECT_EQ(files.FindFiles(dir.Path(L"*.IFO"), 0), std::vector<std::string>{});
  EXPECT_FALSE(files.FindFiles(dir.Path(L"gone\\*.VOB"), 0));

  const auto listed = files.ListSubdirectories(dir.Path());
  ASSERT_TRUE(listed);
  std::vector<std::string> directories;
  for (const FoundDirectory& d : *listed)
    directories.push_back(d.name + ":" + std::to_string(d.attributes));
  std::ranges::sort(directories);
  EXPECT_EQ(directories, (std::vector<std::string>{"DIR.VOB:0", "Hidden:2", "System:4"}));
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
  EXPECT_EQ(OpenDrive(files, current.substr(0, 2)), current);

  const NotReadyDrive notReady;
  const std::string& drive = notReady.drive;
  const auto listed = [&](const DriveInfo& d) { return d.drive == drive; };
  EXPECT_TRUE(std::ranges::any_of(files.ListDrives(), listed));
  EXPECT_FALSE(OpenDrive(files, drive));
  EXPECT_FALSE(files.ListSubdirectories(drive + "\\"));
  EXPECT_FALSE(KavelModules::FileExists(files, drive + "\\movie.cffl"));
}

TEST(WriteWholeFileOnDisk, ReplacesTheFileOrLeavesItAsItWas) {
  TempDir dir;
  Win32FileSystem files;
  const std::string bytes = "CFFL\r\nC:\\DVD\\VTS_01_1.VOB\r\n";
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"NEW.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"NEW.CFFL"), bytes);

  dir.Make(L"OLD.CFFL", FILE_ATTRIBUTE_NORMAL, "old content");
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"OLD.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"OLD.CFFL"), bytes);

  dir.Make(L"LOCKED.CFFL", FILE_ATTRIBUTE_READONLY, "keep me");
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"LOCKED.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"LOCKED.CFFL"), "keep me");

  CreateDirectoryW(Widen(dir.Path(L"FOLDER.CFFL")).c_str(), nullptr);
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"FOLDER.CFFL"), bytes));
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"missing\\X.CFFL"), bytes));
  // Nothing is left behind by the failed attempts.
  EXPECT_EQ(files.FindFiles(dir.Path(L"*"), kAttrHidden | kAttrSystem).value().size(), 3u);
}

TEST(ToAnsiOnDisk, RefusesWhatTheCodePageCannotHold) {
  Win32FileSystem files;
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix runs with the Western European code page";
  EXPECT_EQ(files.ToAnsi("C:\\Filme\\Größe.VOB"),
            "C:\\Filme\\Gr\xF6\xDF"
            "e.VOB");
  EXPECT_FALSE(files.ToAnsi("C:\\\u0141\u00F3d\u017A.VOB"));  // no best-fit "Lodz"
}

}  // namespace
}  // namespace orvanto::win32
