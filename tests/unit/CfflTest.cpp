#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "cffl/CfflFile.h"

namespace orvanto {
namespace {

using M = CfflMessages;
using testing::ShownMessage;

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

ShownMessage Said(Bilingual text, Bilingual title, int style) {
  return {std::string(text.german), std::string(title.german), style};
}
ShownMessage SaidAbout(const std::string& subject, Bilingual before, Bilingual after,
                       Bilingual title = kTitleError, int style = 64) {
  return {std::string(before.german) + subject + std::string(after.german),
          std::string(title.german), style};
}

// The messages of a run, one letter each: Overwrite, Other CFFL, Vinf, name Warning, No VOB,
// Empty name, Bad name, Delete failed (the marker), Ansi refused, Failed write, Success.
std::vector<ShownMessage> Messages(const std::string& letters, const std::string& dir) {
  const std::map<char, ShownMessage> byLetter = {
      {'O', SaidAbout(dir + "MOVIE.CFFL", M::OverwriteBefore, M::OverwriteAfter, kTitleQuestion,
                      292)},
      {'C', Said(M::OtherCffl, kTitleQuestion, 36)},
      {'V', Said(M::Vinf, kTitleQuestion, 36)},
      {'W', Said(M::NameWarning, kTitleQuestion, 292)},
      {'N', Said(M::NoVob, kTitleError, 64)},
      {'E', Said(M::EmptyName, kTitleError, 64)},
      {'B', SaidAbout("..\\X", M::BadNameBefore, M::BadNameAfter)},
      {'D', SaidAbout(dir + "A.CFFL.VINF", M::NotDeletedBefore, M::NotDeletedAfter)},
      {'A', SaidAbout(dir + "VTS_01_\u5F71.VOB", M::NotAnsiBefore, M::NotAnsiAfter)},
      {'F', Said(M::WriteFailed, kTitleError, 64)},
      {'S', Said(M::Written, kTitleNote, 64)},
  };
  std::vector<ShownMessage> said;
  for (const char letter : letters) said.push_back(byLetter.at(letter));
  return said;
}

// The directory open in the lists holds the files named ("h:" before a name: hidden, "r:"
// read-only); each starts with the content "old".
struct CfflRun : testing::TestWindow {
  CfflRun(const std::string& dir, const std::string& names, const std::string& typed = "MOVIE") {
    files.AddDirectory("d:\\dvd");
    for (std::string name : Words(names)) {
      unsigned attributes = 0;
      if (name.starts_with("h:")) attributes = kAttrHidden;
      if (name.starts_with("r:")) attributes = testing::FakeFileSystem::kReadOnly;
      files.AddFile(dir + (attributes ? name.substr(2) : name), "old", attributes);
    }
    files.currentDirectory = dir;
    window.InitFolderLists();
    form.SetText(Ctl::inp_Filename, typed);
  }
  void Press(const std::string& answers) {
    for (const char a : answers) form.answers.push_back(a == 'Y' ? kAnswerYes : kAnswerNo);
    form.trace.clear();
    Click(Ctl::btn_MakeCFFL);
  }
};

std::string Cffl(const std::string& dir, const std::string& names) {
  std::vector<std::string> paths;
  for (const std::string& name : Words(names)) paths.push_back(dir + name);
  return CfflText(paths);
}

const char* const kFive =
    "VTS_01_0.IFO VTS_01_3.VOB VTS_01_0.VOB VTS_01_1.VOB VTS_01_0.BUP VTS_01_2.VOB VTS_01_4.VOB";
const char* const kFiveSorted = "VTS_01_0.VOB VTS_01_1.VOB VTS_01_2.VOB VTS_01_3.VOB VTS_01_4.VOB";

TEST(MakeCffl, AsksWarnsDeletesAndWritesAsTheAnswersSay) {
  const std::string five = kFive;
  const struct {
    std::string files, typed, answers, said, gone;
    std::string written;  // VOB names listed, "old" when kept, "" when never written
    std::string target = "MOVIE.CFFL";
  } cases[] = {
      // clang-format off
      {five, "MOVIE", "", "S", "", kFiveSorted},
      {"VTS_01_1.VOB", "  ", "", "S", "", "VTS_01_1.VOB", "  .CFFL"},
      {"VTS_01_1.VOB", "MOVIE.CFFL", "", "S", "", "VTS_01_1.VOB", "MOVIE.CFFL.CFFL"},
      {five + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "N", "O", "", "old"},
      {five + " MOVIE.CFFL OLD.CFFL X.CFFL.VINF", "MOVIE", "YN", "OVS", "", kFiveSorted},
      {five + " MOVIE.CFFL X.CFFL.VINF", "MOVIE", "YY", "OVS", "X.CFFL.VINF", kFiveSorted},
      {five + " OLD.CFFL OTHER.CFFL", "MOVIE", "Y", "CS", "OLD.CFFL", kFiveSorted},
      {five + " OLD.CFFL", "MOVIE", "N", "CS", "", kFiveSorted},
      {"VTS_01_1.VOB VIDEO_TS.VOB", "MOVIE", "Y", "WS", "", "VIDEO_TS.VOB VTS_01_1.VOB"},
      {"VTS_02_1.VOB OLD.CFFL", "MOVIE", "YN", "CW", "OLD.CFFL", ""},
      {"VTS_01_0.IFO VTS_01_0.BUP M.CFFL.VINF", "MOVIE", "Y", "VN", "M.CFFL.VINF", ""},
      {"VTS_01_1.VOB h:VTS_01_2.VOB", "MOVIE", "", "S", "", "VTS_01_1.VOB"},
      {"vts_01_1.vob VTS_01_2.VOB Vts_01_3.VOB", "MOVIE", "", "S", "", "VTS_01_2.VOB Vts_01_3.VOB vts_01_1.vob"},
      {five, "", "", "E", "", ""},
      {five, "..\\X", "", "B", "", ""},
      {five + " r:MOVIE.CFFL", "MOVIE", "Y", "OF", "", "old"},
      {"VTS_01_1.VOB r:A.CFFL.VINF", "MOVIE", "Y", "VDS", "", "VTS_01_1.VOB"},
      {"VTS_01_1.VOB VTS_01_\u5F71.VOB", "MOVIE", "", "A", "", ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files + " / typed \"" + c.typed + "\" / answers " + c.answers);
    CfflRun run("d:\\dvd\\", c.files, c.typed);
    run.Press(c.answers);
    EXPECT_EQ(run.form.messages, Messages(c.said, "d:\\dvd\\"));
    EXPECT_TRUE(run.form.answers.empty()) << "questions left unasked";
    for (std::string name : Words(c.files)) {
      if (name[1] == ':') name = name.substr(2);
      EXPECT_EQ(run.files.Exists("d:\\dvd\\" + name), name != c.gone) << name;
    }
    const std::string expected =
        c.written == "old" || c.written.empty() ? c.written : Cffl("d:\\dvd\\", c.written);
    EXPECT_EQ(run.files.Content("d:\\dvd\\" + c.target), expected);
    // The file list is refreshed at the end of a write attempt only.
    EXPECT_EQ(!run.form.trace.empty(), c.said.back() == 'S' || c.said.back() == 'F');
  }
}

TEST(MakeCffl, RefusesNamesThatAreNoFileNames) {
  for (const char* name : {"a\\b", "a/b", "x:y", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "tab\t",
                           "CON", "nul.txt", "Com1", "LPT9.x", "aux .cffl"}) {
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  }
  for (const char* name : {"MOVIE", "  ", "CONSOLE", "COM10", "MOVIE.CFFL", "Film (2003)"}) {
    EXPECT_TRUE(IsUsableFileName(name)) << name;
  }
}

TEST(MakeCffl, SpeaksEnglishAndListsEveryVobAtADriveRoot) {
  std::string vobs;
  for (int i = 25; i > 0; --i) vobs += " VTS_01_" + std::to_string(i) + ".VOB";
  CfflRun run("e:\\", vobs + " MOVIE.CFFL");
  run.window.English = true;
  run.Press("Y");
  EXPECT_EQ(run.form.messages,
            (std::vector<ShownMessage>{
                {"The file 'e:\\MOVIE.CFFL' already exists. Overwrite it ?", "Question", 292},
                {"The CFFL-file has been generated.", "Note", 64}}));
  const std::string written = run.files.Content("e:\\MOVIE.CFFL");
  EXPECT_TRUE(written.starts_with("CFFL\r\ne:\\VTS_01_1.VOB\r\ne:\\VTS_01_10.VOB\r\n")) << written;
  EXPECT_EQ(std::ranges::count(written, '\n'), 26);
}

TEST(MakeCffl, NeverLeavesAHalfDoneFileWhateverCallFails) {
  const auto scenario = [] {
    auto run =
        std::make_unique<CfflRun>("d:\\dvd\\", std::string(kFive) + " MOVIE.CFFL M.CFFL.VINF");
    return run;
  };
  const std::string complete = Cffl("d:\\dvd\\", kFiveSorted);
  const auto clean = scenario();
  const int before = clean->files.calls;
  clean->Press("YY");
  const int calls = clean->files.calls - before;
  ASSERT_GT(calls, 5);

  for (int failing = 1; failing <= calls; ++failing) {
    SCOPED_TRACE(failing);
    auto run = scenario();
    run->files.failAtCall = run->files.calls + failing;
    run->Press("YYY");
    const std::string content = run->files.Content("d:\\dvd\\MOVIE.CFFL");
    EXPECT_TRUE(content == "old" || content == complete) << content;
    ASSERT_FALSE(run->form.messages.empty());
    const ShownMessage& last = run->form.messages.back();
    EXPECT_EQ(last.title == "Hinweis", content == complete) << last.text;
    EXPECT_EQ(last.style, 64) << "the run ends with a note or an error, never silently";

    // The program is still usable: the next run succeeds.
    run->files.failAtCall = 0;
    run->form.answers.clear();
    run->Press("YY");
    EXPECT_EQ(run->files.Content("d:\\dvd\\MOVIE.CFFL"), complete);
  }
}

}  // namespace
}  // namespace orvanto
