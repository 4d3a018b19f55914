#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "cffl/FolderLists.h"
#include "win32/Colours.h"
#include "win32/Dpi.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

namespace orvanto::win32 {
namespace {

Win32FileSystem files;

// By long name (which a short 8.3 name never stands in for), hidden and system files only when
// asked for, folders apart with their attributes; lengths beyond four gigabytes in full.
TEST(SearchesOnDisk, ReportFilesByLongNameAsAskedAndEveryDirectoryWithItsAttributes) {
  TempDir dir;
  dir.Make(L"VTS_01_1.VOB", 0, "", 5LL << 30);
  dir.Make(L"vts_01_2.vob");
  dir.Make(L"HIDDEN.VOB", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"SYSTEM.VOB", FILE_ATTRIBUTE_SYSTEM);
  dir.Make(L"notes.vobx");
  dir.Make(L"DIR.VOB\\");
  dir.Make(L"Hidden\\", FILE_ATTRIBUTE_HIDDEN);
  dir.Make(L"System\\", FILE_ATTRIBUTE_SYSTEM);

  using Names = std::vector<std::string>;
  const std::pair<unsigned, Names> searches[] = {
      {0, {"VTS_01_1.VOB", "vts_01_2.vob"}},
      {kAttrHidden | kAttrSystem, {"HIDDEN.VOB", "SYSTEM.VOB", "VTS_01_1.VOB", "vts_01_2.vob"}}};
  for (const auto& [attributes, names] : searches) {
    auto found = files.FindFiles(dir.Path(L"*.VOB"), attributes);
    ASSERT_TRUE(found);
    std::ranges::sort(*found);
    EXPECT_EQ(*found, names);
  }
  EXPECT_EQ(files.FindFiles(dir.Path(L"Vts_01_1.vob"), 0), Names{"VTS_01_1.VOB"});
  EXPECT_EQ(files.FindFiles(dir.Path(L"*.IFO"), 0), Names{});
  EXPECT_FALSE(files.FindFiles(dir.Path(L"gone\\*.VOB"), 0));
  EXPECT_EQ(files.FileLength(dir.Path(L"VTS_01_1.VOB")), 5ull << 30);

  const auto listed = files.ListSubdirectories(dir.Path());
  ASSERT_TRUE(listed);
  Names directories;
  for (const FoundDirectory& d : *listed)
    directories.push_back(d.name + ":" + std::to_string(d.attributes));
  std::ranges::sort(directories);
  EXPECT_EQ(directories, (Names{"DIR.VOB:0", "Hidden:2", "System:4"}));
}

TEST(DrivesOnDisk, OpenTheCurrentDirectoryAndRefuseADriveThatIsNotReady) {
  const std::string current = files.CurrentDirectory();
  EXPECT_EQ(OpenDrive(files, current.substr(0, 2)), current);
  EXPECT_FALSE(OpenDrive(files, NotReadyDrive().drive));
}

TEST(WriteWholeFileOnDisk, ReplacesTheEntryOrLeavesItAsItWas) {
  TempDir dir;
  const std::string bytes = "CFFL\r\nC:\\DVD\\VTS_01_1.VOB\r\n";
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"NEW.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"NEW.CFFL"), bytes);

  // And the user's choice stays.
  dir.Make(L"OLD.CFFL", FILE_ATTRIBUTE_HIDDEN, "old content");
  ASSERT_TRUE(files.WriteWholeFile(dir.Path(L"OLD.CFFL"), bytes));
  EXPECT_EQ(dir.Read(L"OLD.CFFL"), bytes);
  EXPECT_TRUE(GetFileAttributesW(Widen(dir.Path(L"OLD.CFFL")).c_str()) & FILE_ATTRIBUTE_HIDDEN);

  // A link is replaced itself, the file it points to stays. Wine's CreateSymbolicLinkW makes none.
  dir.Make(L"out\\REAL.CFFL", 0, "outside");
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
  dir.Make(L"BUSY.CFFL", 0, "busy");
  // By another program, not shared.
  const HANDLE held = CreateFileW(Widen(dir.Path(L"BUSY.CFFL")).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"BUSY.CFFL"), bytes));
  CloseHandle(held);
  EXPECT_EQ(dir.Read(L"BUSY.CFFL"), "busy");

  dir.Make(L"FOLDER.CFFL\\");
  EXPECT_FALSE(files.WriteWholeFile(dir.Path(L"FOLDER.CFFL"), bytes));
  // Nothing is left behind by the writes, whether they worked or not.
  auto left = files.FindFiles(dir.Path(L"*"), kAttrHidden | kAttrSystem).value();
  std::ranges::sort(left);
  EXPECT_EQ(left, (std::vector<std::string>{"BUSY.CFFL", "LINK.CFFL", "LOCKED.CFFL", "NEW.CFFL",
                                            "OLD.CFFL"}));
}

// Past MAX_PATH a folder is read in full, never as a cut-off path or a size that leaves files
// out: under Wine, which reads the whole path. The list is not written there: a temporary file
// beside it would need a name longer than GetTempFileNameW can give.
TEST(LongPathsOnDisk, GiveTheWholePathAndSizeButWriteNothingAndResolveRelativePaths) {
  const TempDir dir;
  std::wstring deep;
  for (wchar_t level = L'a'; level < L'g'; ++level) deep += std::wstring(48, level) + L'\\';
  for (const wchar_t* name : {L"VTS_01_1.VOB", L"VTS_01_0.IFO"}) dir.Make(deep + name, 0, "12345");
  const std::string path = dir.Path(deep);
  ASSERT_GT(path.size(), size_t{MAX_PATH});
  EXPECT_EQ(MeasureDvdFiles(files, path), 10u);
  EXPECT_EQ(files.FindFiles(path + "*.VOB", 0), std::vector<std::string>{"VTS_01_1.VOB"});
  EXPECT_FALSE(files.WriteWholeFile(path + "M.CFFL", "CFFL\r\n"));

  // A relative path resolves against the process's current directory, even past MAX_PATH.
  wchar_t before[MAX_PATH]{};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(dir.Root().c_str()));
  EXPECT_EQ(files.FullPath(std::string(300, 'a')), dir.Path() + std::string(300, 'a'));
  SetCurrentDirectoryW(before);
}

// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails there): the adapter reports the
// mode as the system does, not whether the call worked.
TEST(HighContrastOnScreen, ReadsAsTheSystemReportsIt) {
  HIGHCONTRASTW mode{sizeof(mode)};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(mode), &mode, 0));
  EXPECT_EQ(HighContrastOn(), (mode.dwFlags & HCF_HIGHCONTRASTON) != 0);
}

// Margins, indents and line heights, given in pixels at 96 DPI, round as MulDiv rounds.
TEST(DpiOnScreen, RoundsPixelsHalfUp) {
  for (const auto& [dpi, pixels, scaled] : {std::array{120, 2, 3}, {120, 10, 13}, {144, 1, 2}})
    EXPECT_EQ(DpiScale{UINT(dpi)}.Pixels(pixels), scaled);
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
  // The test prefix runs with the Western European code page.
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_EQ(files.ToAnsi("C:\\Filme\\Größe.VOB"),
            "C:\\Filme\\Gr\xF6\xDF"
            "e.VOB");
  // No best-fit "Lodz".
  EXPECT_FALSE(files.ToAnsi("C:\\\u0141\u00F3d\u017A.VOB"));
}

}  // namespace
}  // namespace orvanto::win32
