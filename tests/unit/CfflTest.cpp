#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "cffl/CfflFile.h"
#include "common/Messages.h"

namespace orvanto {
namespace {

using namespace fakes;
using enum MessageStyle;
using Trace = std::vector<std::string>;

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

// Adds `names` below `dir`; a name ending in "\" is a directory. Before a name, "h:" makes it
// hidden, "s:" system, "r:" read-only (1), "hs:" both.
void AddAll(FakeFileSystem& files, const std::string& dir, const std::string& names) {
  for (const std::string& name : Words(names)) {
    const std::string flags = name.substr(0, name.find(':') + 1);
    unsigned attributes = 0;
    for (const char f : flags)
      attributes |= f == 'h' ? kAttrHidden : f == 's' ? kAttrSystem : f == 'r' ? 1 : 0;
    files.Add(dir + name.substr(flags.size()), attributes);
  }
}

// The directory open in the lists holds the files named. Answers: Yes, No, or X: the window is
// closed while the next box is open (None).
struct CfflRun : TestWindow {
  CfflRun(const std::string& dir, const std::string& names, const std::string& typed = "MOVIE") {
    files.Add("d:\\dvd\\");
    AddAll(files, dir, names);
    files.currentDirectory = dir;
    window.InitFolderLists();
    form.SetText(Ctl::inp_Filename, typed);
  }
  void Press(const std::string& answers) {
    for (const char a : answers)
      form.answers.push_back(a == 'Y' ? Answer::Yes : a == 'N' ? Answer::No : Answer::None);
    form.trace.clear();
    Click(Ctl::btn_MakeCFFL);
  }
};

const std::string kFive =
    "VTS_01_0.IFO VTS_01_3.VOB VTS_01_0.VOB VTS_01_1.VOB VTS_01_0.BUP VTS_01_2.VOB VTS_01_4.VOB";
const std::string kFiveBytes =
    "CFFL\r\nd:\\dvd\\VTS_01_0.VOB\r\nd:\\dvd\\VTS_01_1.VOB\r\nd:\\dvd\\VTS_01_2.VOB\r\n"
    "d:\\dvd\\VTS_01_3.VOB\r\nd:\\dvd\\VTS_01_4.VOB\r\n";
const std::string kOneBytes = "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n";

TEST(MakeCffl, AsksWarnsDeletesAndWritesAsTheAnswersSay) {
  // `written`: MOVIE.CFFL's bytes afterwards, "" when never written; `gone`: the file deleted.
  const std::string kOld = kFive + " MOVIE.CFFL X.CFFL.VINF";
  const struct {
    std::string files, answers, said, gone, written, typed = "MOVIE";
  } cases[] = {
      {kFive, "", "S", "", kFiveBytes},
      {kFive, "", "E", "", "", ""},
      {kFive, "", "n", "", "", "..\\X"},
      {kOld, "N", "O", "", "old"},
      {kFive + " s:MOVIE.CFFL", "N", "O", "", "old"},
      {kOld, "X", "O", "", "old"},
      {kOld, "YX", "OV", "", "old"},
      {kFive + " r:MOVIE.CFFL", "Y", "OF", "", "old"},
      {kFive + " OLD.CFFL", "X", "C", "", ""},
      {kFive + " OLD.CFFL OTHER.CFFL", "Y", "CS", "OLD.CFFL", kFiveBytes},
      {kOld + " OLD.CFFL", "YN", "OVS", "", kFiveBytes},
      {"VTS_01_1.VOB r:A.CFFL.VINF", "YX", "VD", "", ""},
      {"VTS_01_1.VOB r:A.CFFL.VINF", "Y", "VDS", "", kOneBytes},
      {"VTS_02_1.VOB", "X", "W", "", ""},
      {"VTS_02_1.VOB OLD.CFFL", "YN", "CW", "OLD.CFFL", ""},
      {"VTS_01_1.VOB VIDEO_TS.VOB", "Y", "WS", "",
       "CFFL\r\nd:\\dvd\\VIDEO_TS.VOB\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"VTS_01_0.IFO VTS_01_0.BUP M.CFFL.VINF", "Y", "VN", "M.CFFL.VINF", ""},
      {"VTS_01_1.VOB h:VTS_01_2.VOB", "", "S", "", kOneBytes},
      {"vts_01_1.vob VTS_01_2.VOB Vts_01_3.VOB", "", "S", "",
       "CFFL\r\nd:\\dvd\\VTS_01_2.VOB\r\nd:\\dvd\\Vts_01_3.VOB\r\nd:\\dvd\\vts_01_1.vob\r\n"},
      {"VTS_01_1.VOB VTS_01_\u5F71.VOB", "", "A", "", ""},
      {"VTS_01_0.VOB VTS_01_1|.VOB", "", "L", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files + " / typed \"" + c.typed + "\" / answers " + c.answers);
    CfflRun run("d:\\dvd\\", c.files, c.typed);
    run.Press(c.answers);
    EXPECT_EQ(run.form.messages, Said(c.said));
    EXPECT_TRUE(run.form.answers.empty()) << "questions left unasked";
    for (std::string name : Words(c.files)) {
      name = name.substr(name.find(':') + 1);
      EXPECT_EQ(run.files.Content("d:\\dvd\\" + name).empty(), name == c.gone) << name;
    }
    EXPECT_EQ(run.files.Content("d:\\dvd\\MOVIE.CFFL"), c.written);
    // The file list is refreshed at the end of a write attempt only.
    EXPECT_EQ(!run.form.trace.empty(), c.said.back() == 'S' || c.said.back() == 'F');
  }
}

TEST(MakeCffl, RefusesNamesThatAreNoFileNamesAndPathsThatCannotStandOnALine) {
  for (const char c : std::string_view("\\/:*?\"<>|\t\x7f"))
    EXPECT_FALSE(IsUsableFileName(std::string("a") + c + "b")) << c;
  // Devices, in any case, before an extension and blanks; a lone surrogate as the window hands it
  // over, a cut-off, overlong or too large character.
  for (const char* name :
       {"CON", "nul.txt", "Com1", "LPT9.x", "aux .cffl", "COM0", "COM\u00b9", "LPT\u00b3.x",
        "CONIN$", "conout$.cffl", "PRN", "A\xED\xA0\x80", "\xC3", "\xC0\xAE", "\xF4\x90\x80\x80"})
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  for (const char* name :
       {"MOVIE", "  ", "COM10", "CONIN", "COM\u2074", "LPT", "COMA", "Gr\u00f6\u00dfe \U0001F3AC"})
    EXPECT_TRUE(IsUsableFileName(name)) << name;
  // Names a Linux file system allows, which Wine lists raw.
  for (const char* name : {"1.VOB\r\nD:\\EVIL_01.VOB", "B\\x", "C:L", "\xED\xA0\x80"})
    EXPECT_FALSE(FitsOnACfflLine("d:\\dvd\\", name)) << name;
  for (const char* dir : {"d:\\a\nb\\", "d:\\a?\\", "d:\\\xED\xB0\x80\\"})
    EXPECT_FALSE(FitsOnACfflLine(dir, "VTS_01_1.VOB")) << dir;
  EXPECT_TRUE(FitsOnACfflLine("d:\\Gr\u00f6\u00dfe\\", "VTS_01_1 (2003) \U0001F3AC.VOB"));
}

TEST(MakeCffl, SpeaksEnglishAndListsInOrdinalOrderAtADriveRoot) {
  CfflRun run("e:\\", "VTS_01_2.VOB VTS_01_10.VOB");
  run.Load(true);
  run.Press("");
  EXPECT_EQ(run.form.messages, Said("S", true));
  EXPECT_EQ(run.files.Content("e:\\MOVIE.CFFL"),
            "CFFL\r\ne:\\VTS_01_10.VOB\r\ne:\\VTS_01_2.VOB\r\n");
}

TEST(MakeCffl, NeverLeavesAHalfDoneFileWhateverCallFails) {
  const std::string kTree = kFive + " MOVIE.CFFL M.CFFL.VINF";
  CfflRun clean("d:\\dvd\\", kTree);
  const int before = clean.files.calls;
  clean.Press("YY");
  ASSERT_GT(clean.files.calls - before, 5);
  for (int failing = 1; failing <= clean.files.calls - before; ++failing) {
    SCOPED_TRACE(failing);
    CfflRun run("d:\\dvd\\", kTree);
    run.files.failAtCall = run.files.calls + failing;
    run.Press("YYY");
    const std::string content = run.files.Content("d:\\dvd\\MOVIE.CFFL");
    EXPECT_TRUE(content == "old" || content == kFiveBytes) << content;
    // The run ends with a note or an error, never silently.
    ASSERT_FALSE(run.form.messages.empty());
    EXPECT_EQ(run.form.messages.back().title,
              (content == kFiveBytes ? msg::kTitleNote : msg::kTitleError).Text(false));
    EXPECT_EQ(run.form.messages.back().style, Info);
    run.files.failAtCall = 0;  // the program is still usable: the next run succeeds
    run.form.answers.clear();
    run.Press("YY");
    EXPECT_EQ(run.files.Content("d:\\dvd\\MOVIE.CFFL"), kFiveBytes);
  }
}

// A machine with the program started in c:\work; d: holds a DVD copy, e: has no medium. The
// region's separators are English: measured sizes are still written German-style.
struct Machine : TestWindow {
  Machine() {
    files.drives = {{"c:", "System"}, {"d:", "Data"}, {"e:", ""}};
    files.notReady = {"e:"};
    locale.separators = kEnglish;
    AddAll(files, "c:\\", "work\\ work\\notes.txt");
    files.Add("d:\\dvd\\");
    AddAll(files, "d:\\dvd\\",
           "Movie\\ Movie\\sub\\ Zeta\\ alpha\\ h:hidden\\ hs:RECYCLER\\ s:System\\");
    // Counted: the DVD files, beyond 32 bits in sum. Not counted: hidden and system files, other
    // files, files in subdirectories.
    AddAll(files, "d:\\dvd\\Movie\\",
           "VTS_01_1.VOB vts_01_0.ifo VTS_01_0.BUP h:HIDDEN.VOB s:SYSTEM.IFO MOVIE.CFFL "
           "M.CFFL.VINF sub\\INNER.VOB");
    files.currentDirectory = "C:\\work";
    files.driveDirectories = {{"c:", "C:\\work"}, {"d:", "d:\\dvd"}};
    window.InitFolderLists();
  }
  template <class Action, class... Args>
  Trace Did(Action action, Args... args) {
    form.trace.clear();
    (window.*action)(args...);
    return form.trace;
  }
};

// What the lists show: d: chosen; Movie opened; drive c: chosen by a fallback, whose directory's
// change event then opens c:\.
const Trace kOnD = {"drive d: [Data]", "dir 0+d:\\ *1+dvd 2-alpha 2-Movie 2-Zeta", "files",
                    "size 0,00"};
const Trace kOnMovie = {"dir 0+d:\\ 1+dvd *2+Movie 3-sub",
                        "files M.CFFL.VINF,MOVIE.CFFL,VTS_01_0.BUP,vts_01_0.ifo,VTS_01_1.VOB",
                        "size 6,00"};
const Trace kOnRootD = {"dir *0+d:\\ 1-dvd", "files", "size 0,00"};
const Trace kBackToC = {"drive c: [System]", "dir 0+c:\\ *1+work", "files notes.txt",
                        "size 0,00",         "dir *0+c:\\ 1-work", "files",
                        "size 0,00"};

Trace operator+(Trace a, const Trace& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The lists show the hidden and system directories no more, and nest their change events. A size
// that could not be measured in full shows no number. A directory that vanished shows as it is now.
TEST(FolderLists, OpenOnTheCurrentDirectoryThenNestTheChangeEvents) {
  Machine m;  // no change event at start-up: nothing measured
  EXPECT_EQ(m.form.trace, (Trace{"drive c: [System]", "dir 0+c:\\ *1+work", "files notes.txt"}));
  EXPECT_EQ(m.files.labelReads, 1);  // c: alone, the one on show
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 1), kOnD);
  EXPECT_EQ(m.Did(&frm_Main::OpenDirectory, 3), kOnMovie);
  for (const int failing : {1, 2}) {  // the first search, the first length
    m.files.failAtCall = m.files.calls + failing;
    m.window.MeasureOutputDir();
    EXPECT_EQ(m.form.Text(Ctl::inp_SourceSize), "—") << failing;
  }
  EXPECT_EQ(m.Did(&frm_Main::OpenDirectory, 0), kOnRootD);
  m.files.failAtCall = m.files.calls + 1;  // opening "dvd" fails
  EXPECT_EQ(m.Did(&frm_Main::OpenDirectory, 1), (Trace{"dir *0+d:\\ 1-dvd"}));
}

TEST(FolderLists, FallBackToTheRootThenToDriveCWithoutAMessageAndCanonicalizeDrops) {
  Machine m;
  // A file dropped from a drive's root opens the root, not the drive's current directory.
  EXPECT_EQ(m.Did(&frm_Main::OpenDropped, "d:\\X.VOB"), kOnD + kOnRootD);
  m.files.driveDirectories["d:"] = "d:\\gone";
  // e: has no medium, so not even its root opens.
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 2), Trace{"drive e:"} + kBackToC);
  EXPECT_TRUE(m.form.messages.empty());
  // d:'s directory is gone, its root is there
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 1), Trace{"drive d: [Data]"} + kOnRootD);
  m.files.failAtCall = m.files.calls + 1;  // the platform remembers no directory for the drive
  EXPECT_EQ(OpenDrive(m.files, "d:"), std::nullopt);
  // Dropped paths as Windows writes them.
  const std::pair<const char*, const char*> cases[] = {
      {"D:/DVD/MOVIE", "D:\\DVD\\MOVIE"},
      {"D:\\A\\..\\DVD\\.\\MOVIE\\", "D:\\DVD\\MOVIE"},
      {"D:\\\\DVD\\\\\\MOVIE", "D:\\DVD\\MOVIE"},
      {"\\\\?\\D:\\DVD\\MOVIE", "D:\\DVD\\MOVIE"},
      {"//?/d:/../.", "d:\\"},
      {"\\\\?\\UNC\\server\\share\\..\\DVD", "\\\\server\\share\\DVD"},
      {"\\\\?\\Volume{1}\\DVD", "\\\\?\\Volume{1}\\DVD"},
      {"DVD\\..\\MOVIE", "C:\\work\\MOVIE"},
  };
  for (const auto& [dropped, canonical] : cases)
    EXPECT_EQ(CanonicalPath(m.files, dropped), canonical) << dropped;
}

