#include <gtest/gtest.h>

#include "UiDriver.h"

namespace orvanto::ui {
namespace {

// Presses the button, answers the one question the inputs raise with Yes and waits for the
// scale factor; returns the question as it was shown.
std::optional<MessageBoxView> Calculate(const RunningApp& app, const wchar_t* factor) {
  app.Click(Ctl::btn_Calculate);
  auto box = app.WaitForMessageBox();
  if (box) box->Press(IDYES);
  EXPECT_TRUE(WaitUntil([&] { return app.Text(Ctl::dsp_DestFactor) == factor; }));
  Sleep(300);  // let the bar repaint on screen
  return box;
}

TEST(CalculationUi, WorksOutTheExampleAndMarksItOnTheBar) {
  const RegistryOverride decimal(L"Control Panel\\International", L"sDecimal", L",");
  const RegistryOverride thousands(L"Control Panel\\International", L"sThousand", L".");
  RunningApp app;
  ASSERT_TRUE(app.Started());
  app.SetText(Ctl::inp_SourceSize, L"5,23");
  app.SetText(Ctl::inp_Playtime, L"8356,1");
  app.SetText(Ctl::inp_Bitrate, L"5390000");
  EXPECT_EQ(app.Text(Ctl::dsp_Duration), L"140 Min (2h 20m)");
  EXPECT_EQ(app.Text(Ctl::dsp_MBit), L"5,14 MBit");

  const auto box = Calculate(app, L"81%");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Frage");
  EXPECT_EQ(box->text,
            L"Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?");
  EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(box->defaultButton, IDNO);
  const std::pair<Ctl, const wchar_t*> shown[] = {
      {Ctl::dsp_FilmSize, L"5.369,11 MB"},     {Ctl::dsp_AudioSize, L"-13,59 MB"},
      {Ctl::dsp_DestFilmSize, L"4.398,97 MB"}, {Ctl::dsp_SumSource, L"5.355,52 MB"},
      {Ctl::dsp_SumDest, L"4.385,38 MB"},      {Ctl::dsp_NewBr, L"4.313 KBit/s"},
  };
  for (const auto& [label, text] : shown) EXPECT_EQ(app.Text(label), text);

  // The client area of the bar is 133 x 21 pixels at 96 DPI: the band fills rows 4 to 15, the
  // marker at x = 49.07 falls on column 65, and each column shows the last rectangle reaching it.
  POINT origin{};
  MapWindowPoints(app.Control(Ctl::pct_Range), app.Main(), &origin, 1);
  const auto pixel = [&](int x, int y) { return app.PixelAt({origin.x + x, origin.y + y}); };
  const struct {
    int x;
    COLORREF colour;
  } samples[] = {{0, RGB(255, 0, 0)},    {30, RGB(255, 117, 0)}, {65, RGB(0, 0, 0)},
                 {66, RGB(255, 255, 0)}, {88, RGB(0, 255, 0)},   {132, RGB(247, 255, 247)}};
  for (const auto& s : samples) EXPECT_EQ(pixel(s.x, 10), s.colour) << s.x;
  EXPECT_EQ(pixel(65, 1), RGB(0, 0, 0));
  EXPECT_NE(pixel(64, 1), RGB(0, 0, 0));

  // 106 %: the sizes change, the bar and the new bitrate do not.
  app.SetText(Ctl::inp_SourceSize, L"4,00");
  app.SetText(Ctl::inp_Playtime, L"7000");
  ASSERT_TRUE(Calculate(app, L"106%"));
  EXPECT_EQ(app.Text(Ctl::dsp_AudioSize), L"-401,77 MB");
  EXPECT_EQ(app.Text(Ctl::dsp_NewBr), L"4.313 KBit/s");
  for (const auto& s : samples) EXPECT_EQ(pixel(s.x, 10), s.colour) << s.x;
}

}  // namespace
}  // namespace orvanto::ui
