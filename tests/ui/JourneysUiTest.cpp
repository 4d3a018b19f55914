// What a user does with the real Orvanto.exe, under the regional separators, DPI settings and
// message fonts that real users have.

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiDriver.h"
#include "app/WindowLayout.h"

namespace orvanto::ui {
namespace {

using win32::TempDir;

const wchar_t* const kInternational = L"Control Panel\\International";
const wchar_t* const kDesktop = L"Control Panel\\Desktop";

struct Separators {
  const char* name;
  const wchar_t* decimal;
  const wchar_t* thousand;
};
const Separators kGerman{"German", L",", L"."}, kEnglish{"English", L".", L","},
    kFrench{"French", L",", L"\u202F"};
void PrintTo(const Separators& s, std::ostream* out) { *out << s.name; }

// A German-style text ("5.369,11 MB") as the run's separators write it.
std::wstring Local(const Separators& s, const std::wstring& german) {
  std::wstring out;
  for (const wchar_t c : german)
    out += c == L'.' ? s.thousand : c == L',' ? s.decimal : std::wstring(1, c);
  return out;
}

struct Regional {
  RegistryOverride decimal, thousand;
  explicit Regional(const Separators& s)
      : decimal(kInternational, L"sDecimal", s.decimal),
        thousand(kInternational, L"sThousand", s.thousand) {}
};

// An IFOEdit output of 5,23 GB: 5,615,638,672 bytes, sparse on the host.
struct SampleFolder : TempDir {
  SampleFolder() {
    Make(L"VTS_01_0.IFO", FILE_ATTRIBUTE_NORMAL, "", 24'576);
    Make(L"VTS_01_0.BUP", FILE_ATTRIBUTE_NORMAL, "", 24'576);
    for (int i = 1; i <= 5; ++i) {
      Make(L"VTS_01_" + std::to_wstring(i) + L".VOB", FILE_ATTRIBUTE_NORMAL, "", 1'123'117'904);
    }
  }
};

// Answers every question with Yes until the scale factor reads `factor`; returns the first one.
std::optional<MessageBoxView> Calculate(const RunningApp& app, const std::wstring& factor) {
  app.Click(Ctl::btn_Calculate);
  std::optional<MessageBoxView> first;
  EXPECT_TRUE(WaitUntil([&] {
    if (const auto box = app.WaitForMessageBox(100ms)) {
      if (!first) first = box;
      box->Press(IDYES);
      WaitUntil([&] { return !IsWindow(box->hwnd); });
    }
    return app.Text(Ctl::dsp_DestFactor) == factor;
  })) << "factor "
      << app.Text(Ctl::dsp_DestFactor).size();
  Sleep(300);  // let the bar repaint on screen
  return first;
}

void ExpectTexts(const RunningApp& app, const Separators& s,
                 std::initializer_list<std::pair<Ctl, const wchar_t*>> german) {
  for (const auto& [control, text] : german) {
    EXPECT_EQ(app.Text(control), Local(s, text)) << Describe(control).name;
  }
}

class Journey : public testing::TestWithParam<Separators> {};
INSTANTIATE_TEST_SUITE_P(Separators, Journey, testing::Values(kGerman, kEnglish),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(Journey, WorksOutTheExampleInAMeasuredFolderAndMarksItOnTheBar) {
  const Regional regional(GetParam());
  const SampleFolder dvd;
  RunningApp app(dvd.Root());
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"5,23");  // an input: German-style, always
  app.SetText(Ctl::inp_Playtime, L"8356,1");
  app.SetText(Ctl::inp_Bitrate, L"5390000");
  ExpectTexts(app, GetParam(),
              {{Ctl::dsp_Duration, L"140 Min (2h 20m)"}, {Ctl::dsp_MBit, L"5,14 MBit"}});

  const auto box = Calculate(app, L"81%");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Frage");
  EXPECT_EQ(box->text,
            L"Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?");
  EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(box->defaultButton, IDNO);
  ExpectTexts(app, GetParam(),
              {{Ctl::dsp_FilmSize, L"5.369,11 MB"},
               {Ctl::dsp_AudioSize, L"-13,59 MB"},
               {Ctl::dsp_DestAudioSize, L"-13,59 MB"},
               {Ctl::dsp_DestFilmSize, L"4.398,97 MB"},
               {Ctl::dsp_SumSource, L"5.355,52 MB"},
               {Ctl::dsp_SumDest, L"4.385,38 MB"},
               {Ctl::dsp_NewBr, L"4.313 KBit/s"}});

  // The client area of the bar is 133 x 21 pixels at 96 DPI: the band fills rows 4 to 15, the
  // marker at x = 49.07 falls on column 65, and each column shows the last rectangle reaching it.
  POINT origin{};
  MapWindowPoints(app.Control(Ctl::pct_Range), app.Main(), &origin, 1);
  const auto pixel = [&](int x, int y) { return app.PixelAt({origin.x + x, origin.y + y}); };
  const std::pair<int, COLORREF> samples[] = {{0, RGB(255, 0, 0)},  {30, RGB(255, 117, 0)},
                                              {65, RGB(0, 0, 0)},   {66, RGB(255, 255, 0)},
                                              {88, RGB(0, 255, 0)}, {132, RGB(247, 255, 247)}};
  for (const auto& [x, colour] : samples) EXPECT_EQ(pixel(x, 10), colour) << x;
  EXPECT_EQ(pixel(65, 1), RGB(0, 0, 0));
  EXPECT_NE(pixel(64, 1), RGB(0, 0, 0));

  // 106 %: the sizes change, the bar and the new bitrate do not.
  app.SetText(Ctl::inp_SourceSize, L"4,00");
  app.SetText(Ctl::inp_Playtime, L"7000");
  ASSERT_TRUE(Calculate(app, L"106%"));
  ExpectTexts(app, GetParam(),
              {{Ctl::dsp_AudioSize, L"-401,77 MB"}, {Ctl::dsp_NewBr, L"4.313 KBit/s"}});
  for (const auto& [x, colour] : samples) EXPECT_EQ(pixel(x, 10), colour) << x;
}

TEST_P(Journey, CleansUpOldFilesAndWritesTheList) {
  const Regional regional(GetParam());
  TempDir dvd;
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
  std::ifstream file((dvd.Root() + L"\\MOVIE.CFFL").c_str(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}),
            "CFFL\r\n" + dir + "VTS_01_0.VOB\r\n" + dir + "VTS_01_1.VOB\r\n");
  for (const wchar_t* gone : {L"\\OLD.CFFL", L"\\MOVIE.CFFL.VINF"}) {
    EXPECT_EQ(GetFileAttributesW((dvd.Root() + gone).c_str()), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_EQ(app.Items(Ctl::lst_File),
            (std::vector<std::wstring>{L"MOVIE.CFFL", L"VTS_01_0.IFO", L"VTS_01_0.VOB",
                                       L"VTS_01_1.VOB"}));
}

// 1234.5 GiB: the grouping separator is a narrow no-break space, which must not end the number.
TEST(Journey, ReadsBackAFolderAbove1000GbUnderFrenchSeparators) {
  const Regional regional(kFrench);
  TempDir dvd;
  dvd.Make(L"VTS_01_1.VOB", FILE_ATTRIBUTE_NORMAL, "", 1'073'741'824'000);
  dvd.Make(L"VTS_01_2.VOB", FILE_ATTRIBUTE_NORMAL, "", 251'792'457'728);
  RunningApp app(dvd.Root());
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"1.234,50");
  app.SetText(Ctl::inp_Playtime, L"7000");
  app.SetText(Ctl::inp_Bitrate, L"5390000");
  // By hand: S = 1264128, M = 4497.766…, A = S - M, M' = T - A = -1255244.85…, F = -27908.18…
  Calculate(app, L"-27909%");
  ExpectTexts(app, kFrench,
              {{Ctl::dsp_FilmSize, L"4.497,77 MB"},
               {Ctl::dsp_AudioSize, L"1.259.630,23 MB"},
               {Ctl::dsp_DestFilmSize, L"-1.255.244,85 MB"},
               {Ctl::dsp_SumSource, L"1.264.128,00 MB"},
               {Ctl::dsp_SumDest, L"4.385,38 MB"}});
}

int IndexOf(const std::vector<std::wstring>& items, const std::wstring& wanted) {
  const auto it = std::ranges::find_if(items, [&](const auto& s) { return s.starts_with(wanted); });
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

TEST(Journey, FolderListsMeasureFollowAndFallBackFromADriveThatIsNotReady) {
  const Regional regional(kGerman);
  const NotReadyDrive q(L"Q:");
  TempDir dvd;  // 4,831,838,208 bytes of VOB, IFO and BUP files, and a VIDEO_TS folder with 3 GiB
  dvd.Make(L"VTS_01_1.VOB", FILE_ATTRIBUTE_NORMAL, "", 4'000'000'000);
  dvd.Make(L"VTS_01_0.IFO", FILE_ATTRIBUTE_NORMAL, "", 800'000'000);
  dvd.Make(L"VTS_01_0.BUP", FILE_ATTRIBUTE_NORMAL, "", 31'838'208);
  CreateDirectoryW((dvd.Root() + L"\\VIDEO_TS").c_str(), nullptr);
  dvd.Make(L"VIDEO_TS\\BIG.VOB", FILE_ATTRIBUTE_NORMAL, "", 3LL << 30);
  RunningApp app(dvd.Root());
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(WindowText(app.Main()), L"Orvanto V1.00.8");
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"4,50");

  // A double click opens the subdirectory.
  const int videoTs = IndexOf(app.Items(Ctl::lst_Path), L"VIDEO_TS");
  ASSERT_GE(videoTs, 0);
  const HWND paths = app.Control(Ctl::lst_Path);
  const LPARAM at = MAKELPARAM(20, (videoTs - SendMessageW(paths, LB_GETTOPINDEX, 0, 0)) *
                                           SendMessageW(paths, LB_GETITEMHEIGHT, 0, 0) +
                                       4);
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageW(paths, message, 0, at);
  }
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::inp_SourceSize) == L"3,00"; }));
  EXPECT_EQ(app.Items(Ctl::lst_File), std::vector<std::wstring>{L"BIG.VOB"});

