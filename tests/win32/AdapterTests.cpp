#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "cffl/FolderLists.h"
#include "common/KavelModules.h"
#include "win32/Colours.h"
#include "win32/MainWindow.h"
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
  EXPECT_EQ(std::ranges::count(files.ListDrives(), drive), 1);
  EXPECT_FALSE(OpenDrive(files, drive));
  EXPECT_FALSE(files.ListSubdirectories(drive + "\\"));
  EXPECT_FALSE(KavelModules::FileExists(files, drive + "\\movie.cffl"));
}

TEST(WriteWholeFileOnDisk, ReplacesTheEntryOrLeavesItAsItWas) {
  TempDir dir;
  Win32FileSystem files;
  const std::string bytes = "CFFL\r\nC:\\DVD\\VTS_01_1.VOB\r\n";
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"NEW.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"NEW.CFFL"), bytes);

  dir.Make(L"OLD.CFFL", FILE_ATTRIBUTE_HIDDEN, "old content");  // and the user's choice stays
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"OLD.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"OLD.CFFL"), bytes);
  EXPECT_TRUE(GetFileAttributesW(Widen(dir.Path(L"OLD.CFFL")).c_str()) & FILE_ATTRIBUTE_HIDDEN);

  // A link is replaced itself, the file it points to stays. Wine's CreateSymbolicLinkW makes none.
  dir.Make(L"out\\REAL.CFFL", FILE_ATTRIBUTE_NORMAL, "outside");
  std::wstring ln = L"Z:\\bin\\ln -s out/REAL.CFFL LINK.CFFL";
  STARTUPINFOW startup{.cb = sizeof(startup)};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, ln.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             dir.Root().c_str(), &startup, &process));
  // Wine starts a Linux program without a handle to wait on.
  for (int wait = 0; wait < 100 && dir.Read(L"LINK.CFFL").empty(); ++wait) Sleep(50);
  ASSERT_EQ(dir.Read(L"LINK.CFFL"), "outside");
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"LINK.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"LINK.CFFL"), bytes);
  EXPECT_EQ(dir.Read(L"out\\REAL.CFFL"), "outside");

  dir.Make(L"LOCKED.CFFL", FILE_ATTRIBUTE_READONLY, "keep me");
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"LOCKED.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"LOCKED.CFFL"), "keep me");
  dir.Make(L"BUSY.CFFL", FILE_ATTRIBUTE_NORMAL, "busy");
  const HANDLE held = CreateFileW(Widen(dir.Path(L"BUSY.CFFL")).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);  // by another program, not shared
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"BUSY.CFFL"), bytes));
  CloseHandle(held);
  EXPECT_EQ(dir.Read(L"BUSY.CFFL"), "busy");

  CreateDirectoryW(Widen(dir.Path(L"FOLDER.CFFL")).c_str(), nullptr);
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"FOLDER.CFFL"), bytes));
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"missing\\X.CFFL"), bytes));
  // Nothing is left behind by the writes, whether they worked or not.
  auto left = files.FindFiles(dir.Path(L"*"), kAttrHidden | kAttrSystem).value();
  std::ranges::sort(left);
  EXPECT_EQ(left, (std::vector<std::string>{"BUSY.CFFL", "LINK.CFFL", "LOCKED.CFFL", "NEW.CFFL",
                                            "OLD.CFFL"}));
}

