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

// The messages of a run in d:\dvd\, one letter each: Overwrite, Other CFFL, Vinf, name Warning,
// No VOB, Empty name, Bad name, Delete failed (the marker), Ansi refused, a path that cannot stand
// on a Line, Failed write, Success.
std::vector<ShownMessage> Messages(const std::string& letters) {
  const auto said = [](const Message& text, const Message& title, MessageStyle style,
                       const char* subject = "") {
    return ShownMessage{text.Text(false, subject), title.Text(false), style};
  };
  const std::map<char, ShownMessage> byLetter = {
      // clang-format off
      {'O', said(msg::kOverwrite, msg::kTitleQuestion, AskDefaultNo, "d:\\dvd\\MOVIE.CFFL")}, {'C', said(msg::kOtherCffl, msg::kTitleQuestion, AskDefaultYes)},
      {'V', said(msg::kVinf, msg::kTitleQuestion, AskDefaultYes)}, {'W', said(msg::kNameWarning, msg::kTitleQuestion, AskDefaultNo)},
      {'N', said(msg::kNoVob, msg::kTitleError, Info)}, {'E', said(msg::kEmptyName, msg::kTitleError, Info)},
      {'B', said(msg::kBadName, msg::kTitleError, Info, "..\\X")}, {'D', said(msg::kNotDeleted, msg::kTitleError, Info, "d:\\dvd\\A.CFFL.VINF")},
      {'A', said(msg::kNotAnsi, msg::kTitleError, Info, "d:\\dvd\\VTS_01_\u5F71.VOB")}, {'F', said(msg::kWriteFailed, msg::kTitleError, Info)},
      {'S', said(msg::kWritten, msg::kTitleNote, Info)},
      {'L', said(msg::kNotAnsi, msg::kTitleError, Info, "d:\\dvd\\VTS_01_1|.VOB")},
      // clang-format on
  };
  std::vector<ShownMessage> shown;
  for (const char letter : letters) shown.push_back(byLetter.at(letter));
  return shown;
}

