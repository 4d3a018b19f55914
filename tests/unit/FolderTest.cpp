#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

using Trace = std::vector<std::string>;

// A machine with the program started in c:\work; d: holds a DVD copy, e: has no medium.
struct Machine : testing::TestWindow {
  Machine() {
    files.AddDrive("c:", "System");
    files.AddDrive("d:", "Data");
    files.AddDrive("e:", "", /*ready=*/false);
    files.AddDirectory("c:\\work");
    files.AddFile("c:\\work\\notes.txt", "x");
    files.AddDirectory("d:\\dvd");
    files.AddDirectory("d:\\dvd\\Movie");
    files.AddFile("d:\\dvd\\Movie\\VTS_01_1.VOB", "", 0, 1 << 30);
    files.AddFile("d:\\dvd\\Movie\\VTS_01_0.IFO", "", 0, 1 << 29);
    files.AddFile("d:\\dvd\\Movie\\VTS_01_0.BUP");
    files.AddDirectory("d:\\dvd\\alpha");
    files.AddDirectory("d:\\dvd\\hidden", kAttrHidden);
    files.AddDirectory("d:\\dvd\\RECYCLER", kAttrSystem | kAttrHidden);
    files.AddDirectory("d:\\dvd\\System Volume Information", kAttrSystem);
    files.currentDirectory = "C:\\work";
    files.driveDirectories["d:"] = "d:\\dvd";
    window.InitFolderLists();
    form.trace.clear();
  }
};

TEST(FolderLists, OpenOnTheCurrentDirectoryWithoutChangeEvents) {
  Machine m;
  testing::TestWindow fresh;
  fresh.files = m.files;
  fresh.window.InitFolderLists();
  EXPECT_EQ(fresh.form.trace, (Trace{"drive c: [System]", "dir c:\\work", "files notes.txt"}));
}

TEST(FolderLists, NestTheChangeEventsOfDriveAndDirectory) {
  Machine m;
  m.window.ChooseDrive(1);
  EXPECT_EQ(m.form.trace, (Trace{"drive d: [Data]", "dir d:\\dvd", "files ", "size 0,00"}));
  // The hidden and system directories stay out of sight.
  EXPECT_EQ(m.form.directories,
            (std::vector<DirEntry>{
                {"d:\\", 0, true}, {"dvd", 1, true}, {"alpha", 2, false}, {"Movie", 2, false}}));
  m.form.trace.clear();
  m.window.OpenDirectory(3);  // Movie
  EXPECT_EQ(m.form.trace, (Trace{"dir d:\\dvd\\Movie",
                                 "files VTS_01_0.BUP,VTS_01_0.IFO,VTS_01_1.VOB", "size 1,50"}));
  m.form.trace.clear();
  m.window.OpenDirectory(0);  // back to the root
  EXPECT_EQ(m.form.trace, (Trace{"dir d:\\", "files ", "size 0,00"}));
}

TEST(FolderLists, FallBackToDriveCWithoutAMessage) {
  Machine m;
  m.window.ChooseDrive(1);
  m.form.trace.clear();
  m.window.ChooseDrive(2);
  // Setting the drive runs the drive's change event (to c:'s directory), then setting the path
  // runs the directory's change event (to c:\).
  EXPECT_EQ(m.form.trace, (Trace{"drive e:", "drive c: [System]", "dir c:\\work", "files notes.txt",
                                 "size 0,00", "dir c:\\", "files ", "size 0,00"}));
  EXPECT_TRUE(m.form.messages.empty());
}

TEST(FolderLists, ShowADirectoryThatVanishedAsItIsNow) {
  Machine m;
  m.window.ChooseDrive(1);
  m.form.trace.clear();
  m.files.failAtCall = m.files.calls + 1;  // opening "alpha" fails
  m.window.OpenDirectory(2);
  EXPECT_EQ(m.form.trace, (Trace{"dir d:\\dvd"}));
}

// A drive opens on the directory remembered for it, or on its root when that is gone.
TEST(FolderLists, OpenADriveOnItsRootWhenItsDirectoryIsGone) {
  const struct {
    const char* remembered;  // nullptr: the platform remembers nothing
    bool rootExists;
    std::optional<std::string> opened;
  } cases[] = {
      {"d:\\dvd", true, "d:\\dvd"},
      {"d:\\gone", true, "d:\\"},
      {"d:\\gone", false, std::nullopt},
      {nullptr, true, std::nullopt},
  };
  for (const auto& c : cases) {
    testing::FakeFileSystem files;
    files.AddDrive("d:", "", c.rootExists);
    files.AddDirectory("d:\\dvd");
    files.failAtCall = c.remembered ? 0 : 1;  // the platform's lookup of the drive fails
    if (c.remembered) files.driveDirectories["d:"] = c.remembered;
    EXPECT_EQ(OpenDrive(files, "d:"), c.opened) << (c.remembered ? c.remembered : "(none)");
  }
  Machine m;
  m.files.driveDirectories["d:"] = "d:\\gone";
  m.window.ChooseDrive(1);
  EXPECT_EQ(m.form.trace, (Trace{"drive d: [Data]", "dir d:\\", "files ", "size 0,00"}));
}

TEST(MeasureOutputDir, SumsTheDvdFilesInGigabytes) {
  const struct {
    std::vector<std::pair<std::string, std::uint64_t>> files;
    std::string expected;
  } cases[] = {
      {{{"VTS_01_1.VOB", 4'000'000'000},
        {"VTS_01_0.IFO", 800'000'000},
        {"VTS_01_0.BUP", 31'838'208}},
       "4,50"},
      {{{"A.VOB", 1'000'000'000}}, "0,93"},
      {{{"BIG.VOB", 3ull << 30}}, "3,00"},  // beyond 32 bits, counted in full
      {{{"X.vob", 1ull << 30}, {"MOVIE.CFFL", 1ull << 30}, {"X.CFFL.VINF", 1ull << 30}}, "1,00"},
      {{}, "0,00"},
  };
  for (const auto& c : cases) {
    testing::TestWindow t;
    t.files.AddDirectory("d:\\m");
    for (const auto& [name, length] : c.files) t.files.AddFile("d:\\m\\" + name, "", 0, length);
    t.files.AddFile("d:\\m\\HIDDEN.VOB", "", kAttrHidden, 1ull << 30);
    t.files.AddFile("d:\\m\\SYSTEM.IFO", "", kAttrSystem, 1ull << 30);
    t.files.AddDirectory("d:\\m\\sub");
    t.files.AddFile("d:\\m\\sub\\INNER.VOB", "", 0, 1ull << 30);
    t.files.currentDirectory = "d:\\m";
    t.window.InitFolderLists();
    t.window.MeasureOutputDir();
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), c.expected);
  }
}

TEST(MeasureOutputDir, ShowsNoNumberWhenASearchOrALengthFails) {
  // Calls of a measurement: three searches, then one length query per file found.
  for (const int failing : {1, 2, 3, 4}) {
    testing::TestWindow t;
    t.files.AddDirectory("d:\\m");
    t.files.AddFile("d:\\m\\A.VOB", "", 0, 1 << 30);
    t.files.currentDirectory = "d:\\m";
    t.window.InitFolderLists();
    t.files.failAtCall = t.files.calls + failing;
    t.window.MeasureOutputDir();
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "—") << failing;
    t.window.MeasureOutputDir();  // the next measurement works again
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "1,00") << failing;
  }
}

}  // namespace
}  // namespace orvanto
