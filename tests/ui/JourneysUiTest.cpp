// What a user does with the real Orvanto.exe, under the regional separators, DPI settings and
// message fonts that real users have.

#include <windows.h>

#include <dbt.h>

#include <algorithm>
#include <array>
#include <memory>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiDriver.h"
#include "app/WindowLayout.h"
#include "common/Messages.h"

namespace orvanto::ui {
namespace {

struct Separators {
  const char* name;
  const wchar_t *decimal, *thousand;
};
const Separators kGerman{"German", L",", L"."}, kEnglish{"English", L".", L","},
    kFrench{"French", L",", L"\u202F"}, kNoGrouping{"NoGrouping", L".", L""};

using win32::Files;

// An IFOEdit output of 5,23 GB: 5,615,638,672 bytes, sparse on the host.
const Files kWorkedExample = {{L"VTS_01_0.IFO", 24'576},        {L"VTS_01_0.BUP", 24'576},
                              {L"VTS_01_1.VOB", 1'123'117'904}, {L"VTS_01_2.VOB", 1'123'117'904},
                              {L"VTS_01_3.VOB", 1'123'117'904}, {L"VTS_01_4.VOB", 1'123'117'904},
                              {L"VTS_01_5.VOB", 1'123'117'904}};

// 4,831,838,208 bytes of VOB, IFO and BUP files, old lists, and a VIDEO_TS folder with 3 GiB.
const Files kFolder = {
    {L"VTS_01_1.VOB", 4'000'000'000}, {L"VTS_01_0.VOB", 0}, {L"VTS_01_0.IFO", 800'000'000},
    {L"VTS_01_0.BUP", 31'838'208},    {L"OLD.CFFL", 0},     {L"MOVIE.CFFL.VINF", 0},
    {L"VIDEO_TS\\BIG.VOB", 3LL << 30}};

// The program started in a folder of `files`, under the separators `s`. Made with braces, which
// keep a temporary list of files alive with it.
struct Session {
  // The texts of `controls`, joined by "|", are the German-style `german` ("5.369,11 MB") as the
  // run's separators write it.
  void Expect(std::initializer_list<Ctl> controls, const std::wstring& german) const {
    std::wstring shown, local;
    for (const Ctl c : controls) shown += (shown.empty() ? L"" : L"|") + app.Text(c);
    for (const wchar_t c : german)
      local += c == L'.' ? s.thousand : c == L',' ? s.decimal : std::wstring(1, c);
    EXPECT_EQ(shown, local);
  }

  const Separators& s;
  const Files& files;
  RegistryOverride decimal{L"Control Panel\\International", L"sDecimal", s.decimal};
  RegistryOverride thousand{L"Control Panel\\International", L"sThousand", s.thousand};
  win32::TempDir dvd{files};
  RunningApp app{dvd.Root()};
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
  })) << win32::Narrow(app.Text(Ctl::dsp_DestFactor));
  Sleep(300);  // let the bar repaint on screen
  return first;
}

class Journey : public testing::TestWithParam<Separators> {};
INSTANTIATE_TEST_SUITE_P(Separators, Journey, testing::Values(kGerman, kEnglish, kNoGrouping),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(Journey, WorksOutTheExampleInAMeasuredFolderAndMarksItOnTheBar) {
  const Session run{GetParam(), kWorkedExample};
  ASSERT_TRUE(run.app.Started());
  EXPECT_EQ(run.app.Text(Ctl::inp_SourceSize), L"5,23");  // an input: German-style, always
  run.app.SetText(Ctl::inp_Playtime, L"8356,1");
  run.app.SetText(Ctl::inp_Bitrate, L"5390000");
  run.Expect({Ctl::dsp_Duration, Ctl::dsp_MBit}, L"140 Min (2h 20m)|5,14 MBit");

  // The question on the long playing time; its text as the CFFL journey checks its questions.
  const auto box = Calculate(run.app, L"81%");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->buttons, L"Yes [No]");
  run.Expect({Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize, Ctl::dsp_DestAudioSize,
              Ctl::dsp_SumSource, Ctl::dsp_SumDest, Ctl::dsp_NewBr},
             L"5.369,11 MB|-13,59 MB|4.398,97 MB|-13,59 MB|5.355,52 MB|4.385,38 MB|4.313 KBit/s");

  // The client area of the bar is 133 x 21 pixels at 96 DPI: the band fills rows 4 to 15, red to
  // yellow to green, and the marker at x = 49.07 falls on column 65, above the band too.
  const Shot bar = Capture(run.app.Control(Ctl::pct_Range));
  const std::array<std::array<int, 3>, 5> samples{
      {{0, 10, 0xFF0000}, {65, 10, 0}, {66, 10, 0xFFFF00}, {88, 10, 0x00FF00}, {65, 1, 0}}};
  for (const auto& [x, y, colour] : samples) EXPECT_EQ(bar.At(x, y), DWORD(colour)) << x;
}

TEST_P(Journey, MeasuresCleansUpWritesTheListFollowsFoldersAndLeavesADriveThatIsNotReady) {
  const win32::NotReadyDrive q;
  const Session run{GetParam(), kFolder};
  const RunningApp& app = run.app;
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"4,50");

