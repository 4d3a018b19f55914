#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiDriver.h"

namespace orvanto::ui {
namespace {

std::string ContentOf(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);  // MinGW's ifstream takes wide paths
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST(CfflUi, CleansUpOldFilesAndWritesTheList) {
  win32::TempDir dvd;
  for (const wchar_t* name :
       {L"VTS_01_1.VOB", L"VTS_01_0.VOB", L"VTS_01_0.IFO", L"OLD.CFFL", L"MOVIE.CFFL.VINF"}) {
    dvd.Make(name);
  }
  RunningApp app(dvd.Root());
  ASSERT_TRUE(app.Started());
  app.Click(Ctl::btn_MakeCFFL);

  for (const std::wstring start : {L"Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen",
                                   L"Das Zielverzeichnis enthält eine CFFL.VINF-Datei"}) {
    const auto question = app.WaitForMessageBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->title, L"Frage");
    EXPECT_TRUE(question->text.starts_with(start)) << win32::Narrow(question->text);
    EXPECT_EQ(question->buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(question->defaultButton, IDYES);
    question->Press(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->hwnd); }));
  }
  const auto note = app.WaitForMessageBox();
  ASSERT_TRUE(note);
  EXPECT_EQ(note->title, L"Hinweis");
  EXPECT_EQ(note->text, L"Die CFFL-Datei wurde geschrieben.");
  note->Press(IDOK);

  const std::string dir = dvd.Path();
  EXPECT_EQ(ContentOf(dvd.Root() + L"\\MOVIE.CFFL"),
            "CFFL\r\n" + dir + "VTS_01_0.VOB\r\n" + dir + "VTS_01_1.VOB\r\n");
  EXPECT_EQ(GetFileAttributesW((dvd.Root() + L"\\OLD.CFFL").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((dvd.Root() + L"\\MOVIE.CFFL.VINF").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(app.Items(Ctl::lst_File),
            (std::vector<std::wstring>{L"MOVIE.CFFL", L"VTS_01_0.IFO", L"VTS_01_0.VOB",
                                       L"VTS_01_1.VOB"}));

  // A second run meets the file: Enter answers the preselected No and nothing changes.
  app.Click(Ctl::btn_MakeCFFL);
  const auto overwrite = app.WaitForMessageBox();
  ASSERT_TRUE(overwrite);
  EXPECT_EQ(overwrite->text,
            L"Die Datei '" + dvd.Root() +
                L"\\MOVIE.CFFL' existiert bereits. Soll sie überschrieben werden ?");
  EXPECT_EQ(overwrite->defaultButton, IDNO);
  const HWND focus = GetDlgItem(overwrite->hwnd, IDNO);
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(overwrite->hwnd); }));
  EXPECT_FALSE(app.WaitForMessageBox(std::chrono::milliseconds(500)));
}

}  // namespace
}  // namespace orvanto::ui