// The directory open in the lists holds the files named ("h:" before a name: hidden, "r:"
// read-only); each starts with the content "old". Answers: Yes, No, or X: the window is closed
// while the next box is open (None).
struct CfflRun : TestWindow {
  CfflRun(const std::string& dir, const std::string& names, const std::string& typed = "MOVIE") {
    files.Add("d:\\dvd\\");
    for (std::string name : Words(names)) {
      unsigned attributes = 0;
      if (name.starts_with("h:")) attributes = kAttrHidden;
      if (name.starts_with("r:")) attributes = FakeFileSystem::kReadOnly;
      files.Add(dir + (attributes ? name.substr(2) : name), attributes, "old");
    }
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

TEST(MakeCffl, AsksWarnsDeletesAndWritesAsTheAnswersSay) {
  // `written`: the target's bytes afterwards, "" when never written.
  // clang-format off
  const struct { std::string files, typed, answers, said, gone, written, target = "MOVIE.CFFL"; } cases[] = {
      {kFive, "MOVIE", "", "S", "", kFiveBytes}, {kFive, "", "", "E", "", ""}, {kFive, "..\\X", "", "B", "", ""},
      {"VTS_01_1.VOB", "  ", "", "S", "", "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n", "  .CFFL"},
      {"VTS_01_1.VOB", "MOVIE.CFFL", "", "S", "", "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n", "MOVIE.CFFL.CFFL"},
      {kFive + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "N", "O", "", "old"}, {kFive + " r:MOVIE.CFFL", "MOVIE", "Y", "OF", "", "old"},
      {kFive + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "X", "O", "", "old"},
      {kFive + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "YX", "OV", "", "old"},
      {kFive + " OLD.CFFL", "MOVIE", "X", "C", "", ""},
      {"VTS_02_1.VOB", "MOVIE", "X", "W", "", ""},
      {"VTS_01_1.VOB r:A.CFFL.VINF", "MOVIE", "YX", "VD", "", ""},
      {kFive + " MOVIE.CFFL OLD.CFFL X.CFFL.VINF", "MOVIE", "YN", "OVS", "", kFiveBytes},
      {kFive + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "YY", "OVS", "X.CFFL.VINF", kFiveBytes},
      {kFive + " OLD.CFFL OTHER.CFFL", "MOVIE", "Y", "CS", "OLD.CFFL", kFiveBytes}, {kFive + " OLD.CFFL", "MOVIE", "N", "CS", "", kFiveBytes},
      {"VTS_01_1.VOB VIDEO_TS.VOB", "MOVIE", "Y", "WS", "", "CFFL\r\nd:\\dvd\\VIDEO_TS.VOB\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"VTS_02_1.VOB OLD.CFFL", "MOVIE", "YN", "CW", "OLD.CFFL", ""}, {"VTS_01_0.IFO VTS_01_0.BUP M.CFFL.VINF", "MOVIE", "Y", "VN", "M.CFFL.VINF", ""},
      {"VTS_01_1.VOB h:VTS_01_2.VOB", "MOVIE", "", "S", "", "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n"}, {"VTS_01_1.VOB VTS_01_\u5F71.VOB", "MOVIE", "", "A", "", ""},
      {"vts_01_1.vob VTS_01_2.VOB Vts_01_3.VOB", "MOVIE", "", "S", "", "CFFL\r\nd:\\dvd\\VTS_01_2.VOB\r\nd:\\dvd\\Vts_01_3.VOB\r\nd:\\dvd\\vts_01_1.vob\r\n"},
      {"VTS_01_1.VOB r:A.CFFL.VINF", "MOVIE", "Y", "VDS", "", "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"VTS_01_0.VOB VTS_01_1|.VOB", "MOVIE", "", "L", "", ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files + " / typed \"" + c.typed + "\" / answers " + c.answers);
    CfflRun run("d:\\dvd\\", c.files, c.typed);
    run.Press(c.answers);
    EXPECT_EQ(run.form.messages, Messages(c.said));
    EXPECT_TRUE(run.form.answers.empty()) << "questions left unasked";
    for (std::string name : Words(c.files)) {
      if (name[1] == ':') name = name.substr(2);
      EXPECT_EQ(run.files.Content("d:\\dvd\\" + name).empty(), name == c.gone) << name;
    }
    EXPECT_EQ(run.files.Content("d:\\dvd\\" + c.target), c.written);
    // The file list is refreshed at the end of a write attempt only.
    EXPECT_EQ(!run.form.trace.empty(), c.said.back() == 'S' || c.said.back() == 'F');
  }
}

TEST(MakeCffl, RefusesNamesThatAreNoFileNamesAndPathsThatCannotStandOnALine) {
  // clang-format off
  for (const char* name : {"a\\b", "a/b", "x:y", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "tab\t", "CON", "nul.txt", "Com1", "LPT9.x",
                           "aux .cffl", "COM0", "lpt0.cffl", "COM\u00b9", "LPT\u00b3.x", "CONIN$", "conout$.cffl", "PRN"})
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  for (const char* name : {"MOVIE", "  ", "CONSOLE", "COM10", "MOVIE.CFFL", "Film (2003)", "CONIN", "COM\u2074", "LPT", "COMA"})
    EXPECT_TRUE(IsUsableFileName(name)) << name;
  // clang-format on
  // DEL, a lone surrogate as the window hands it over, a cut-off, overlong or too large character.
  for (const char* name :
       {"\x7f", "A\xED\xA0\x80", "\xED\xBF\xBF", "\xC3", "\xC0\xAE", "\xF4\x90\x80\x80"})
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  EXPECT_TRUE(IsUsableFileName("Gr\u00f6\u00dfe \U0001F3AC\uFFFD"));
  // Names a Linux file system allows, which Wine lists raw.
  for (const char* name : {"1.VOB\r\nD:\\EVIL_01.VOB", "\t", "*", "?", "\"", "<", ">", "B\\x", "/",
                           "C:L", "\x7f", "\xED\xA0\x80"})
    EXPECT_FALSE(FitsOnACfflLine("d:\\dvd\\", name)) << name;
  for (const char* dir : {"d:\\a\nb\\", "d:\\a?\\", "d:\\\xED\xB0\x80\\"})
    EXPECT_FALSE(FitsOnACfflLine(dir, "VTS_01_1.VOB")) << dir;
  EXPECT_TRUE(FitsOnACfflLine("d:\\Gr\u00f6\u00dfe\\", "VTS_01_1 (2003) \U0001F3AC.VOB"));
}

TEST(MakeCffl, SpeaksEnglishAndListsInOrdinalOrderAtADriveRoot) {
  CfflRun run("e:\\", "VTS_01_2.VOB VTS_01_10.VOB MOVIE.CFFL VTS_01_1.VOB");
  run.Load(true);
  run.Press("Y");
  EXPECT_EQ(run.form.messages,
            (std::vector<ShownMessage>{{"The file 'e:\\MOVIE.CFFL' already exists. Overwrite it ?",
                                        "Question", AskDefaultNo},
                                       {"The CFFL-file has been generated.", "Note", Info}}));
  EXPECT_EQ(run.files.Content("e:\\MOVIE.CFFL"),
            "CFFL\r\ne:\\VTS_01_1.VOB\r\ne:\\VTS_01_10.VOB\r\ne:\\VTS_01_2.VOB\r\n");
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
    EXPECT_EQ(run.form.messages.back().title, content == kFiveBytes ? "Hinweis" : "Fehler");
    EXPECT_EQ(run.form.messages.back().style, Info);
    run.files.failAtCall = 0;  // the program is still usable: the next run succeeds
    run.form.answers.clear();
    run.Press("YY");
    EXPECT_EQ(run.files.Content("d:\\dvd\\MOVIE.CFFL"), kFiveBytes);
  }
}

// A machine with the program started in c:\work; d: holds a DVD copy, e: has no medium.
struct Machine : TestWindow {
  Machine() {
    files.drives = {{"c:", "System"}, {"d:", "Data"}, {"e:", ""}};
    files.notReady = {"e:"};
    // clang-format off
    const std::pair<const char*, unsigned> dirs[] = {
        {"c:\\work\\", 0}, {"d:\\dvd\\", 0}, {"d:\\dvd\\Movie\\", 0}, {"d:\\dvd\\Movie\\sub\\", 0}, {"d:\\dvd\\alpha\\", 0},
        {"d:\\dvd\\hidden\\", kAttrHidden}, {"d:\\dvd\\RECYCLER\\", kAttrSystem | kAttrHidden}, {"d:\\dvd\\System Volume Information\\", kAttrSystem}};
    // clang-format on
    for (const auto& [dir, attributes] : dirs) files.Add(dir, attributes);
    files.Add("c:\\work\\notes.txt", 0, "x");
    // Counted: the DVD files, beyond 32 bits in sum. Not counted: hidden and system files, other
    // files, files in subdirectories.
    // clang-format off
    const std::pair<const char*, unsigned> movie[] = {{"VTS_01_1.VOB", 0}, {"vts_01_0.ifo", 0}, {"VTS_01_0.BUP", 0}, {"HIDDEN.VOB", kAttrHidden},
        {"SYSTEM.IFO", kAttrSystem}, {"MOVIE.CFFL", 0}, {"M.CFFL.VINF", 0}, {"sub\\INNER.VOB", 0}};
    // clang-format on
    for (const auto& [name, attributes] : movie)
      files.Add(std::string("d:\\dvd\\Movie\\") + name, attributes, "", 1ull << 31);
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

// The lists show the hidden and system directories no more, and nest their change events.
TEST(FolderLists, OpenOnTheCurrentDirectoryThenNestTheChangeEvents) {
  Machine m;  // no change event at start-up: nothing measured
  EXPECT_EQ(m.form.trace, (Trace{"drive c: [System]", "dir 0+c:\\ *1+work", "files notes.txt"}));
  EXPECT_EQ(m.files.labelReads, 1);  // c: alone, the one on show
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 1),
            (Trace{"drive d: [Data]", "dir 0+d:\\ *1+dvd 2-alpha 2-Movie", "files", "size 0,00"}));
  EXPECT_EQ(
      m.Did(&frm_Main::OpenDirectory, 3),
      (Trace{"dir 0+d:\\ 1+dvd *2+Movie 3-sub",
             "files M.CFFL.VINF,MOVIE.CFFL,VTS_01_0.BUP,vts_01_0.ifo,VTS_01_1.VOB", "size 6,00"}));
  EXPECT_EQ(m.Did(&frm_Main::OpenDirectory, 0), (Trace{"dir *0+d:\\ 1-dvd", "files", "size 0,00"}));
}

TEST(FolderLists, FallBackToTheRootThenToDriveCWithoutAMessage) {
  Machine m;
  m.files.driveDirectories["d:"] = "d:\\gone";
  m.window.ChooseDrive(1);
  // e: has no medium, so not even its root opens. Setting the drive runs the drive's change event
  // (to c:'s directory), then setting the path runs the directory's change event (to c:\).
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 2),
            (Trace{"drive e:", "drive c: [System]", "dir 0+c:\\ *1+work", "files notes.txt",
                   "size 0,00", "dir *0+c:\\ 1-work", "files", "size 0,00"}));
  EXPECT_TRUE(m.form.messages.empty());
  // d:'s directory is gone, its root is there
  EXPECT_EQ(m.Did(&frm_Main::ChooseDrive, 1),
            (Trace{"drive d: [Data]", "dir *0+d:\\ 1-dvd", "files", "size 0,00"}));
  m.files.failAtCall = m.files.calls + 1;  // the platform remembers no directory for the drive
  EXPECT_EQ(OpenDrive(m.files, "d:"), std::nullopt);
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
  EXPECT_EQ(m.Did(&frm_Main::RefreshDrives),
            (Trace{"drive ", "drive c: [System]", "dir 0+c:\\ *1+work", "files notes.txt",
                   "size 0,00", "dir *0+c:\\ 1-work", "files", "size 0,00"}));
  // A file opens its folder: the drive's change event first, then the folder's.
  EXPECT_EQ(
      m.Did(&frm_Main::OpenDropped, "D:\\dvd\\Movie\\VTS_01_1.VOB"),
      (Trace{"drive d: [Data]", "dir 0+d:\\ *1+dvd 2-alpha 2-Movie", "files", "size 0,00",
             "dir 0+d:\\ 1+dvd *2+Movie 3-sub",
             "files M.CFFL.VINF,MOVIE.CFFL,VTS_01_0.BUP,vts_01_0.ifo,VTS_01_1.VOB", "size 6,00"}));
  EXPECT_EQ(m.Did(&frm_Main::OpenDropped, "\\\\server\\dvd"), (Trace{}));
  EXPECT_EQ(m.form.messages,
            (std::vector<ShownMessage>{
                {msg::kNotOnADrive.Text(false, "\\\\server\\dvd"), "Fehler", Info}}));
  // Nothing changes under an open question: the file goes to the folder shown at the click; then
  // what came meanwhile applies, the drives first, of the drops the last.
  m.form.whileOpen = [&] {
    m.window.OpenDropped("d:\\dvd");
    m.window.OpenDropped("d:/dvd/Movie/..//alpha/.");
    m.window.RefreshDrives();
  };
  m.form.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(m.Did(&frm_Main::OnEvent, Ctl::btn_MakeCFFL, Event::Click),
            (Trace{"files M.CFFL.VINF,MOVIE.CFFL,VTS_01_0.BUP,vts_01_0.ifo,VTS_01_1.VOB",
                   "drive d: [Data]", "dir 0+d:\\ 1+dvd *2+alpha", "files", "size 0,00"}));
  EXPECT_EQ(m.files.Content("d:\\dvd\\Movie\\MOVIE.CFFL"),
            "CFFL\r\nD:\\dvd\\Movie\\VTS_01_1.VOB\r\n");
  // Once the window is gone, nothing that came meanwhile applies.
  m.form.whileOpen = [&] {
    m.window.OpenDropped("d:\\dvd");
    m.window.WindowClosed();
  };
  EXPECT_EQ(m.Did(&frm_Main::OnEvent, Ctl::btn_MakeCFFL, Event::Click), (Trace{}));
}