  app.Click(Ctl::btn_MakeCFFL);
  for (const std::wstring start : {L"Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen",
                                   L"Das Zielverzeichnis enthält eine CFFL.VINF-Datei"}) {
    const auto question = app.WaitForMessageBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->title, L"Frage");
    EXPECT_TRUE(question->text.starts_with(start)) << win32::Narrow(question->text);
    EXPECT_EQ(question->buttons, L"[Yes] No");
    question->Press(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->hwnd); }));
  }
  const auto note = app.WaitForMessageBox();
  ASSERT_TRUE(note);
  EXPECT_EQ(note->title, L"Hinweis");
  EXPECT_EQ(note->text, L"Die CFFL-Datei wurde geschrieben.");
  note->Press(IDOK);
  const std::string dir = run.dvd.Path();
  EXPECT_EQ(run.dvd.Read(L"MOVIE.CFFL"),
            "CFFL\r\n" + dir + "VTS_01_0.VOB\r\n" + dir + "VTS_01_1.VOB\r\n");
  // The list is read again from the folder: the old files are gone.
  EXPECT_EQ(app.Items(Ctl::lst_File),
            (std::vector<std::wstring>{L"MOVIE.CFFL", L"VTS_01_0.BUP", L"VTS_01_0.IFO",
                                       L"VTS_01_0.VOB", L"VTS_01_1.VOB"}));

  // A double click opens the subdirectory.
  const HWND paths = app.Control(Ctl::lst_Path);
  RECT line{};
  SendMessageW(paths, LB_GETITEMRECT, SendMessageW(paths, LB_FINDSTRING, -1, LPARAM(L"VIDEO_TS")),
               LPARAM(&line));
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(paths, message, 0, MAKELPARAM(line.left + 20, line.top + 4));
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::inp_SourceSize) == L"3,00"; }));
  EXPECT_EQ(app.Items(Ctl::lst_File), std::vector<std::wstring>{L"BIG.VOB"});

  // A drive made while the program runs is listed once Windows announces it, and goes again; the
  // lists stay where they are.
  auto stick = std::make_unique<win32::NotReadyDrive>();
  const std::wstring late = win32::Widen(stick->drive);
  const auto listed = [&] {
    return std::ranges::any_of(app.Items(Ctl::lst_Drive),
                               [&](const std::wstring& item) { return item.starts_with(late); });
  };
  // As Windows announces a volume: its letter in a DEV_BROADCAST_VOLUME.
  const auto announce = [&](WPARAM event) {
    DEV_BROADCAST_VOLUME volume{sizeof(volume), DBT_DEVTYP_VOLUME, 0, 1ul << (late[0] - L'a'), 0};
    SendMessageW(app.Main(), WM_DEVICECHANGE, event, LPARAM(&volume));
    return listed();
  };
  EXPECT_FALSE(listed());
  EXPECT_TRUE(announce(DBT_DEVICEARRIVAL));
  stick.reset();
  EXPECT_FALSE(announce(DBT_DEVICEREMOVECOMPLETE));
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"3,00");

  // From the drive that is not ready, the lists end on c:\, whose line is the first and open one.
  const HWND drives = app.Control(Ctl::lst_Drive);
  ASSERT_NE(SendMessageW(drives, CB_SELECTSTRING, -1, LPARAM(win32::Widen(q.drive).c_str())),
            CB_ERR);
  PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
               LPARAM(drives));
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageW(paths, LB_GETCURSEL, 0, 0) == 0 &&
           app.Items(Ctl::lst_Path).front() == L"c:\\";
  }));
  EXPECT_TRUE(app.Text(Ctl::lst_Drive).starts_with(L"c:"));
}

