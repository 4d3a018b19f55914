#include <limits>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

namespace orvanto {
namespace {

using testing::kEnglish;
using testing::kGerman;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParseNumber, ReadsGermanStyleText) {
  const std::pair<const char*, double> cases[] = {
      // clang-format off
      {"4,37", 4.37}, {"8356,1", 8356.1}, {"5390000", 5390000}, {"1.234,5", 1234.5}, {"4.37", 437}, {"", 0},
      {"abc", 0}, {"12 GB", 12}, {"4,3,7", 4.3}, {"-2,5", -2.5}, {" 5 390 000", 5390000}, {"1e3", 1000},
      {"+7", 7}, {",5", 0.5}, {"5,", 5}, {"1e", 1}, {"1e+", 1}, {"2E-1", 0.2}, {"1,5e2", 150}, {"1 e 3", 1000},
      {"\t7\n", 7}, {"--5", 0}, {"5-3", 5}, {"e5", 0}, {"-", 0}, {",", 0}, {"1e400", kInf}, {"-1e400", -kInf},
      {"1e-400", 0}, {"0,001e-400", 0}, {"1.000.000", 1000000}, {"12\r3", 12},
      // clang-format on
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(KavelModules::ParseNumber(text), expected) << '"' << text << '"';
  }
}

TEST(IsNumeric, FollowsTheRegionalSeparators) {
  const struct {
    const char* text;
    bool german, english;
  } cases[] = {
      // clang-format off
      {"4,37", true, true}, {"4.37", true, true}, {"1.234,5", true, false}, {"1,234.5", false, true},
      {"", false, false}, {"   ", false, false}, {"abc", false, false}, {"12 GB", false, false},
      {" 5 ", true, true}, {"\t-2,5\t", true, true}, {"+3", true, true}, {"1e3", true, true},
      {"1E-3", true, true}, {"1e", false, false}, {",5", true, false}, {"5,", true, false},
      {"1..2", false, false}, {"5.", false, true}, {"4,3,7", false, true}, {"1.234.567", true, false},
      {"- 5", false, false}, {"5e3,5", false, false}, {"+-5", false, false}, {"-", false, false},
      {"1 000", false, false}, {"0", true, true},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNumeric(c.text, kGerman), c.german) << "German: \"" << c.text << '"';
    EXPECT_EQ(IsNumeric(c.text, kEnglish), c.english) << "English: \"" << c.text << '"';
  }
  EXPECT_TRUE(IsNumeric("5\u202F390\u202F000,5", testing::kFrench));
  EXPECT_FALSE(IsNumeric("5\u202F", testing::kFrench));
}

TEST(FormatNumber, WritesThePatternsWithRegionalSeparators) {
  using P = NumberPattern;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double value;
    P pattern;
    const char *german, *english;
  } cases[] = {
      // clang-format off
      {5369.1124, P::Grouped2Decimals, "5.369,11", "5,369.11"}, {-13.5924, P::Grouped2Decimals, "-13,59", "-13.59"},
      {999.996, P::Grouped2Decimals, "1.000,00", "1,000.00"}, {-999999.996, P::Grouped2Decimals, "-1.000.000,00", "-1,000,000.00"},
      {0.125, P::Grouped2Decimals, "0,13", "0.13"}, {-0.125, P::Grouped2Decimals, "-0,13", "-0.13"},
      {2.675, P::Grouped2Decimals, "2,67", "2.67"},  // stored as 2.67499999...
      {1.005, P::Grouped2Decimals, "1,00", "1.00"},  // stored as 1.00499999...
      {-0.001, P::Grouped2Decimals, "0,00", "0.00"},
      {1e21, P::Grouped2Decimals, "1.000.000.000.000.000.000.000,00", "1,000,000,000,000,000,000,000.00"},
      {4.5, P::Grouped, "5", "5"}, {1666.5, P::Grouped, "1.667", "1,667"}, {0, P::Grouped, "0", "0"},
      {-1234.5, P::Grouped, "-1.235", "-1,235"},
      {0x1p70, P::Grouped, "1.180.591.620.717.411.303.424", "1,180,591,620,717,411,303,424"},
      {-2.5, P::GroupedNoZero, "-3", "-3"}, {4312.59, P::GroupedNoZero, "4.313", "4,313"},
      {0.4, P::GroupedNoZero, "", ""}, {-0.4, P::GroupedNoZero, "", ""}, {0.5, P::GroupedNoZero, "1", "1"},
      {0, P::TwoDigits, "00", "00"}, {5, P::TwoDigits, "05", "05"}, {1234, P::TwoDigits, "1234", "1234"},
      {-5, P::TwoDigits, "-05", "-05"}, {kInf, P::Grouped2Decimals, "—", "—"}, {-kInf, P::Grouped, "—", "—"},
      {nan, P::GroupedNoZero, "—", "—"}, {nan, P::TwoDigits, "—", "—"},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kGerman), c.german) << c.value;
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kEnglish), c.english) << c.value;
  }
  const std::pair<double, const char*> floors[] = {
      // clang-format off
      {81.999, "81"}, {81.93, "81"}, {-3.2, "-4"}, {100, "100"}, {-0.0, "0"}, {-0.5, "-1"},
      {1e20, "100000000000000000000"}, {kInf, "—"}, {-kInf, "—"},
      // clang-format on
  };
  for (const auto& [value, text] : floors) EXPECT_EQ(FormatFloor(value), text) << value;
}

}  // namespace
}  // namespace orvanto
