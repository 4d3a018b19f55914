#include <limits>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

namespace orvanto {
namespace {

using testing::kEnglish;
using testing::kGerman;

TEST(IsNumeric, FollowsTheRegionalSeparators) {
  const struct {
    const char* text;
    bool german;
    bool english;
  } cases[] = {
      {"4,37", true, true},     {"4.37", true, true},       {"1.234,5", true, false},
      {"1,234.5", false, true}, {"", false, false},         {"   ", false, false},
      {"abc", false, false},    {"12 GB", false, false},    {" 5 ", true, true},
      {"\t-2,5\t", true, true}, {"+3", true, true},         {"1e3", true, true},
      {"1E-3", true, true},     {"1e", false, false},       {",5", true, false},
      {"5,", true, false},      {"1..2", false, false},     {"5.", false, true},
      {"4,3,7", false, true},   {"1.234.567", true, false}, {"- 5", false, false},
      {"5e3,5", false, false},  {"+-5", false, false},      {"-", false, false},
      {"1 000", false, false},  {"0", true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNumeric(c.text, kGerman), c.german) << "German: \"" << c.text << '"';
    EXPECT_EQ(IsNumeric(c.text, kEnglish), c.english) << "English: \"" << c.text << '"';
  }
}

TEST(IsNumeric, TakesSeparatorsOfMoreThanOneByte) {
  const NumberSeparators french{",", "\u202F"};
  EXPECT_TRUE(IsNumeric("5\u202F390\u202F000,5", french));
  EXPECT_FALSE(IsNumeric("5\u202F", french));
}

TEST(IsNumeric, AcceptedTextAlwaysYieldsTheDigitsParseNumberReads) {
  // The calculation tests a text with the regional rules and then reads it German-style; an
  // accepted text must never read as "no number".
  for (const char* text : {"1.234,5", ",5", "-0,5", "7", "1e3", " 3 "}) {
    ASSERT_TRUE(IsNumeric(text, kGerman)) << text;
    EXPECT_NE(KavelModules::ParseNumber(text), 0.0) << text;
  }
}

TEST(FormatNumber, WritesThePatternsWithRegionalSeparators) {
  using P = NumberPattern;
  const struct {
    double value;
    P pattern;
    const char* german;
    const char* english;
  } cases[] = {
      {5369.1124, P::Grouped2Decimals, "5.369,11", "5,369.11"},
      {-13.5924, P::Grouped2Decimals, "-13,59", "-13.59"},
      {999.996, P::Grouped2Decimals, "1.000,00", "1,000.00"},
      {-999999.996, P::Grouped2Decimals, "-1.000.000,00", "-1,000,000.00"},
      {0.5, P::Grouped2Decimals, "0,50", "0.50"},
      {0.125, P::Grouped2Decimals, "0,13", "0.13"},
      {-0.125, P::Grouped2Decimals, "-0,13", "-0.13"},
      {2.675, P::Grouped2Decimals, "2,67", "2.67"},  // stored as 2.67499999...
      {1.005, P::Grouped2Decimals, "1,00", "1.00"},  // stored as 1.00499999...
      {4.5, P::Grouped, "5", "5"},
      {-2.5, P::GroupedNoZero, "-3", "-3"},
      {0x1p70, P::Grouped, "1.180.591.620.717.411.303.424", "1,180,591,620,717,411,303,424"},
      {-0.001, P::Grouped2Decimals, "0,00", "0.00"},
      {1234.5, P::Grouped2Decimals, "1.234,50", "1,234.50"},
      {1e21, P::Grouped2Decimals, "1.000.000.000.000.000.000.000,00",
       "1,000,000,000,000,000,000,000.00"},
      {1666.5, P::Grouped, "1.667", "1,667"},
      {0, P::Grouped, "0", "0"},
      {-1234.5, P::Grouped, "-1.235", "-1,235"},
      {4312.59, P::GroupedNoZero, "4.313", "4,313"},
      {0.4, P::GroupedNoZero, "", ""},
      {-0.4, P::GroupedNoZero, "", ""},
      {0.5, P::GroupedNoZero, "1", "1"},
      {0, P::TwoDigits, "00", "00"},
      {5, P::TwoDigits, "05", "05"},
      {60, P::TwoDigits, "60", "60"},
      {1234, P::TwoDigits, "1234", "1234"},
      {-5, P::TwoDigits, "-05", "-05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kGerman), c.german) << c.value;
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kEnglish), c.english) << c.value;
  }
}

TEST(FormatNumber, NeverWritesInfinityOrNotANumber) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const double value : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
    for (const auto pattern : {NumberPattern::Grouped2Decimals, NumberPattern::Grouped,
                               NumberPattern::GroupedNoZero, NumberPattern::TwoDigits}) {
      EXPECT_EQ(FormatNumber(value, pattern, kGerman), kNoNumber);
    }
    EXPECT_EQ(FormatFloor(value), kNoNumber);
  }
}

TEST(FormatFloor, RoundsTowardsMinusInfinity) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      // clang-format off
      {81.999, "81"}, {81.93, "81"}, {-3.2, "-4"}, {100, "100"}, {-0.0, "0"}, {-0.5, "-1"},
      {1e20, "100000000000000000000"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloor(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace orvanto