// Closing the window or ending the Windows session under a question writes nothing; a drop then
// waits for the answer. A dropped path opens as Windows writes it.
TEST(Journey, ChangesNothingUnderAnOpenQuestion) {
  const win32::TempDir dvd{{{L"MOVIE\\VTS_01_1.VOB", 0},
                            {L"MOVIE\\VIDEO_TS.VOB", 0},
                            {L"OTHER\\VTS_01_1.VOB", 1LL << 31}}};
  // At the overwrite question, or at the name warning after a Yes there.
  for (const auto& [yeses, endSession] : {std::pair{0, false}, {1, false}, {0, true}}) {
    dvd.Make(L"MOVIE\\MOVIE.CFFL", FILE_ATTRIBUTE_NORMAL, "old");
    const RunningApp app{dvd.Root() + L"\\MOVIE"};
    app.Click(Ctl::btn_MakeCFFL);
    auto box = app.WaitForMessageBox();
    for (int i = 0; i < yeses && box; ++i) {
      box->Press(IDYES);
      WaitUntil([&] { return !IsWindow(box->hwnd); });
      box = app.WaitForMessageBox();
    }
    ASSERT_TRUE(box);
    if (endSession) {
      EXPECT_TRUE(SendMessageW(app.Main(), WM_QUERYENDSESSION, 0, 0));
      SendMessageW(app.Main(), WM_ENDSESSION, TRUE, 0);
    } else {
      PostMessageW(app.Main(), WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(app.Exited(10s)) << yeses;
    EXPECT_EQ(dvd.Read(L"MOVIE\\MOVIE.CFFL"), "old");
  }

  const RunningApp app{dvd.Root()};
  app.Drop(dvd.Root() + L"/OTHER//..\\MOVIE\\.");
  const auto movie = app.Items(Ctl::lst_File);
  EXPECT_EQ(movie, (std::vector<std::wstring>{L"MOVIE.CFFL", L"VIDEO_TS.VOB", L"VTS_01_1.VOB"}));
  app.Click(Ctl::btn_MakeCFFL);
  for (const int button : {IDYES, IDYES, IDOK}) {
    const auto box = app.WaitForMessageBox();
    ASSERT_TRUE(box);
    app.Drop(dvd.Root() + L"\\OTHER");
    EXPECT_EQ(app.Items(Ctl::lst_File), movie);
    EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"0,00");
    box->Press(button);
    WaitUntil([&] { return !IsWindow(box->hwnd); });
  }
  EXPECT_EQ(dvd.Read(L"MOVIE\\MOVIE.CFFL"), "CFFL\r\n" + dvd.Path(L"MOVIE\\VIDEO_TS.VOB") + "\r\n" +
                                                dvd.Path(L"MOVIE\\VTS_01_1.VOB") + "\r\n");
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::inp_SourceSize) == L"2,00"; }));
}