// Drives that come and go: the list follows and the lists stay where they are; the drive on show
// going away falls back as a failed drive change does. What is dropped opens as if chosen.
TEST(FolderLists, FollowDrivesThatComeAndGoAndOpenWhatIsDropped) {
  Machine m;
  m.window.ChooseDrive(1);
  m.files.drives.push_back({"f:", "Stick"});
  EXPECT_EQ(m.Did(&frm_Main::RefreshDrives), (Trace{"drive d: [Data]"}));
  EXPECT_EQ(m.files.labelReads, 2 + 4);  // c:, d:, then all four for the open list
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 3),
            (Trace{"drive f: [Stick]", "dir *0+f:\\", "files", "size 0,00"}));
  m.files.drives.pop_back();
  m.files.notReady.push_back("f:");
  EXPECT_EQ(m.Did(&frm_Main::RefreshDrives), Trace{"drive "} + kBackToC);
  // A file opens its folder: the drive's change event first, then the folder's.
  EXPECT_EQ(m.Did(&frm_Main::OpenDropped, "D:\\dvd\\Movie\\VTS_01_1.VOB"), kOnD + kOnMovie);
  EXPECT_EQ(m.Did(&frm_Main::OpenDropped, "\\\\server\\dvd"), (Trace{}));
  EXPECT_EQ(m.form.messages, Said("U"));
  // Nothing changes under an open question: the file goes to the folder shown at the click; then
  // what came meanwhile applies, the drives first, of the drops the last.
  m.form.whileOpen = [&] {
    m.window.OpenDropped("d:\\dvd");
    m.window.OpenDropped("d:/dvd/Movie/..//alpha/.");
    m.window.RefreshDrives();
    m.window.ChooseDrive(0);  // only another program could send it now: ignored
  };
  m.form.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(
      m.Did(&frm_Main::OnEvent, Ctl::btn_MakeCFFL, Event::Click),
      (Trace{kOnMovie[1], "drive d: [Data]", "dir 0+d:\\ 1+dvd *2+alpha", "files", "size 0,00"}));
  EXPECT_EQ(m.files.Content("d:\\dvd\\Movie\\MOVIE.CFFL"),
            "CFFL\r\nD:\\dvd\\Movie\\VTS_01_1.VOB\r\n");
  // Once the window is gone, nothing that came meanwhile applies.
  m.form.whileOpen = [&] {
    m.window.OpenDropped("d:\\dvd");
    m.window.WindowClosed();
  };
  EXPECT_EQ(m.Did(&frm_Main::OnEvent, Ctl::btn_MakeCFFL, Event::Click), (Trace{}));
}

}  // namespace
}  // namespace orvanto
