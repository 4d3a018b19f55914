#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "cffl/CfflFile.h"

namespace orvanto {
namespace {

using M = CfflMessages;
using testing::ShownMessage;

ShownMessage Said(Bilingual text, Bilingual title, int style, bool english = false) {
  return {std::string(text.In(english)), std::string(title.In(english)), style};
}
ShownMessage SaidAbout(const std::string& subject, Bilingual before, Bilingual after,
                       Bilingual title, int style) {
  return {std::string(before.german) + subject + std::string(after.german),
          std::string(title.german), style};
}
const ShownMessage kWritten = Said(M::Written, kTitleNote, 64);
const ShownMessage kOtherCffl = Said(M::OtherCffl, kTitleQuestion, 36);
const ShownMessage kVinf = Said(M::Vinf, kTitleQuestion, 36);
const ShownMessage kNameWarning = Said(M::NameWarning, kTitleQuestion, 292);
const ShownMessage kWriteFailed = Said(M::WriteFailed, kTitleError, 64);
ShownMessage Overwrite(const std::string& path) {
  return SaidAbout(path, M::OverwriteBefore, M::OverwriteAfter, kTitleQuestion, 292);
}

// The directory open in the lists holds `files` ("h:" before a name: hidden, "r:" read-only).
struct CfflRun : testing::TestWindow {
  CfflRun(const std::string& dir, const std::vector<std::string>& names,
          std::string typed = "MOVIE") {
    files.AddDirectory("d:\\dvd");
    for (std::string name : names) {
      unsigned attributes = 0;
      if (name.starts_with("h:")) attributes = kAttrHidden;
      if (name.starts_with("r:")) attributes = testing::FakeFileSystem::kReadOnly;
      if (attributes) name = name.substr(2);
      files.AddFile(dir + name, "old " + name, attributes);
    }
    files.currentDirectory = dir;
    window.InitFolderLists();
    form.SetText(Ctl::inp_Filename, typed);
  }
  void Press(std::deque<int> answersGiven) {
    form.answers = std::move(answersGiven);
    form.trace.clear();
    Click(Ctl::btn_MakeCFFL);
  }
};

const std::vector<std::string> kFiveVobs = {"VTS_01_0.IFO", "VTS_01_3.VOB", "VTS_01_0.VOB",
                                            "VTS_01_1.VOB", "VTS_01_0.BUP", "VTS_01_2.VOB",
                                            "VTS_01_4.VOB"};
const std::string kFiveVobsFile =
    "CFFL\r\nd:\\dvd\\VTS_01_0.VOB\r\nd:\\dvd\\VTS_01_1.VOB\r\nd:\\dvd\\VTS_01_2.VOB\r\n"
    "d:\\dvd\\VTS_01_3.VOB\r\nd:\\dvd\\VTS_01_4.VOB\r\n";

TEST(MakeCffl, AsksWarnsDeletesAndWritesAsTheAnswersSay) {
  constexpr int Y = kAnswerYes, N = kAnswerNo;
  const auto plus = [](std::vector<std::string> a, std::vector<std::string> b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const struct {
    const char* name;
    std::vector<std::string> files;
    std::string typed;
    std::deque<int> answers;
    std::vector<ShownMessage> said;
    std::vector<std::string> gone;  // files deleted
    std::string written;            // target content afterwards ("old ..." when kept)
    std::string target = "MOVIE.CFFL";
  } cases[] = {
      {"five VOB files", kFiveVobs, "MOVIE", {}, {kWritten}, {}, kFiveVobsFile},
      {"blank name",
       {"VTS_01_1.VOB"},
       "  ",
       {},
       {kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n",
       "  .CFFL"},
      {"typed with extension",
       {"VTS_01_1.VOB"},
       "MOVIE.CFFL",
       {},
       {kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n",
       "MOVIE.CFFL.CFFL"},
      {"overwrite no",
       plus(kFiveVobs, {"MOVIE.CFFL", "X.CFFL.VINF"}),
       "MOVIE",
       {N},
       {Overwrite("d:\\dvd\\MOVIE.CFFL")},
       {},
       "old MOVIE.CFFL"},
      {"overwrite yes, marker kept",
       plus(kFiveVobs, {"MOVIE.CFFL", "OLD.CFFL", "X.CFFL.VINF"}),
       "MOVIE",
       {Y, N},
       {Overwrite("d:\\dvd\\MOVIE.CFFL"), kVinf, kWritten},
       {},
       kFiveVobsFile},
      {"overwrite yes, marker deleted",
       plus(kFiveVobs, {"MOVIE.CFFL", "X.CFFL.VINF"}),
       "MOVIE",
       {Y, Y},
       {Overwrite("d:\\dvd\\MOVIE.CFFL"), kVinf, kWritten},
       {"X.CFFL.VINF"},
       kFiveVobsFile},
      {"first other CFFL deleted",
       plus(kFiveVobs, {"OLD.CFFL", "OTHER.CFFL"}),
       "MOVIE",
       {Y},
       {kOtherCffl, kWritten},
       {"OLD.CFFL"},
       kFiveVobsFile},
      {"other CFFL kept",
       plus(kFiveVobs, {"OLD.CFFL"}),
       "MOVIE",
       {N},
       {kOtherCffl, kWritten},
       {},
       kFiveVobsFile},
      {"menu VOB, go on",
       {"VTS_01_1.VOB", "VIDEO_TS.VOB"},
       "MOVIE",
       {Y},
       {kNameWarning, kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VIDEO_TS.VOB\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"other title set, stop",
       {"VTS_02_1.VOB", "VTS_02_2.VOB", "OLD.CFFL"},
       "MOVIE",
       {Y, N},
       {kOtherCffl, kNameWarning},
       {"OLD.CFFL"},
       ""},
      {"no VOB after marker deleted",
       {"VTS_01_0.IFO", "VTS_01_0.BUP", "M.CFFL.VINF"},
       "MOVIE",
       {Y},
       {kVinf, Said(M::NoVob, kTitleError, 64)},
       {"M.CFFL.VINF"},
       ""},
      {"hidden VOB",
       {"VTS_01_1.VOB", "h:VTS_01_2.VOB"},
       "MOVIE",
       {},
       {kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"letter case",
       {"vts_01_1.vob", "VTS_01_2.VOB", "Vts_01_3.VOB"},
       "MOVIE",
       {},
       {kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VTS_01_2.VOB\r\nd:\\dvd\\Vts_01_3.VOB\r\nd:\\dvd\\vts_01_1.vob\r\n"},
      {"empty name", kFiveVobs, "", {}, {Said(M::EmptyName, kTitleError, 64)}, {}, ""},
      {"name leaving the directory",
       kFiveVobs,
       "..\\X",
       {},
       {SaidAbout("..\\X", M::BadNameBefore, M::BadNameAfter, kTitleError, 64)},
       {},
       ""},
      {"read-only target",
       plus(kFiveVobs, {"r:MOVIE.CFFL"}),
       "MOVIE",
       {Y},
       {Overwrite("d:\\dvd\\MOVIE.CFFL"), Said(M::WriteFailed, kTitleError, 64)},
       {},
       "old MOVIE.CFFL"},
      {"marker that cannot be deleted",
       {"VTS_01_1.VOB", "r:A.CFFL.VINF"},
       "MOVIE",
       {Y},
       {kVinf,
        SaidAbout("d:\\dvd\\A.CFFL.VINF", M::NotDeletedBefore, M::NotDeletedAfter, kTitleError, 64),
        kWritten},
       {},
       "CFFL\r\nd:\\dvd\\VTS_01_1.VOB\r\n"},
      {"path outside the code page",
       {"VTS_01_1.VOB", "VTS_01_\xE5\xBD\xB1.VOB"},
       "MOVIE",
       {},
       {SaidAbout("d:\\dvd\\VTS_01_\xE5\xBD\xB1.VOB", M::NotAnsiBefore, M::NotAnsiAfter,
                  kTitleError, 64)},
       {},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CfflRun run("d:\\dvd\\", c.files, c.typed);
    run.Press(c.answers);
    EXPECT_EQ(run.form.messages, c.said);
    EXPECT_TRUE(run.form.answers.empty()) << "questions left unasked";
    for (const std::string& name : c.files) {
      const std::string bare = name.find(':') == 1 ? name.substr(2) : name;
      const bool gone = std::ranges::find(c.gone, bare) != c.gone.end();
      EXPECT_EQ(run.files.Exists("d:\\dvd\\" + bare), !gone) << bare;
    }
    EXPECT_EQ(run.files.Content("d:\\dvd\\" + c.target), c.written);
    // The file list is refreshed only after a write attempt.
    const bool attempted = c.said.back() == kWritten || c.said.back() == kWriteFailed;
    EXPECT_EQ(!run.form.trace.empty(), attempted);
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

TEST(MakeCffl, SpeaksEnglishAndWritesAtADriveRoot) {
  std::vector<std::string> vobs;
  for (int i = 25; i > 0; --i) vobs.push_back("VTS_01_" + std::to_string(i) + ".VOB");
  CfflRun run("e:\\", vobs);
  run.files.AddFile("e:\\MOVIE.CFFL", "old");
  run.window.English = true;
  run.Press({kAnswerYes});
  EXPECT_EQ(
      run.form.messages[0],
      (ShownMessage{"The file 'e:\\MOVIE.CFFL' already exists. Overwrite it ?", "Question", 292}));
  EXPECT_EQ(run.form.messages[1], (ShownMessage{"The CFFL-file has been generated.", "Note", 64}));
  const std::string written = run.files.Content("e:\\MOVIE.CFFL");
  EXPECT_TRUE(written.starts_with("CFFL\r\ne:\\VTS_01_1.VOB\r\ne:\\VTS_01_10.VOB\r\n")) << written;
  EXPECT_EQ(std::ranges::count(written, '\n'), 26);
}

TEST(MakeCffl, NeverLeavesAHalfDoneFileWhateverCallFails) {
  const auto scenario = [] {
    auto run = std::make_unique<CfflRun>("d:\\dvd\\", kFiveVobs);
    run->files.AddFile("d:\\dvd\\MOVIE.CFFL", "previous");
    run->files.AddFile("d:\\dvd\\M.CFFL.VINF");
    return run;
  };
  const auto clean = scenario();
  const int before = clean->files.calls;
  clean->Press({kAnswerYes, kAnswerYes});
  const int calls = clean->files.calls - before;
  ASSERT_GT(calls, 5);

  for (int failing = 1; failing <= calls; ++failing) {
    SCOPED_TRACE(failing);
    auto run = scenario();
    run->files.failAtCall = run->files.calls + failing;
    run->form.answers = {kAnswerYes, kAnswerYes, kAnswerYes};
    run->Click(Ctl::btn_MakeCFFL);
    const std::string content = run->files.Content("d:\\dvd\\MOVIE.CFFL");
    EXPECT_TRUE(content == "previous" || content == kFiveVobsFile) << content;
    ASSERT_FALSE(run->form.messages.empty());
    const ShownMessage& last = run->form.messages.back();
    EXPECT_EQ(last == kWritten, content == kFiveVobsFile) << last.text;
    EXPECT_EQ(last.style, 64) << "the run ends with a note or an error, never silently";

    // The program is still usable: the next run succeeds.
    run->files.failAtCall = 0;
    run->files.AddFile("d:\\dvd\\M.CFFL.VINF");
    run->Press({kAnswerYes, kAnswerYes, kAnswerYes});
    EXPECT_EQ(run->files.Content("d:\\dvd\\MOVIE.CFFL"), kFiveVobsFile);
  }
}

}  // namespace
}  // namespace orvanto