  // From the drive that is not ready, the lists end on c:\, whose line is the first and open one.
  const int drive = IndexOf(app.Items(Ctl::lst_Drive), L"q:");
  ASSERT_GE(drive, 0);
  const HWND drives = app.Control(Ctl::lst_Drive);
  SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(drive), 0);
  PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives));
  EXPECT_TRUE(WaitUntil([&] {
    return app.Selection(Ctl::lst_Path) == 0 && app.Items(Ctl::lst_Path).front() == L"c:\\";
  }));
  EXPECT_TRUE(app.Items(Ctl::lst_Drive)[app.Selection(Ctl::lst_Drive)].starts_with(L"c:"));
  EXPECT_FALSE(app.WaitForMessageBox(500ms));
}

TEST(Journey, SwitchesTheLanguageAtTheNextStartAndBack) {
  const RegistryOverride keep(L"Software\\Tolva\\Settings", L"English", L"");
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English run" : "German run");
    RunningApp app;
    ASSERT_TRUE(app.Started());
    Sleep(300);
    // The German flag has yellow in its lowest stripe.
    const RECT flag = app.ClientRect(Ctl::img_Sprache);
    const int side = flag.bottom - flag.top;
    EXPECT_EQ(app.PixelAt({flag.left + side / 2, flag.top + side * 22 / 32}) == RGB(255, 255, 0),
              english);
    EXPECT_EQ(app.Text(Ctl::btn_Calculate), english ? L"Calculate" : L"Berechnen");
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
    EXPECT_TRUE(app.Exited(5s));
  }
}

