#include <algorithm>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiDriver.h"
#include "app/WindowLayout.h"

namespace orvanto::ui {
namespace {

using win32::TempDir;

const wchar_t* const kInternational = L"Control Panel\\International";
const wchar_t* const kSettings = L"Software\\Tolva\\Settings";

int IndexOf(const std::vector<std::wstring>& items, const std::wstring& wanted) {
  const auto it =
      std::ranges::find_if(items, [&](const std::wstring& s) { return s.starts_with(wanted); });
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// A DVD copy: 4,831,838,208 bytes of VOB, IFO and BUP files, and a VIDEO_TS folder with 3 GiB.
struct DvdCopy {
  TempDir dir;
  DvdCopy() {
    dir.Make(L"VTS_01_1.VOB", FILE_ATTRIBUTE_NORMAL, "", 4'000'000'000);
    dir.Make(L"VTS_01_0.IFO", FILE_ATTRIBUTE_NORMAL, "", 800'000'000);
    dir.Make(L"VTS_01_0.BUP", FILE_ATTRIBUTE_NORMAL, "", 31'838'208);
    CreateDirectoryW((dir.Root() + L"\\VIDEO_TS").c_str(), nullptr);
    dir.Make(L"VIDEO_TS\\BIG.VOB", FILE_ATTRIBUTE_NORMAL, "", 3LL << 30);
  }
};

TEST(FolderUi, MeasuresTheStartDirectoryAndFollowsTheDirectoryList) {
  const RegistryOverride decimal(kInternational, L"sDecimal", L",");
  const RegistryOverride thousand(kInternational, L"sThousand", L".");
  DvdCopy dvd;
  RunningApp app(dvd.dir.Root());
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Title(), L"Orvanto V1.00.8");
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"4,50");

  // A double click opens the subdirectory: the file list and the size follow.
  const auto directories = app.Items(Ctl::lst_Path);
  const int videoTs = IndexOf(directories, L"VIDEO_TS");
  ASSERT_GE(videoTs, 0);
  app.DoubleClickItem(Ctl::lst_Path, videoTs);
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::inp_SourceSize) == L"3,00"; }));
  EXPECT_EQ(app.Items(Ctl::lst_File), std::vector<std::wstring>{L"BIG.VOB"});

  // Enter on a highlighted ancestor opens it as well.
  const int parent = static_cast<int>(app.Items(Ctl::lst_Path).size()) - 2;
  PostMessageW(app.Control(Ctl::lst_Path), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 2));
  PostMessageW(app.Control(Ctl::lst_Path), WM_LBUTTONUP, 0, MAKELPARAM(20, 2));
  ASSERT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(Ctl::lst_Path); }));
  SendMessageW(app.Control(Ctl::lst_Path), LB_SETCURSEL, static_cast<WPARAM>(parent), 0);
  app.PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::inp_SourceSize) == L"4,50"; }));
  EXPECT_EQ(app.Items(Ctl::lst_File).size(), 3u);
}

TEST(FolderUi, FallsBackToDriveCFromADriveThatIsNotReady) {
  DvdCopy dvd;
  RunningApp app(dvd.dir.Root());
  ASSERT_TRUE(app.Started());
  const int q = IndexOf(app.Items(Ctl::lst_Drive), L"q:");
  ASSERT_GE(q, 0) << "the test run links q: to a missing path";
  const HWND drives = app.Control(Ctl::lst_Drive);
  SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(q), 0);
  PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives));
  // The lists end on c:\, whose line is the first and the open one.
  EXPECT_TRUE(WaitUntil([&] {
    return app.Selection(Ctl::lst_Path) == 0 && app.Items(Ctl::lst_Path).front() == L"c:\\";
  }));
  EXPECT_TRUE(
      app.Items(Ctl::lst_Drive)[static_cast<size_t>(app.Selection(Ctl::lst_Drive))].starts_with(
          L"c:"));
  EXPECT_FALSE(app.WaitForMessageBox(std::chrono::milliseconds(500)));
}

// Reads the flag shown by img_Sprache: the German flag has yellow in its lowest stripe.
bool ShowsGermanFlag(const RunningApp& app) {
  const RECT image = app.ClientRect(Ctl::img_Sprache);
  const int height = image.bottom - image.top;
  return app.PixelAt({image.left + height / 2, image.top + height * 22 / 32}) == RGB(255, 255, 0);
}

TEST(LanguageUi, SwitchesAtTheNextStartAndBack) {
  const RegistryOverride keep(kSettings, L"English", L"");
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English run" : "German run");
    RunningApp app;
    ASSERT_TRUE(app.Started());
    Sleep(300);
    EXPECT_EQ(ShowsGermanFlag(app), english);
    for (const ControlDesc& desc : Controls()) {
      if (desc.englishStep == 0) continue;
      EXPECT_EQ(app.Text(desc.id), win32::Widen(english ? desc.english : desc.german)) << desc.name;
    }
    EXPECT_EQ(app.Text(Ctl::Label5), L"GB");

    app.Click(Ctl::btn_LangSwitch);
    const auto note = app.WaitForMessageBox();
    ASSERT_TRUE(note);
    EXPECT_EQ(note->title, english ? L"Hinweis" : L"Note");
    EXPECT_EQ(note->text,
              english
                  ? L"Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren."
                  : L"The program needs to be restarted to activate english language.");
    EXPECT_EQ(note->buttons, std::vector<int>{IDOK});
    note->Press(IDOK);
    EXPECT_TRUE(app.Exited(std::chrono::seconds(5)));
  }
}

}  // namespace
}  // namespace orvanto::ui
