#include <vector>

#include <gtest/gtest.h>

#include "UiDriver.h"
#include "app/WindowLayout.h"

namespace orvanto::ui {
namespace {

const wchar_t* const kDesktop = L"Control Panel\\Desktop";

struct Expected {
  Ctl control;
  const wchar_t* className;
  RECT at96;  // left, top, right, bottom in client pixels
  const wchar_t* german;
};

// A sample from every frame and the bottom row, with pixel rectangles worked out by hand from
// the twips tables (15 twips to a pixel at 96 DPI).
const Expected kSample[] = {
    {Ctl::inp_Filename, L"Edit", {144, 40, 209, 59}, L"MOVIE"},
    {Ctl::dsp_LabelCFFLName, L"Static", {24, 40, 145, 57}, L"Dateiname CFFL-Datei"},
    {Ctl::lst_Path, L"ListBox", {24, 136, 265, 382}, L""},
    {Ctl::lst_File, L"ListBox", {272, 104, 457, 344}, L""},
    {Ctl::btn_MakeCFFL, L"Button", {360, 352, 457, 385}, L"CFFL erzeugen"},
    {Ctl::frme_Step2, L"Button", {480, 8, 865, 217}, L"Schritt 2: Berechnung des Scale-Factors"},
    {Ctl::dsp_SizeOutput,
     L"Static",
     {496, 32, 745, 49},
     L"Größe des Ausgabeverzeichnisses nach IfoEdit"},
    {Ctl::inp_DestSize, L"Edit", {784, 56, 817, 75}, L"4,37"},
    {Ctl::inp_SafeGuard, L"Edit", {784, 128, 817, 147}, L"2"},
    {Ctl::btn_Calculate, L"Button", {752, 168, 849, 201}, L"Berechnen"},
    {Ctl::dsp_Source, L"Static", {608, 248, 721, 265}, L"Quelle"},
    {Ctl::dsp_DestFactor, L"Static", {560, 360, 617, 385}, L""},
    {Ctl::pct_Range, L"OrvantoPictureBox", {624, 360, 761, 385}, L""},
    {Ctl::btn_LangSwitch, L"Button", {768, 408, 865, 441}, L"> English"},
    {Ctl::dsp_Anleitung, L"Static", {328, 416, 497, 433}, L"Anleitung: tolva.de/orvanto"},
};

RECT Scaled(Ctl control, int dpi) {
  const PixelRect p = ClientPixels(control, dpi);
  return {p.left, p.top, p.left + p.width, p.top + p.height};
}

TEST(MainWindowUi, BuildsTheGermanWindowFromTheTwipsTablesInItsColours) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Title(), L"Orvanto V1.00.8");
  RECT client{};
  GetClientRect(app.Main(), &client);
  EXPECT_EQ(client, (RECT{0, 0, 873, 446}));
  EXPECT_FALSE(GetWindowLongW(app.Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));

  for (const Expected& e : kSample) {
    SCOPED_TRACE(Describe(e.control).name);
    const HWND hwnd = app.Control(e.control);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ClassOf(hwnd), e.className);
    EXPECT_EQ(app.ClientRect(e.control), e.at96);
    EXPECT_EQ(app.Text(e.control), e.german);
  }
  EXPECT_EQ(GetWindowLongW(app.Control(Ctl::frme_Step1), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_TRUE(GetWindowLongW(app.Control(Ctl::dsp_DestFactor), GWL_STYLE) & SS_RIGHT);
  EXPECT_TRUE(GetWindowLongW(app.Control(Ctl::inp_Bitrate), GWL_STYLE) & ES_RIGHT);
  EXPECT_TRUE(GetWindowLongW(app.Control(Ctl::lst_Path), GWL_STYLE) & LBS_HASSTRINGS);
  // The two flag holders only lend their pictures to img_Sprache.
  EXPECT_FALSE(IsWindowVisible(app.Control(Ctl::img_Deutsch)));
  EXPECT_FALSE(IsWindowVisible(app.Control(Ctl::img_English)));
  EXPECT_TRUE(IsWindowVisible(app.Control(Ctl::img_Sprache)));

  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Main()); }));
  Sleep(300);  // let the first paint reach the screen

  // The grey box: a point inside its border, clear of any text.
  const RECT source = app.ClientRect(Ctl::inp_SourceSize);
  EXPECT_EQ(app.PixelAt({source.left + 4, source.top + 4}), RGB(224, 224, 224));

  // Navy captions: the darkest pixel of the caption is navy, not black.
  const RECT caption = app.ClientRect(Ctl::dsp_SizeOutput);
  COLORREF darkest = RGB(255, 255, 255);
  for (int y = caption.top; y < caption.bottom; ++y) {
    for (int x = caption.left; x < caption.left + 60; ++x) {
      const COLORREF c = app.PixelAt({x, y});
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) <
          GetRValue(darkest) + GetGValue(darkest) + GetBValue(darkest)) {
        darkest = c;
      }
    }
  }
  EXPECT_EQ(darkest, RGB(0, 0, 128));
}

TEST(MainWindowUi, ScalesTheLayoutAt144Dpi) {
  const RegistryOverride dpi(kDesktop, L"LogPixels", 144);
  RunningApp app;
  ASSERT_TRUE(app.Started());
  RECT client{};
  GetClientRect(app.Main(), &client);
  EXPECT_EQ(client, (RECT{0, 0, 1310, 669}));
  for (const Expected& e : kSample) {
    EXPECT_EQ(app.ClientRect(e.control), Scaled(e.control, 144)) << Describe(e.control).name;
  }
  EXPECT_EQ(app.ClientRect(Ctl::btn_Calculate), (RECT{1128, 252, 1274, 302}));
}

TEST(MainWindowUi, MovesTheFocusInTabIndexOrder) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(Ctl::inp_Filename); }))
      << "the focus starts in inp_Filename";

  const std::vector<Ctl> cycle = {
      Ctl::lst_Drive,     Ctl::lst_Path,       Ctl::lst_File,       Ctl::btn_MakeCFFL,
      Ctl::inp_DestSize,  Ctl::inp_Playtime,   Ctl::inp_Bitrate,    Ctl::inp_SafeGuard,
      Ctl::btn_Calculate, Ctl::inp_SourceSize, Ctl::btn_LangSwitch, Ctl::inp_Filename,
  };
  for (const Ctl next : cycle) {
    app.PressKey(VK_TAB);
    EXPECT_TRUE(
        WaitUntil([&] { return app.Focus() == app.Control(next); }, std::chrono::seconds(3)))
        << "Tab should reach " << Describe(next).name;
  }
}

}  // namespace
}  // namespace orvanto::ui