TEST(FolderLists, TakeDroppedPathsAsWindowsWritesThem) {
  Machine m;
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

TEST(FolderLists, ShowADirectoryThatVanishedAsItIsNow) {
  Machine m;
  m.window.ChooseDrive(1);
  m.files.failAtCall = m.files.calls + 1;  // opening "alpha" fails
  EXPECT_EQ(m.Did(&frm_Main::OpenDirectory, 2), (Trace{"dir 0+d:\\ *1+dvd 2-alpha 2-Movie"}));
}

TEST(MeasureOutputDir, ShowsNoNumberWhenASearchOrALengthFails) {
  // Calls of a measurement: a search, the lengths of what it found, and so on for each pattern.
  for (const int failing : {1, 2, 3, 4, 5, 6}) {
    Machine m;
    m.window.ChooseDrive(1);
    m.window.OpenDirectory(3);  // Movie
    m.files.failAtCall = m.files.calls + failing;
    m.window.MeasureOutputDir();
    EXPECT_EQ(m.form.Text(Ctl::inp_SourceSize), "—") << failing;
    m.window.MeasureOutputDir();  // the next measurement works again
    EXPECT_EQ(m.form.Text(Ctl::inp_SourceSize), "6,00") << failing;
  }
}
}  // namespace
}  // namespace orvanto