// Past MAX_PATH a folder is either read in full or not at all: never a cut-off path or a size
// that leaves files out.
TEST(LongPathsOnDisk, GiveTheWholePathAndSizeOrNothing) {
  TempDir dir;  // its subfolders are made and read with the long-path prefix
  std::vector<std::wstring> levels{L"\\\\?\\" + dir.Root()};
  for (int level = 0; level < 6; ++level) {
    levels.push_back(levels.back() + L"\\" + std::wstring(48, static_cast<wchar_t>(L'a' + level)));
    CreateDirectoryW(levels.back().c_str(), nullptr);
  }
  const std::wstring deep = levels.back();
  for (const wchar_t* name : {L"\\VTS_01_1.VOB", L"\\VTS_01_0.IFO"}) {
    const HANDLE file = CreateFileW((deep + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, "12345", 5, &done, nullptr);
    CloseHandle(file);
  }
  const std::string path = Narrow(deep.substr(4));
  ASSERT_GT(path.size(), size_t{MAX_PATH});
  Win32FileSystem files;
  // Under Wine both read the whole path; on Windows they fail past MAX_PATH.
  const auto size = MeasureDvdFiles(files, path);
  const auto vobs = files.FindFiles(path + "\\*.VOB", 0);
  EXPECT_TRUE(!size || *size == 10u);
  EXPECT_TRUE(!vobs || *vobs == std::vector<std::string>{"VTS_01_1.VOB"});
  EXPECT_FALSE(files.WriteWholeFile(path + "\\M.CFFL", "CFFL\r\n"));
  // Removed here: the shell's recursive delete cuts such paths short under Wine and then deletes
  // the wrong files.
  for (const wchar_t* name : {L"\\VTS_01_1.VOB", L"\\VTS_01_0.IFO"})
    DeleteFileW((deep + name).c_str());
  for (size_t level = levels.size() - 1; level > 0; --level)
    RemoveDirectoryW(levels[level].c_str());
}

TEST(DropOnDisk, UnpacksTheFirstPathOfARealDrop) {
  static const wchar_t kList[] = L"D:\\Filme\\Gr\u00f6\u00dfe\0D:\\other\0";  // two zeros end it
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof(kList));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(drop + 1, kList, sizeof(kList));
  GlobalUnlock(memory);
  EXPECT_EQ(FirstDroppedPath(static_cast<HDROP>(memory)), "D:\\Filme\\Gr\u00f6\u00dfe");
  GlobalFree(memory);
}

// A path that depends on a current directory resolves against the process's or the drive's, even
// past MAX_PATH.
TEST(FullPathOnDisk, ResolvesRelativeDriveRelativeAndRootRelativePaths) {
  const TempDir dir;
  wchar_t before[MAX_PATH]{};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(dir.Root().c_str()));
  const std::string root = dir.Path(), drive = root.substr(0, 2), deep(300, 'a');
  Win32FileSystem files;
  EXPECT_EQ(files.FullPath("DVD\\..\\MOVIE"), root + "MOVIE");
  EXPECT_EQ(files.FullPath(drive + "MOVIE"), root + "MOVIE");
  EXPECT_EQ(files.FullPath("\\MOVIE"), drive + "\\MOVIE");
  EXPECT_EQ(files.FullPath(deep), root + deep);
  SetCurrentDirectoryW(before);
}

// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails) and reports it off; where the
// switch works, the mode reads as on until it is switched back.
TEST(HighContrastOnScreen, ReadsAsTheSystemReportsIt) {
  HIGHCONTRASTW was{sizeof(was)};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(was), &was, 0));
  EXPECT_EQ(HighContrastOn(), (was.dwFlags & HCF_HIGHCONTRASTON) != 0);
  HIGHCONTRASTW on = was;
  on.dwFlags ^= HCF_HIGHCONTRASTON;
  const bool switched = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(on), &on, 0);
  EXPECT_EQ(HighContrastOn(), switched != ((was.dwFlags & HCF_HIGHCONTRASTON) != 0));
  if (switched) SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(was), &was, 0);
}

TEST(TextOnDisk, CrossesTheBoundaryWholeAndRefusesWhatTheCodePageCannotHold) {
  // A lone surrogate, which the core must see as no valid UTF-8, keeps its three-byte form both
  // ways; a pair is one character, and a low surrogate before a high one no pair.
  const std::wstring wide =
      L"A\xD800"
      L"B\U0001F3AC\xDC00\xD800";
  const std::string utf8 =
      "A\xED\xA0\x80"
      "B\xF0\x9F\x8E\xAC\xED\xB0\x80\xED\xA0\x80";
  EXPECT_EQ(Narrow(wide), utf8);
  EXPECT_EQ(Widen(utf8), wide);
  Win32FileSystem files;
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix runs with the Western European code page";
  EXPECT_EQ(files.ToAnsi("C:\\Filme\\Größe.VOB"),
            "C:\\Filme\\Gr\xF6\xDF"
            "e.VOB");
  EXPECT_FALSE(files.ToAnsi("C:\\\u0141\u00F3d\u017A.VOB"));  // no best-fit "Lodz"
}

}  // namespace
}  // namespace orvanto::win32