// 1234.5 GiB: the grouping separator is a narrow no-break space, which must not end the number.
TEST(Journey, ReadsBackAFolderAbove1000GbUnderFrenchSeparators) {
  const Session run{kFrench,
                    {{L"VTS_01_1.VOB", 1'073'741'824'000}, {L"VTS_01_2.VOB", 251'792'457'728}}};
  ASSERT_TRUE(run.app.Started());
  EXPECT_EQ(run.app.Text(Ctl::inp_SourceSize), L"1.234,50");
  run.app.SetText(Ctl::inp_Playtime, L"7000");
  run.app.SetText(Ctl::inp_Bitrate, L"5390000");
  // By hand: S = 1264128, M = 4497.766…, A = S - M, M' = T - A = -1255244.85…, F = -27908.18…
  Calculate(run.app, L"-27909%");
  run.Expect({Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize, Ctl::dsp_SumSource,
              Ctl::dsp_SumDest},
             L"4.497,77 MB|1.259.630,23 MB|-1.255.244,85 MB|1.264.128,00 MB|4.385,38 MB");
}

// Started from Explorer with a folder: quoted, with a trailing backslash. A path on no drive gets
// the message a drop gets, once the window is on screen.
TEST(Journey, OpensTheFolderItIsStartedWith) {
  const win32::TempDir dvd{kWorkedExample};
  const RunningApp app{L"", L'"' + dvd.Root() + L"\\\""};
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Text(Ctl::inp_SourceSize), L"5,23");
  EXPECT_EQ(app.Items(Ctl::lst_File).size(), kWorkedExample.size());
  const RunningApp away{L"", L"\\\\server\\DVD"};
  const auto box = away.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_TRUE(IsWindowVisible(away.Main()));
  EXPECT_EQ(box->text, win32::Widen(msg::kNotOnADrive.Text(false, "\\\\server\\DVD")));
}

// Moved to a monitor of 144 DPI and back, as Windows tells it (Wine never does) with the rectangle
// it suggests when it scales the window: laid out and drawn as by a program started at 144 DPI,
// a few places checked by hand (a tenth of the twips, halves up); then exactly as before.
TEST(Journey, LaysItselfOutAgainWhenTheDpiChangesAndBack) {
  // The client size, every control's place, and the pixels of a few with text and a picture.
  const auto look = [](const RunningApp& app) {
    app.SetText(Ctl::inp_Playtime, L"8356,1");
    app.SetText(Ctl::dsp_DestFactor, L"81%");
    Sleep(500);
    RECT r{};
    GetClientRect(app.Main(), &r);
    std::vector<std::vector<LONG>> all{{r.right, r.bottom}};
    for (const ControlDesc& d : Controls()) {
      r = app.ClientRect(d.id);
      all.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    for (const Ctl c : {Ctl::dsp_SizeOutput, Ctl::inp_Playtime, Ctl::dsp_DestFactor,
                        Ctl::btn_Calculate, Ctl::img_Sprache}) {
      const auto pixels = Capture(app.Control(c)).pixels;
      all.emplace_back(pixels.begin(), pixels.end());
    }
    return all;
  };
  std::vector<std::vector<LONG>> started;
  {
    const RegistryOverride logPixels(L"Control Panel\\Desktop", L"LogPixels", DWORD(144));
    const RunningApp app;
    ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
    started = look(app);
  }
  const RunningApp app;
  ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
  const auto before = look(app);
  RECT was{}, now{};
  GetWindowRect(app.Main(), &was);
  RECT scaled{40, 30, 40 + (was.right - was.left) * 3 / 2, 30 + (was.bottom - was.top) * 3 / 2};
  SendMessageW(app.Main(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               LPARAM(app.CopyIn(&scaled, sizeof(scaled))));
  const auto moved = look(app);
  EXPECT_EQ(moved.front(), (std::vector<LONG>{1310, 669}));
  const std::pair<Ctl, std::vector<LONG>> byHand[] = {{Ctl::btn_LangSwitch, {1152, 612, 146, 50}},
                                                      {Ctl::inp_Playtime, {1164, 120, 62, 29}},
                                                      {Ctl::dsp_DestFactor, {840, 540, 86, 38}}};
  for (const auto& [control, place] : byHand) EXPECT_EQ(moved[1 + Index(control)], place);
  EXPECT_TRUE(moved == started);
  GetWindowRect(app.Main(), &now);
  EXPECT_TRUE(now.left == 40 && now.top == 30);

  SendMessageW(app.Main(), WM_DPICHANGED, MAKEWPARAM(96, 96),
               LPARAM(app.CopyIn(&was, sizeof(was))));
  EXPECT_TRUE(look(app) == before);
}

// A German run, the English one that the switch asks for, and a German one again under another
// message font, which must leave the captions' pixels as they were.
TEST(Journey, NamesInputsAfterTheirCaptionsTabsInOrderSwitchesLanguageAndKeepsItsFont) {
  const RegistryOverride keep(L"Software\\Tolva\\Settings", L"English", L"");
  // What Tab visits, in tab-index order: neither labels, frames, the bar nor lines and images.
  std::vector<ControlDesc> stops(Controls().begin(), Controls().end());
  std::erase_if(stops, [](const ControlDesc& d) {
    return d.tabIndex < 0 || d.kind == Kind::Label || d.kind == Kind::Frame ||
           d.kind == Kind::PictureBox;
  });
  std::ranges::sort(stops, {}, &ControlDesc::tabIndex);
  const Ctl captions[] = {Ctl::dsp_LabelCFFLName, Ctl::dsp_SizeOutput, Ctl::dsp_Playtime,
                          Ctl::dsp_Bitrate, Ctl::btn_Calculate};
  std::vector<std::vector<DWORD>> german;
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English run" : "German run");
    RunningApp app;
    ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
    Sleep(500);  // the first paint
    if (!english)
      for (const Ctl c : captions) german.push_back(Capture(app.Control(c)).pixels);
    // Screen readers name an input after the static right before it in z-order.
    for (const ControlDesc& d : Controls())
      EXPECT_TRUE(!d.caption ||
                  GetWindow(app.Control(d.id), GW_HWNDPREV) == app.Control(*d.caption))
          << d.name;
    // The grey box inside its border, and a caption's text navy, not black.
    EXPECT_EQ(Capture(app.Control(Ctl::inp_SourceSize)).At(2, 2), 0xE0E0E0u);
    const auto caption = Capture(app.Control(Ctl::dsp_SizeOutput)).pixels;
    EXPECT_TRUE(std::ranges::count(caption, 0x000080u) > 0 && std::ranges::count(caption, 0u) == 0);
    // The flag of the other language: the German one has yellow in its lowest stripe.
    const Shot flag = Capture(app.Control(Ctl::img_Sprache));
    EXPECT_EQ(flag.At(flag.height / 2, flag.height * 22 / 32) == 0xFFFF00, english);
    EXPECT_EQ(app.Text(Ctl::btn_Calculate), english ? L"Calculate" : L"Berechnen");

    ASSERT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(stops.front().id); }));
    for (size_t i = 1; i <= stops.size(); ++i) {
      app.PressKey(VK_TAB);
      const Ctl next = stops[i % stops.size()].id;
      EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(next); }, 3s))
          << "Tab should reach " << Describe(next).name;
    }

    app.Click(Ctl::btn_LangSwitch);
    const auto note = app.WaitForMessageBox();
    ASSERT_TRUE(note);
    EXPECT_EQ(note->title, english ? L"Hinweis" : L"Note");
    EXPECT_EQ(note->text,
              english
                  ? L"Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren."
                  : L"The program needs to be restarted to activate english language.");
    EXPECT_EQ(note->buttons, L"[OK]");
    note->Press(IDOK);
    EXPECT_TRUE(app.Exited(5s));
  }

  const MessageFontOverride font(L"Tahoma", 12);
  RunningApp app;
  ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
  Sleep(500);
  for (size_t i = 0; i < std::size(captions); ++i) {
    const auto& g = german[i];
    EXPECT_TRUE(std::ranges::any_of(g, [&](DWORD p) { return p != g.front(); }));  // not blank
    EXPECT_TRUE(Capture(app.Control(captions[i])).pixels == g) << Describe(captions[i]).name;
  }
}

