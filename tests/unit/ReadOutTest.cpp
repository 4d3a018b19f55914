#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

using testing::TestWindow;

// Typed one after the other into one window, so a text that is not a number shows what the row
// before left.
TEST(ReadOuts, FollowEveryNumericTextAndKeepTheLastOtherwise) {
  const struct {
    Ctl box;
    const char* text;
    const char* shown;
  } steps[] = {
      {Ctl::inp_Bitrate, "5390000", "5,14 MBit"},
      {Ctl::inp_Bitrate, "4.500.000", "4,29 MBit"},
      {Ctl::inp_Bitrate, "", "4,29 MBit"},
      {Ctl::inp_Bitrate, "1048576", "1,00 MBit"},
      {Ctl::inp_Bitrate, "abc", "1,00 MBit"},
      {Ctl::inp_Bitrate, "1.073.741.824", "1.024,00 MBit"},
      {Ctl::inp_Bitrate, "0", "0,00 MBit"},
      {Ctl::inp_Bitrate, "1e400", "— MBit"},
      {Ctl::inp_Playtime, "7", "1 Min (0h 01m)"},
      {Ctl::inp_Playtime, "72", "2 Min (0h 02m)"},
      {Ctl::inp_Playtime, "720", "12 Min (0h 12m)"},
      {Ctl::inp_Playtime, "7200", "120 Min (2h 00m)"},
      {Ctl::inp_Playtime, "", "120 Min (2h 00m)"},
      {Ctl::inp_Playtime, "8356,1", "140 Min (2h 20m)"},
      {Ctl::inp_Playtime, "7265", "122 Min (2h 02m)"},
      {Ctl::inp_Playtime, "abc", "122 Min (2h 02m)"},
      {Ctl::inp_Playtime, "59", "1 Min (0h 01m)"},
      {Ctl::inp_Playtime, "3599", "60 Min (0h 60m)"},
      {Ctl::inp_Playtime, "3600", "60 Min (1h 00m)"},
      {Ctl::inp_Playtime, "7199", "120 Min (1h 60m)"},
      {Ctl::inp_Playtime, "100000", "1.667 Min (27h 47m)"},
      {Ctl::inp_Playtime, "0", "0 Min (0h 00m)"},
      {Ctl::inp_Playtime, "-59", "0 Min (-1h 60m)"},
      {Ctl::inp_Playtime, "1e400", "— Min (—h —m)"},
  };
  TestWindow t;
  for (const auto& step : steps) {
    t.Type(step.box, step.text);
    const Ctl label = step.box == Ctl::inp_Bitrate ? Ctl::dsp_MBit : Ctl::dsp_Duration;
    EXPECT_EQ(t.form.Text(label), step.shown) << step.text;
  }
  t.locale.separators = testing::kEnglish;
  t.Type(Ctl::inp_Bitrate, "1073741824");
  EXPECT_EQ(t.form.Text(Ctl::dsp_MBit), "1,024.00 MBit");
}

}  // namespace
}  // namespace orvanto
