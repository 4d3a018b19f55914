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
    files.drives = {{"c:", "System"}, {"d:", "Data"}, {"e:", ""}};
    files.notReady = {"e:"};
    files.AddDirectory("c:\\work");
    files.AddFile("c:\\work\\notes.txt", "x");
    for (const char* dir : {"d:\\dvd", "d:\\dvd\\Movie", "d:\\dvd\\Movie\\sub", "d:\\dvd\\alpha"}) {
      files.AddDirectory(dir);
    }
    files.AddDirectory("d:\\dvd\\hidden", kAttrHidden);
    files.AddDirectory("d:\\dvd\\RECYCLER", kAttrSystem | kAttrHidden);
    files.AddDirectory("d:\\dvd\\System Volume Information", kAttrSystem);
    // Counted: the DVD files, beyond 32 bits in sum. Not counted: hidden and system files, other
    // files, files in subdirectories.
    const std::pair<const char*, unsigned> movie[] = {
        {"VTS_01_1.VOB", 0},         {"vts_01_0.ifo", 0},         {"VTS_01_0.BUP", 0},
        {"HIDDEN.VOB", kAttrHidden}, {"SYSTEM.IFO", kAttrSystem}, {"MOVIE.CFFL", 0},
        {"M.CFFL.VINF", 0},          {"sub\\INNER.VOB", 0}};
    for (const auto& [name, attributes] : movie) {
      files.AddFile(std::string("d:\\dvd\\Movie\\") + name, "", attributes, 1ull << 31);
    }
    files.currentDirectory = "C:\\work";
    files.driveDirectories["d:"] = "d:\\dvd";
    window.InitFolderLists();
  }
};

TEST(FolderLists, OpenOnTheCurrentDirectoryThenNestTheChangeEvents) {
  Machine m;  // no change event at start-up: nothing measured
  EXPECT_EQ(m.form.trace, (Trace{"drive c: [System]", "dir c:\\work", "files notes.txt"}));
  m.form.trace.clear();
  m.window.ChooseDrive(1);
  EXPECT_EQ(m.form.trace, (Trace{"drive d: [Data]", "dir d:\\dvd", "files ", "size 0,00"}));
  // The hidden and system directories stay out of sight.
  EXPECT_EQ(m.form.directories,
            (std::vector<DirEntry>{
                {"d:\\", 0, true}, {"dvd", 1, true}, {"alpha", 2, false}, {"Movie", 2, false}}));
  m.form.trace.clear();
  m.window.OpenDirectory(3);  // Movie
  EXPECT_EQ(
      m.form.trace,
      (Trace{"dir d:\\dvd\\Movie",
             "files M.CFFL.VINF,MOVIE.CFFL,VTS_01_0.BUP,vts_01_0.ifo,VTS_01_1.VOB", "size 6,00"}));
  m.form.trace.clear();
  m.window.OpenDirectory(0);  // back to the root
  EXPECT_EQ(m.form.trace, (Trace{"dir d:\\", "files ", "size 0,00"}));
}

TEST(FolderLists, FallBackToTheRootThenToDriveCWithoutAMessage) {
  Machine m;
  m.files.driveDirectories["d:"] = "d:\\gone";
  m.window.ChooseDrive(1);
  m.form.trace.clear();
  m.window.ChooseDrive(2);  // e: has no medium, so not even its root opens
  // Setting the drive runs the drive's change event (to c:'s directory), then setting the path
  // runs the directory's change event (to c:\).
  EXPECT_EQ(m.form.trace, (Trace{"drive e:", "drive c: [System]", "dir c:\\work", "files notes.txt",
                                 "size 0,00", "dir c:\\", "files ", "size 0,00"}));
  EXPECT_TRUE(m.form.messages.empty());
  m.form.trace.clear();
  m.window.ChooseDrive(1);  // d:'s directory is gone, its root is there
  EXPECT_EQ(m.form.trace, (Trace{"drive d: [Data]", "dir d:\\", "files ", "size 0,00"}));
  testing::FakeFileSystem none;
  none.failAtCall = 1;  // the platform remembers no directory for the drive
  EXPECT_EQ(OpenDrive(none, "d:"), std::nullopt);
}

TEST(FolderLists, ShowADirectoryThatVanishedAsItIsNow) {
  Machine m;
  m.window.ChooseDrive(1);
  m.form.trace.clear();
  m.files.failAtCall = m.files.calls + 1;  // opening "alpha" fails
  m.window.OpenDirectory(2);
  EXPECT_EQ(m.form.trace, (Trace{"dir d:\\dvd"}));
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