// Each control where its twips put it at the run's DPI, and every text it must show on one line of
// it: measured in the font the window gives the control, since under Wine WM_GETFONT does not
// cross processes.
TEST(Journey, WindowFollowsItsDescriptionAtEachDpi) {
  std::vector<std::pair<Ctl, std::wstring>> texts = {{Ctl::inp_Playtime, L"8356,1"},
                                                     {Ctl::inp_Bitrate, L"5390000"},
                                                     {Ctl::dsp_NewBr, L"4.313 KBit/s"},
                                                     {Ctl::dsp_Duration, L"1.667 Min (27h 47m)"},
                                                     {Ctl::dsp_DestFactor, L"81%"}};
  for (const Ctl result : {Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize,
                           Ctl::dsp_DestAudioSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest}) {
    texts.insert(texts.end(), {{result, L"5.369,11 MB"}, {result, L"-13,59 MB"}});
  }
  for (const ControlDesc& d : Controls()) {
    for (const auto text : {d.german, d.english}) {
      if (!text.empty() && d.kind != Kind::DriveList) texts.emplace_back(d.id, win32::Widen(text));
    }
  }
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const RegistryOverride logPixels(kDesktop, L"LogPixels", static_cast<DWORD>(dpi));
    RunningApp app;
    ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
    RECT client{};
    GetClientRect(app.Main(), &client);
    EXPECT_EQ(client.right, ScaleTwips(kClientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, ScaleTwips(kClientHeightTwips, dpi));
    for (const ControlDesc& d : Controls()) {
      const RECT r = app.ClientRect(d.id);
      const PixelRect p = ClientPixels(d.id, dpi);
      std::array want{p.left, p.top, p.width, p.height},
          got{r.left, r.top, r.right - r.left, r.bottom - r.top};
      // An etched rule is two pixels thick and may run on by two; a drop-down list's height
      // follows its font.
      for (const int i : {2, 3}) {
        if (d.kind == Kind::Line)
          want[i] = want[i] == 0 ? 2 : got[i] - want[i] <= 2 ? got[i] : want[i];
      }
      if (d.kind == Kind::DriveList) want[3] = got[3];
      EXPECT_EQ(got, want) << d.name;
      EXPECT_EQ(IsWindowVisible(app.Control(d.id)) != FALSE, d.visible) << d.name;
    }
    for (const auto& [control, text] : texts) {
      const FontDesc f = Describe(control).font.value_or(kWindowFont);
      const HGDIOBJ old =
          SelectObject(dc, CreateFontW(-MulDiv(f.tenthsOfPoint, dpi, 720), 0, 0, 0, f.weight, 0, 0,
                                       0, f.western ? ANSI_CHARSET : DEFAULT_CHARSET, 0, 0, 0, 0,
                                       win32::Widen(f.face).c_str()));
      RECT need{}, room{};
      DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      DeleteObject(SelectObject(dc, old));
      GetClientRect(app.Control(control), &room);
      const auto margins = SendMessageW(app.Control(control), EM_GETMARGINS, 0, 0);  // 0 if no edit
      EXPECT_LE(need.right, room.right - LOWORD(margins) - HIWORD(margins)) << win32::Narrow(text);
      // A group box only has to hold its caption across.
      EXPECT_LE(Describe(control).kind == Kind::Frame ? 0 : need.bottom, room.bottom)
          << win32::Narrow(text);
    }
  }
  DeleteDC(dc);
}

