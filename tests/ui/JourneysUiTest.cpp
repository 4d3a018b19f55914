// What a user does with the real Orvanto.exe, under the regional separators, DPI settings and
// message fonts that real users have. What the portable core decides is tested natively; these
// look at what only the real window shows.

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

using win32::TempDir;
using win32::Widen;
using enum Ctl;

// The regional separators of a run, and the bitrate read-out and the movie size as they show.
struct Separators {
  const char* name;
  const wchar_t *decimal, *thousand, *shown;
};
class Journey : public testing::TestWithParam<Separators> {};
INSTANTIATE_TEST_SUITE_P(
    Separators, Journey,
    testing::Values(Separators{"German", L",", L".", L"5,14 MBit|5.369,11 MB"},
                    Separators{"English", L".", L",", L"5.14 MBit|5,369.11 MB"},
                    Separators{"French", L",", L"\u202F", L"5,14 MBit|5\u202F369,11 MB"},
                    Separators{"NoGrouping", L".", L"", L"5.14 MBit|5369.11 MB"}),
    [](const auto& info) { return std::string(info.param.name); });

// Started with an IFOEdit output of 5,23 GB on its command line as Explorer passes it (quoted,
// with a trailing backslash): measured, asked, calculated and marked on the bar.
TEST_P(Journey, WorksOutTheExampleInTheFolderItIsStartedWith) {
  const wchar_t* regional = L"Control Panel\\International";
  const RegistryOverride decimal(regional, L"sDecimal", GetParam().decimal);
  const RegistryOverride thousand(regional, L"sThousand", GetParam().thousand);
  const TempDir dvd({{L"VTS_01_0.IFO", 24'576},
                     {L"VTS_01_0.BUP", 24'576},
                     {L"VTS_01_1.VOB", 1'123'117'904},
                     {L"VTS_01_2.VOB", 1'123'117'904},
                     {L"VTS_01_3.VOB", 1'123'117'904},
                     {L"VTS_01_4.VOB", 1'123'117'904},
                     {L"VTS_01_5.VOB", 1'123'117'904}});
  const RunningApp app(L"", L'"' + dvd.Root() + L"\\\"");
  ASSERT_TRUE(app.Main());
  app.SetText(inp_Playtime, L"8356,1");
  app.SetText(inp_Bitrate, L"5390000");
  app.Click(btn_Calculate);
  // On the long playing time.
  const auto question = app.WaitForMessageBox().value();
  EXPECT_EQ(question.buttons, L"Yes [No]");
  question.Press(IDYES);
  EXPECT_EQ(app.Text(dsp_MBit) + L"|" + app.Text(dsp_FilmSize), GetParam().shown);

  // The client area of the bar is 133 x 21 pixels at 96 DPI: the band fills rows 4 to 15, red to
  // yellow to green, and the marker at x = 49.07 falls on column 65, above the band too.
  Sleep(300);
  const Shot bar = Capture(app.Control(pct_Range));
  for (const auto& [x, y, colour] : {std::array{0, 10, 0xFF0000},
                                     {65, 10, 0},
                                     {66, 10, 0xFFFF00},
                                     {88, 10, 0x00FF00},
                                     {65, 1, 0}})
    EXPECT_EQ(bar.At(x, y), DWORD(colour)) << x;
  // Only the open folder's line of the directory list is highlighted: the root's is not.
  const Shot paths = Capture(app.Control(lst_Path));
  EXPECT_EQ(paths.At(paths.width - 4, 3), 0xFFFFFFu);

  // A new bitrate of 9000000 at a factor of 100 puts the marker on the bar's last column.
  for (const auto& [box, text] : {std::pair{inp_SourceSize, L"4,25"},
                                  {inp_DestSize, L"4,25"},
                                  {inp_SafeGuard, L"0"},
                                  {inp_Playtime, L"6000"},
                                  {inp_Bitrate, L"9000000"}})
    app.SetText(box, text);
  app.Click(btn_Calculate);
  app.WaitForMessageBox().value().Press(IDYES);  // on the small reserve
  ASSERT_TRUE(WaitUntil([&] { return app.Text(dsp_DestFactor) == L"100%"; }));
  Sleep(300);
  EXPECT_EQ(Capture(app.Control(pct_Range)).At(132, 10), 0u);
}

TEST(Journey, MeasuresCleansUpWritesTheListFollowsFoldersAndLeavesADriveThatIsNotReady) {
  // 4,831,838,208 bytes of VOB, IFO and BUP files, old lists, and a VIDEO_TS folder with 3 GiB.
  const TempDir dvd({{L"VTS_01_1.VOB", 4'000'000'000},
                     {L"VTS_01_0.VOB", 0},
                     {L"VTS_01_0.IFO", 800'000'000},
                     {L"VTS_01_0.BUP", 31'838'208},
                     {L"OLD.CFFL", 0},
                     {L"MOVIE.CFFL.VINF", 0},
                     {L"VIDEO_TS\\BIG.VOB", 3LL << 30}});
  const RunningApp app(dvd.Root());
  ASSERT_TRUE(app.Main());

  // Deleting the old list and the marker is offered with Yes preselected; then the note.
  app.Click(btn_MakeCFFL);
  for (const Message* said : {&msg::kOtherCffl, &msg::kVinf, &msg::kWritten}) {
    const auto box = app.WaitForMessageBox().value();
    EXPECT_EQ(box.text, Widen(said->Text(false)));
    EXPECT_EQ(box.buttons, said == &msg::kWritten ? L"[OK]" : L"[Yes] No");
    box.Press(said == &msg::kWritten ? IDOK : IDYES);
  }
  const std::string dir = dvd.Path();
  EXPECT_EQ(dvd.Read(L"MOVIE.CFFL"),
            "CFFL\r\n" + dir + "VTS_01_0.VOB\r\n" + dir + "VTS_01_1.VOB\r\n");
  EXPECT_EQ(app.Items(lst_File),
            (std::vector<std::wstring>{L"MOVIE.CFFL", L"VTS_01_0.BUP", L"VTS_01_0.IFO",
                                       L"VTS_01_0.VOB", L"VTS_01_1.VOB"}));

  // A double click opens the subdirectory.
  const HWND paths = app.Control(lst_Path);
  RECT line{};
  SendMessageW(paths, LB_GETITEMRECT, SendMessageW(paths, LB_FINDSTRING, -1, LPARAM(L"VIDEO_TS")),
               LPARAM(&line));
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(paths, message, 0, MAKELPARAM(line.left + 20, line.top + 4));
  EXPECT_TRUE(WaitUntil([&] { return app.Text(inp_SourceSize) == L"3,00"; }));

  // Of two folders dropped as Explorer drops them (each ended by a zero), the first opens.
  const std::wstring dropped = dvd.Root() + L'\0' + dvd.Root() + L"\\VIDEO_TS" + L'\0';
  std::vector<BYTE> block(sizeof(DROPFILES) + (dropped.size() + 1) * 2);
  *LPDROPFILES(block.data()) = {sizeof(DROPFILES), {}, FALSE, TRUE};
  std::ranges::copy(dropped, LPWSTR(&block[sizeof(DROPFILES)]));
  SendMessageW(app.Main(), WM_DROPFILES, WPARAM(app.CopyIn(block.data(), block.size())), 0);
  EXPECT_EQ(app.Text(inp_SourceSize), L"4,50");

  // A drive made while the program runs is listed once Windows announces it (the volume Windows
  // names would reach another process as a dangling pointer: not sent), and goes again.
  const HWND drives = app.Control(lst_Drive);
  auto stick = std::make_unique<win32::NotReadyDrive>();
  const std::wstring late = Widen(stick->drive);
  const auto announce = [&](WPARAM event) {
    SendMessageW(app.Main(), WM_DEVICECHANGE, event, 0);
    return SendMessageW(drives, CB_FINDSTRINGEXACT, -1, LPARAM(late.c_str())) != CB_ERR;
  };
  EXPECT_TRUE(announce(DBT_DEVICEARRIVAL));

  // That drive has no medium: chosen, the lists end on c:\, whose line is the first and open one.
  SendMessageW(drives, CB_SELECTSTRING, -1, LPARAM(late.c_str()));
  PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
               LPARAM(drives));
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageW(paths, LB_GETCURSEL, 0, 0) == 0 && app.Items(lst_Path)[0] == L"c:\\";
  }));
  EXPECT_TRUE(app.Text(lst_Drive).starts_with(L"c:"));
  stick.reset();
  EXPECT_FALSE(announce(DBT_DEVICEREMOVECOMPLETE));
}

// Closing the window or ending the Windows session under a question writes nothing.
TEST(Journey, WritesNothingWhenClosedUnderAQuestion) {
  const TempDir dvd({{L"VTS_01_1.VOB", 0}, {L"VIDEO_TS.VOB", 0}});
  // Closed at the name warning after a Yes to overwriting; the session ended at that question.
  for (const bool endSession : {false, true}) {
    dvd.Make(L"MOVIE.CFFL", 0, "old");
    const RunningApp app(dvd.Root());
    app.Click(btn_MakeCFFL);
    if (!endSession) app.WaitForMessageBox().value().Press(IDYES);
    ASSERT_TRUE(app.WaitForMessageBox());
    if (endSession) {
      EXPECT_TRUE(SendMessageW(app.Main(), WM_QUERYENDSESSION, 0, 0));
      SendMessageW(app.Main(), WM_ENDSESSION, TRUE, 0);
    } else {
      PostMessageW(app.Main(), WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(app.Exited()) << endSession;
    EXPECT_EQ(dvd.Read(L"MOVIE.CFFL"), "old");
  }
}

// A folder on no drive, given on the command line, gets the message a drop gets, owned by the
// window once it is on screen.
TEST(Journey, ExplainsWhyItCannotOpenAStartFolderOnNoDrive) {
  const RunningApp app(L"", L"\\\\server\\DVD");
  EXPECT_EQ(app.WaitForMessageBox().value().text,
            Widen(msg::kNotOnADrive.Text(false, "\\\\server\\DVD")));
}

// A German run, then the English one that the switch asks for.
TEST(Journey, NamesInputsAfterTheirCaptionsTabsInOrderAndSwitchesLanguage) {
  const RegistryOverride keep(L"Software\\Tolva\\Settings", L"English", L"");
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English run" : "German run");
    const RunningApp app;
    ASSERT_TRUE(app.Main());
    if (english) {
      // The flag of the other language: the German one has yellow in its lowest stripe.
      const Shot flag = Capture(app.Control(img_Sprache));
      EXPECT_EQ(flag.At(flag.height / 2, flag.height * 22 / 32), 0xFFFF00u);
    } else {
      // The grey box, grey behind its text too, and a caption's text navy, not black.
      const auto box = Capture(app.Control(inp_SourceSize)).pixels;
      EXPECT_TRUE(box[0] == 0xE0E0E0 && !std::ranges::count(box, 0xFFFFFFu));
      const auto caption = Capture(app.Control(dsp_SizeOutput)).pixels;
      EXPECT_GT(std::ranges::count(caption, 0x000080u), 0);
      // The two flags it copies from are never shown: they get no window at all.
      for (const Ctl flag : {img_Deutsch, img_English}) EXPECT_FALSE(app.Control(flag));
      // Tab visits these in turn from the first, where the focus starts, and screen readers name
      // each input after the static right before it in z-order.
      const std::pair<Ctl, std::optional<Ctl>> stops[] = {{inp_Filename, dsp_LabelCFFLName},
                                                          {lst_Drive, dsp_Outputdir},
                                                          {lst_Path, {}},
                                                          {lst_File, {}},
                                                          {btn_MakeCFFL, {}},
                                                          {inp_DestSize, dsp_DestSize},
                                                          {inp_Playtime, dsp_Playtime},
                                                          {inp_Bitrate, dsp_Bitrate},
                                                          {inp_SafeGuard, dsp_Safety},
                                                          {btn_Calculate, {}},
                                                          {inp_SourceSize, dsp_SizeOutput},
                                                          {btn_LangSwitch, {}},
                                                          {inp_Filename, dsp_LabelCFFLName}};
      for (const auto& [stop, caption] : stops) {
        const HWND input = app.Control(stop);
        EXPECT_TRUE(WaitUntil([&] { return app.Focus() == input; }, 3s) &&
                    (!caption || GetWindow(input, GW_HWNDPREV) == app.Control(*caption)))
            << Describe(stop).name;
        PostMessageW(app.Focus(), WM_KEYDOWN, VK_TAB, 1);
      }
      // The mouse resting on a numeric box shows its tooltip.
      RECT r{};
      GetWindowRect(app.Control(inp_Bitrate), &r);
      SetCursorPos(r.left + 5, r.top + 5);
      PostMessageW(app.Control(inp_Bitrate), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
      const auto tip = [] { return FindWindowW(L"tooltips_class32", nullptr); };
      EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tip()); }) &&
                  WindowText(tip()) == Widen(TooltipText(Describe(inp_Bitrate))));
      SetCursorPos(0, 0);
    }
    app.Click(btn_LangSwitch);
    const auto note = app.WaitForMessageBox().value();
    EXPECT_EQ(
        note.title + L"|" + note.text + L"|" + note.buttons,
        Widen(msg::kTitleNote.Text(!english) + "|" + msg::kRestart.Text(!english)) + L"|[OK]");
    note.Press(IDOK);
    EXPECT_TRUE(app.Exited());
  }
}

// At each DPI, the client area and a few places (by hand from the twips: MulDiv rounds halves away
// from zero), captions drawn as tall as the DPI makes them, and every text on one line of its
// control. Then, under another message font, which changes nothing, moved to a monitor of 144 DPI
// and back, as Windows tells it (Wine never does) with the rectangle it suggests: laid out and
// drawn as if started at 144 DPI, then exactly as before.
TEST(Journey, LaysItselfOutAtEachDpiWhenItChangesAndUnderAnotherMessageFont) {
  // The client area, then left, top, width and height of btn_LangSwitch (11520, 6120, 1455, 495
  // twips in the client area) and of lst_Path (360, 2040, 3615, 3690), which Windows would cut to
  // whole lines; the rows of a caption's ink, to a row.
  const struct {
    int dpi;
    std::vector<std::vector<LONG>> places;
    int ink;
  } runs[] = {
      {96, {{873, 446}, {768, 408, 97, 33}, {24, 136, 241, 246}}, 10},
      {120, {{1091, 558}, {960, 510, 121, 41}, {30, 170, 301, 308}}, 13},
      {144, {{1310, 669}, {1152, 612, 146, 50}, {36, 204, 362, 369}}, 15},
      {192, {{1746, 892}, {1536, 816, 194, 66}, {48, 272, 482, 492}}, 19},
  };
  // The client size, every control's place, and the pixels of a few with text and a picture.
  const auto look = [](const RunningApp& app) {
    app.SetText(inp_Playtime, L"8356,1");
    app.SetText(dsp_DestFactor, L"81%");
    Sleep(300);
    RECT r{};
    GetClientRect(app.Main(), &r);
    std::vector<std::vector<LONG>> all{{r.right, r.bottom}};
    for (const ControlDesc& d : Controls()) {
      if (!GetWindowRect(app.Control(d.id), &r)) {
        all.emplace_back();  // a hidden flag, which has no window
        continue;
      }
      MapWindowPoints(nullptr, app.Main(), LPPOINT(&r), 2);
      all.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    for (const Ctl c : {dsp_SizeOutput, inp_Playtime, dsp_DestFactor, btn_Calculate, img_Sprache}) {
      const auto pixels = Capture(app.Control(c)).pixels;
      all.emplace_back(pixels.begin(), pixels.end());
    }
    return all;
  };
  // The widest contents each box must show, besides every caption in both languages.
  std::vector<std::pair<Ctl, std::wstring>> texts = {
      {inp_Playtime, L"8356,1"},    {inp_Bitrate, L"5390000"},
      {dsp_NewBr, L"4.313 KBit/s"}, {dsp_Duration, L"1.667 Min (27h 47m)"},
      {dsp_DestFactor, L"81%"},     {dsp_SumDest, L"5.369,11 MB"}};
  for (const ControlDesc& d : Controls())
    for (const auto text : {d.german, d.english})
      if (!text.empty()) texts.emplace_back(d.id, Widen(text));
  const HDC dc = CreateCompatibleDC(nullptr);

  std::vector<std::vector<std::vector<LONG>>> started;
  for (const auto& run : runs) {
    SCOPED_TRACE(run.dpi);
    const RegistryOverride logPixels(L"Control Panel\\Desktop", L"LogPixels", DWORD(run.dpi));
    const RunningApp app;
    ASSERT_TRUE(app.Main());
    started.push_back(look(app));
    const auto& seen = started.back();
    EXPECT_EQ((std::vector{seen[0], seen[1 + Index(btn_LangSwitch)], seen[1 + Index(lst_Path)]}),
              run.places);
    // "Größe des Ausgabeverzeichnisses nach IfoEdit": umlauts above, descenders below.
    const Shot caption = Capture(app.Control(dsp_SizeOutput));
    int ink = 0;
    for (auto row = caption.pixels.begin(); row != caption.pixels.end(); row += caption.width)
      ink += std::any_of(row, row + caption.width, [&](DWORD p) { return p != caption.At(0, 0); });
    EXPECT_NEAR(ink, run.ink, 1);

    // Measured in the font the window gives the control, since under Wine WM_GETFONT does not
    // cross processes; the ink above shows that the window's font is that one.
    for (const auto& [control, text] : texts) {
      const FontDesc f = Describe(control).font.value_or(kWindowFont);
      const HGDIOBJ old =
          SelectObject(dc, CreateFontW(-MulDiv(f.tenthsOfPoint, run.dpi, 720), 0, 0, 0, f.weight, 0,
                                       0, 0, 0, 0, 0, 0, 0, Widen(f.face).c_str()));
      SIZE need{};
      GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &need);
      DeleteObject(SelectObject(dc, old));
      RECT room{};
      GetClientRect(app.Control(control), &room);
      // None but in a text box.
      const auto margins = SendMessageW(app.Control(control), EM_GETMARGINS, 0, 0);
      EXPECT_LE(need.cx, room.right - LOWORD(margins) - HIWORD(margins)) << win32::Narrow(text);
    }
  }
  DeleteDC(dc);

  const MessageFontOverride font(L"Tahoma", 12);
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  // In force: 12 points at 96 DPI.
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, -16);
  const RunningApp app;
  ASSERT_TRUE(app.Main());
  const auto before = look(app);
  EXPECT_TRUE(before == started[0]);
  RECT was{}, now{};
  GetWindowRect(app.Main(), &was);
  RECT scaled{40, 30, 40 + (was.right - was.left) * 3 / 2, 30 + (was.bottom - was.top) * 3 / 2};
  SendMessageW(app.Main(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               LPARAM(app.CopyIn(&scaled, sizeof(scaled))));
  EXPECT_TRUE(look(app) == started[2]);
  GetWindowRect(app.Main(), &now);
  EXPECT_TRUE(now.left == 40 && now.top == 30);
  SendMessageW(app.Main(), WM_DPICHANGED, MAKEWPARAM(96, 96),
               LPARAM(app.CopyIn(&was, sizeof(was))));
  EXPECT_TRUE(look(app) == before);
}

}  // namespace
}  // namespace orvanto::ui