// Each control where its twips put it at the run's DPI, and every text it must show on one line of
// it: measured in the font the window gives the control, since under Wine WM_GETFONT does not
// cross processes.
TEST(Journey, WindowFollowsItsDescriptionAtEachDpi) {
  // The widest contents each box must show, besides every caption in both languages.
  std::vector<std::pair<Ctl, std::wstring>> texts = {{Ctl::inp_Playtime, L"8356,1"},
                                                     {Ctl::inp_Bitrate, L"5390000"},
                                                     {Ctl::dsp_NewBr, L"4.313 KBit/s"},
                                                     {Ctl::dsp_Duration, L"1.667 Min (27h 47m)"},
                                                     {Ctl::dsp_DestFactor, L"81%"}};
  for (const Ctl result : {Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize,
                           Ctl::dsp_DestAudioSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest})
    texts.emplace_back(result, L"5.369,11 MB");
  for (const ControlDesc& d : Controls())
    for (const auto text : {d.german, d.english})
      if (!text.empty() && d.kind != Kind::DriveList) texts.emplace_back(d.id, win32::Widen(text));
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const RegistryOverride logPixels(L"Control Panel\\Desktop", L"LogPixels", DWORD(dpi));
    RunningApp app;
    ASSERT_TRUE(app.Started() && WaitUntil([&] { return IsWindowVisible(app.Main()); }));
    RECT client{};
    GetClientRect(app.Main(), &client);
    EXPECT_EQ(client.right, ScaleTwips(kClientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, ScaleTwips(kClientHeightTwips, dpi));
    for (const ControlDesc& d : Controls()) {
      const RECT r = app.ClientRect(d.id);
      const PixelRect p = ClientPixels(d.id, dpi);
      std::array<LONG, 4> want{p.left, p.top, p.width, p.height},
          got{r.left, r.top, r.right - r.left, r.bottom - r.top};
      // An etched rule is two pixels thick and may run on by two; a drop-down list's height
      // follows its font.
      if (d.kind == Kind::Line)
        for (const int i : {2, 3})
          want[i] = want[i] == 0 ? 2 : std::clamp(got[i], want[i], want[i] + 2);
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

}  // namespace
}  // namespace orvanto::ui
