#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

using Steps = std::vector<std::pair<const char*, const char*>>;  // text typed, read-out shown

// Typed one after the other into one window, so a text that is not a number shows what the step
// before left.
void ExpectReadOuts(testing::TestWindow& t, Ctl box, Ctl label, const Steps& steps) {
  for (const auto& [text, shown] : steps) {
    t.Type(box, text);
    EXPECT_EQ(t.form.Text(label), shown) << text;
  }
}

TEST(ReadOuts, FollowEveryNumericTextAndKeepTheLastOtherwise) {
  const Steps bitrate = {
      {"5390000", "5,14 MBit"}, {"4.500.000", "4,29 MBit"}, {"", "4,29 MBit"},
      {"1048576", "1,00 MBit"}, {"abc", "1,00 MBit"},       {"1.073.741.824", "1.024,00 MBit"},
      {"0", "0,00 MBit"},       {"1e400", "— MBit"},
  };
  const Steps playtime = {
      {"7", "1 Min (0h 01m)"},           {"72", "2 Min (0h 02m)"},
      {"720", "12 Min (0h 12m)"},        {"7200", "120 Min (2h 00m)"},
      {"", "120 Min (2h 00m)"},          {"8356,1", "140 Min (2h 20m)"},
      {"7265", "122 Min (2h 02m)"},      {"abc", "122 Min (2h 02m)"},
      {"59", "1 Min (0h 01m)"},          {"3599", "60 Min (0h 60m)"},
      {"3600", "60 Min (1h 00m)"},       {"7199", "120 Min (1h 60m)"},
      {"100000", "1.667 Min (27h 47m)"}, {"0", "0 Min (0h 00m)"},
      {"-59", "0 Min (-1h 60m)"},        {"1e400", "— Min (—h —m)"},
  };
  testing::TestWindow t;
  ExpectReadOuts(t, Ctl::inp_Bitrate, Ctl::dsp_MBit, bitrate);
  ExpectReadOuts(t, Ctl::inp_Playtime, Ctl::dsp_Duration, playtime);
  t.locale.separators = testing::kEnglish;
  ExpectReadOuts(t, Ctl::inp_Bitrate, Ctl::dsp_MBit,
                 {{"1073741824", "1,024.00 MBit"}, {"4.500.000", "1,024.00 MBit"}});
}

}  // namespace
}  // namespace orvanto
