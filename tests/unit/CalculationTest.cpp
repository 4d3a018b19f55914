#include <limits>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "calc/Calculation.h"
#include "common/KavelModules.h"

namespace orvanto {
namespace {

using namespace fakes;
using Inputs = std::array<const char*, 5>;  // source, target, playing time, bitrate, reserve
constexpr double kInf = std::numeric_limits<double>::infinity();
const Inputs kWorked = {"5,23", "4,37", "8356,1", "5390000", "2"};

// Types the inputs into their boxes (nullptr keeps a box as it is), then clicks Calculate with
// the answers given; "earlier" stands in the new bitrate's label before.
void ClickCalculate(TestWindow& t, const Inputs& in, std::deque<Answer> answers) {
  for (size_t i = 0; i < in.size(); ++i)
    if (in[i]) t.Type(kCalcInputs[i], in[i]);
  t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
  t.form.answers = std::move(answers);
  t.form.textWrites.clear();
  t.Click(Ctl::btn_Calculate);
}

// From plausible values, one box changed at a time: asked beyond each bound only; a question
// answered No, or closed with the window (None, in the English run), stops the calculation with
// nothing changed. Then every doubt at once: asked in order, each Yes goes on, the first No stops.
TEST(CheckInputs, AsksBeyondEachBoundInOrderUntilTheFirstNo) {
  const std::tuple<size_t, const char*, const char*> cases[] = {
      {3, "3500000", ""}, {3, "3499999,9", "b"}, {3, "9000000", ""}, {3, "9000000,1", "B"},
      {2, "4800", ""},    {2, "4799,9", "p"},    {2, "7200", ""},    {2, "7200,1", "P"},
      {4, "0,5", ""},     {4, "0,49", "r"},      {4, "2", ""},       {4, "2,01", "R"},
      {1, "4,2", ""},     {1, "4,19", "d"},      {1, "4,4", ""},     {1, "4,41", "d"},
      {0, "4,37", ""},    {0, "4,36", "f"},      {0, "", "f"},       {1, "", "e"},
      {2, "abc", "e"},    {3, "12 bit", "e"},    {4, " ", "e"}};
  for (const bool english : {false, true}) {
    for (const auto& [box, text, said] : cases) {
      TestWindow t;
      t.Load(english);
      Inputs in = {"5,23", "4,37", "6000", "5390000", "2"};
      in[box] = text;
      ClickCalculate(t, in, {english ? Answer::None : Answer::No});
      EXPECT_EQ(t.form.messages, Said(said, english)) << text;
      EXPECT_EQ(t.form.textWrites.empty(), *said != 0) << text;
      EXPECT_EQ(t.canvas.ops.empty(), *said != 0) << text;
    }
  }
  const std::pair<Inputs, std::string> runs[] = {
      {{"4,0", "4,1", "3000", "3000000", "0,4"}, "bprdf"},
      {{"4,0", "4,5", "8000", "9500000", "3"}, "BPRdf"}};
  for (const auto& [in, asked] : runs) {
    for (size_t no = 1; no <= asked.size() + 1; ++no) {
      TestWindow t;
      std::deque<Answer> answers(no - 1, Answer::Yes);
      answers.push_back(Answer::No);
      ClickCalculate(t, in, answers);
      EXPECT_EQ(t.form.messages, Said(asked.substr(0, no)));
      EXPECT_EQ(t.form.textWrites.empty(), no <= asked.size()) << no;
    }
  }
}

TEST(Calculation, FillsTheLabelsInOrderAndMarksTheNewBitrate) {
  // A `marker` of 0: the bar and the new bitrate keep what they showed. The inputs are read
  // German-style under any separators; the results follow the region's.
  const struct {
    Inputs in;
    const char* shown;
    float marker;
    NumberSeparators separators = kGerman;
  } cases[] = {
      {kWorked,
       "5.369,11 MB|-13,59 MB|-13,59 MB|4.398,97 MB|5.355,52 MB|4.385,38 MB|81%|4.313 KBit/s",
       49.0676f},
      {kWorked,
       "5,369.11 MB|-13.59 MB|-13.59 MB|4,398.97 MB|5,355.52 MB|4,385.38 MB|81%|4,313 KBit/s",
       49.0676f, kEnglish},
      {{"4,00", "4,37", "7000", "5390000", "2"},
       "4.497,77 MB|-401,77 MB|-401,77 MB|4.787,15 MB|4.096,00 MB|4.385,38 MB|106%|earlier",
       0},
      {{"8,00", "4,37", "3000", "5390000", "2"},
       "1.927,61 MB|6.264,39 MB|6.264,39 MB|-1.879,00 MB|8.192,00 MB|4.385,38 MB|-98%|earlier",
       0},
      {{"4,25", "4,25", "0,5", "8388608", "0"},
       "0,50 MB|4.351,50 MB|4.351,50 MB|0,50 MB|4.352,00 MB|4.352,00 MB|100%|8.192 KBit/s",
       93.2067f},
      {{"5,23", "4,37", "0", "5390000", "2"},
       "0,00 MB|5.355,52 MB|5.355,52 MB|-970,14 MB|5.355,52 MB|4.385,38 MB|—%|earlier",
       0},
      {{"5,23", "4,37", "1e400", "5390000", "2"}, "— MB|— MB|— MB|— MB|— MB|— MB|—%|earlier", 0},
      // The factor is fine, but the new bitrate is beyond the range of double.
      {{"4,25", "4,25", "1e-300", "1e307", "0"},
       "1,19 MB|4.350,81 MB|4.350,81 MB|1,19 MB|4.352,00 MB|4.352,00 MB|100%|earlier",
       0},
  };
  for (const auto& c : cases) {
    TestWindow t;
    t.locale.separators = c.separators;
    ClickCalculate(t, c.in, {Answer::Yes, Answer::Yes, Answer::Yes});
    std::string shown;
    for (const Ctl label : kCalcResults) shown += (shown.empty() ? "" : "|") + t.form.Text(label);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(t.form.textWrites, std::vector(kCalcResults, kCalcResults + (c.marker != 0 ? 8 : 7)));
    ASSERT_EQ(t.canvas.ops.size(), c.marker != 0 ? 104u : 0u) << c.shown;
    EXPECT_NEAR(c.marker != 0 ? t.canvas.ops.back().x1 : 0, c.marker, 1e-4) << c.shown;
  }
}

TEST(RangeBar, ShadesRedToWhiteAndClampsTheMarker) {
  const std::pair<int, Rgb> band[] = {
      {0, {255, 0, 0}},  {5, {255, 26, 0}}, {50, {255, 255, 0}}, {51, {255, 255, 0}},
      {66, {0, 255, 0}}, {67, {0, 255, 0}}, {68, {8, 255, 8}},   {100, {255, 255, 255}}};
  for (const auto& [step, colour] : band) EXPECT_EQ(BandColour(step), colour) << step;
  const std::pair<double, double> markers[] = {
      {4500000, 50}, {2e7, 100}, {-90000, -1}, {-1e300, -100}};
  for (const auto& [bitrate, x] : markers) EXPECT_DOUBLE_EQ(MarkerPosition(bitrate), x);

  // In high contrast the band keeps its colours; a frame (top, bottom, left, right) and the marker
  // take the scheme's text colour. A switch draws the bar again, once there is one.
  TestWindow t;
  t.window.SetHighContrast(true);
  ClickCalculate(t, kWorked, {Answer::Yes});
  const auto& ops = t.canvas.ops;
  ASSERT_EQ(ops.size(), 108u);
  EXPECT_EQ(ops[2].colour, Colour(Rgb{255, 0, 0}));
  const float starts[] = {0, 0, 0, 100, 49.0676f};
  for (size_t i = 0; i < 5; ++i) {
    const auto& op = ops[103 + i];
    EXPECT_TRUE(op.kind == 'L' && op.colour == Colour{SystemColour::ButtonText}) << i;
    EXPECT_NEAR(op.x1, starts[i], 1e-4) << i;
  }
  t.window.SetHighContrast(false);
  ASSERT_EQ(ops.size(), 108u + 104u);
  EXPECT_EQ(ops.back().colour, Colour(Rgb{0, 0, 0}));
}

// Each box's texts are typed one after the other; what is not a number keeps the last read-out.
TEST(ReadOuts, FollowEveryNumericTextAndKeepTheLastOtherwise) {
  using Steps = std::vector<std::pair<const char*, const char*>>;
  const std::tuple<NumberSeparators, Ctl, Ctl, Steps> boxes[] = {
      {kGerman,
       Ctl::inp_Bitrate,
       Ctl::dsp_MBit,
       {{"5390000", "5,14 MBit"},
        {"4.500.000", "4,29 MBit"},
        {"abc", "4,29 MBit"},
        {"1.073.741.824", "1.024,00 MBit"}}},
      {kGerman,
       Ctl::inp_Playtime,
       Ctl::dsp_Duration,
       {{"7", "1 Min (0h 01m)"},
        {"", "1 Min (0h 01m)"},
        {"3599", "60 Min (0h 60m)"},
        {"3600", "60 Min (1h 00m)"},
        {"100000", "1.667 Min (27h 47m)"},
        {"-59", "0 Min (-1h 60m)"},
        {"1e400", "— Min (—h —m)"}}},
      {kEnglish,
       Ctl::inp_Bitrate,
       Ctl::dsp_MBit,
       {{"1073741824", "1,024.00 MBit"}, {"4.500.000", "1,024.00 MBit"}}},
  };
  TestWindow t;
  for (const auto& [separators, box, label, steps] : boxes) {
    t.locale.separators = separators;
    for (const auto& [text, shown] : steps) {
      t.Type(box, text);
      EXPECT_EQ(t.form.Text(label), shown) << text;
    }
  }
}

// What the numeric test accepts reads as the C library reads it with "," as the point and "."
// dropped; of what it refuses, the prefix the C library would read.
TEST(ParseNumber, ReadsGermanStyleText) {
  const std::pair<const char*, double> cases[] = {
      {"4.37", 437}, {"12 GB", 12},        {"4,3,7", 4.3}, {" 5 390 000", 5390000},
      {"+7", 7},     {"1e+", 1},           {"2E-1", 0.2},  {"1 e 3", 1000},
      {"--5", 0},    {"5-3", 5},           {"e5", 0},      {"", 0},
      {"12\r3", 12}, {"-1.234,5", -1234.5}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(KavelModules::ParseNumber(text), expected) << '"' << text << '"';
}

TEST(IsNumeric, FollowsTheRegionalSeparators) {
  // Accepted under German (G) and English (E) separators.
  const std::pair<const char*, std::string_view> cases[] = {
      {"4,37", "GE"}, {"4.37", "GE"},     {"1.234,5", "G"}, {"1,234.5", "E"},
      {"", ""},       {"\t-2,5\t", "GE"}, {"+3", "GE"},     {"1E-3", "GE"},
      {"1e", ""},     {",5", "G"},        {"5,", "G"},      {"1..2", ""},
      {"5.", "E"},    {"4,3,7", "E"},     {"- 5", ""},      {"1 000", ""}};
  for (const auto& [text, accepted] : cases) {
    EXPECT_EQ(IsNumeric(text, kGerman), accepted.find('G') != accepted.npos) << text;
    EXPECT_EQ(IsNumeric(text, kEnglish), accepted.find('E') != accepted.npos) << text;
  }
  EXPECT_TRUE(IsNumeric("5\u202F390\u202F000,5", kFrench));
  EXPECT_FALSE(IsNumeric("5\u202F", kFrench));
  EXPECT_TRUE(IsNumeric("8356,1", {".", ""}));  // no grouping reads typed numbers as before
}

// Rounded to the nearest, halves away from zero, the binary value taken as it is stored: 2.675 is
// 2.67499999...
TEST(FormatNumber, WritesThePatternsWithRegionalSeparators) {
  using enum NumberPattern;
  using Cases = std::vector<std::pair<double, const char*>>;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<NumberPattern, Cases> patterns[] = {
      {Grouped2Decimals,
       {{5369.1124, "5.369,11"},
        {999.996, "1.000,00"},
        {0.125, "0,13"},
        {-0.001, "0,00"},
        {2.675, "2,67"},
        {kInf, "—"}}},
      {Grouped, {{-1234.5, "-1.235"}, {0x1p70, "1.180.591.620.717.411.303.424"}}},
      {GroupedNoZero, {{0.4, ""}, {0.5, "1"}, {nan, "—"}}},
      {TwoDigits, {{5, "05"}, {-5, "-05"}, {1234, "1234"}}}};
  for (const auto& [pattern, cases] : patterns)
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value, pattern, kGerman), text);
  // No grouping: none chosen, or one that is the decimal separator.
  const std::pair<NumberSeparators, const char*> regions[] = {{kEnglish, "-1,234,567.89"},
                                                              {kFrench, "-1\u202F234\u202F567,89"},
                                                              {{",", ""}, "-1234567,89"},
                                                              {{",", ","}, "-1234567,89"}};
  for (const auto& [separators, text] : regions)
    EXPECT_EQ(FormatNumber(-1234567.891, Grouped2Decimals, separators), text);
  const std::pair<double, const char*> floors[] = {
      {81.999, "81"}, {-3.2, "-4"}, {-0.0, "0"}, {1e20, "100000000000000000000"}, {kInf, "—"}};
  for (const auto& [value, text] : floors) EXPECT_EQ(FormatFloor(value), text) << value;
}

}  // namespace
}  // namespace orvanto