TEST(Journey, NamesInputsAfterTheirCaptionsTabsInOrderAndShowsItsColours) {
  RunningApp app;
  ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
  // Screen readers name an input after the static right before it in z-order.
  int named = 0;
  for (const ControlDesc& d : Controls()) {
    if (!d.caption) continue;
    ++named;
    EXPECT_EQ(GetWindow(app.Control(d.id), GW_HWNDPREV), app.Control(*d.caption)) << d.name;
  }
  EXPECT_EQ(named, 7);

  // The grey box inside its border, and navy, not black, as the darkest of a caption.
  Sleep(300);
  const RECT source = app.ClientRect(Ctl::inp_SourceSize);
  EXPECT_EQ(app.PixelAt({source.left + 4, source.top + 4}), RGB(224, 224, 224));
  const auto caption = Capture(app.Control(Ctl::dsp_SizeOutput));
  EXPECT_EQ(
      *std::ranges::min_element(
          caption, {}, [](DWORD p) { return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF); }),
      0x000080u);

  ASSERT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(Ctl::inp_Filename); }));
  for (const Ctl next :
       {Ctl::lst_Drive, Ctl::lst_Path, Ctl::lst_File, Ctl::btn_MakeCFFL, Ctl::inp_DestSize,
        Ctl::inp_Playtime, Ctl::inp_Bitrate, Ctl::inp_SafeGuard, Ctl::btn_Calculate,
        Ctl::inp_SourceSize, Ctl::btn_LangSwitch, Ctl::inp_Filename}) {
    app.PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(next); }, 3s))
        << "Tab should reach " << Describe(next).name;
  }
}

TEST(Journey, CaptionsKeepTheirPixelsUnderAnotherMessageFont) {
  const Ctl captions[] = {Ctl::dsp_LabelCFFLName, Ctl::dsp_SizeOutput, Ctl::dsp_Playtime,
                          Ctl::dsp_Bitrate, Ctl::btn_Calculate};
  const auto shoot = [&] {
    RunningApp app;
    EXPECT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
    Sleep(500);  // the first paint
    std::vector<std::vector<DWORD>> shots;
    for (const Ctl c : captions) shots.push_back(Capture(app.Control(c)));
    return shots;
  };
  const auto normal = shoot();
  const MessageFontOverride font(L"Tahoma", 12);
  const auto changed = shoot();
  for (size_t i = 0; i < std::size(captions); ++i) {
    const auto& n = normal[i];
    EXPECT_TRUE(std::ranges::any_of(n, [&](DWORD p) { return p != n.front(); }));  // not blank
    EXPECT_TRUE(changed[i] == n) << Describe(captions[i]).name;
  }
}

}  // namespace
}  // namespace orvanto::ui
