#include <limits>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "calc/Calculation.h"
#include "common/KavelModules.h"
#include "common/Messages.h"

namespace orvanto {
namespace {

using namespace fakes;
using enum MessageStyle;
using Inputs = std::array<const char*, 5>;  // source, target, playing time, bitrate, reserve
constexpr double kInf = std::numeric_limits<double>::infinity();

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

std::vector<ShownMessage> Said(const std::vector<const Message*>& texts, bool english) {
  std::vector<ShownMessage> said;
  for (const Message* text : texts)
    said.push_back(
        text == &msg::kNotNumeric
            ? ShownMessage{text->Text(english), msg::kTitleError.Text(english), Info}
            : ShownMessage{text->Text(english), msg::kTitleQuestion.Text(english), AskDefaultNo});
  return said;
}

// From plausible values, one box changed at a time; a question answered No, or closed with the
// window (None, in the English run), stops the calculation with nothing changed.
TEST(CheckInputs, AsksBeyondEachBoundOnlyAndStopsWithNothingChanged) {
  const Message* const kError = &msg::kNotNumeric;
  // clang-format off
  const struct { int box; const char* text; const Message* said; } cases[] = {
      {3, "3500000", nullptr}, {3, "3499999,9", &msg::kLowBitrate}, {3, "9000000", nullptr}, {3, "9000000,1", &msg::kHighBitrate},
      {2, "4800", nullptr}, {2, "4799,9", &msg::kShortPlaytime}, {2, "7200", nullptr}, {2, "7200,1", &msg::kLongPlaytime},
      {4, "0,5", nullptr}, {4, "0,49", &msg::kSmallReserve}, {4, "2", nullptr}, {4, "2,01", &msg::kLargeReserve},
      {1, "4,2", nullptr}, {1, "4,19", &msg::kNoDvdSize}, {1, "4,4", nullptr}, {1, "4,41", &msg::kNoDvdSize},
      {1, "4.37", &msg::kNoDvdSize}, {0, "4,37", nullptr}, {0, "4,36", &msg::kFitsAlready}, {0, "", &msg::kFitsAlready},
      {0, "abc", &msg::kFitsAlready}, {1, "", kError}, {2, "abc", kError}, {3, "12 bit", kError}, {4, " ", kError},
      {3, "5,390,000", kError},
  };
  // clang-format on
  for (const bool english : {false, true}) {
    for (const auto& c : cases) {
      TestWindow t;
      t.Load(english);
      Inputs in = {"5,23", "4,37", "6000", "5390000", "2"};
      in[static_cast<size_t>(c.box)] = c.text;
      ClickCalculate(t, in, {english ? Answer::None : Answer::No});
      EXPECT_EQ(t.form.messages,
                Said(c.said ? std::vector{c.said} : std::vector<const Message*>{}, english))
          << c.text;
      EXPECT_EQ(t.form.textWrites.empty(), c.said != nullptr) << c.text;
      EXPECT_EQ(t.canvas.ops.empty(), c.said != nullptr) << c.text;
    }
  }
}

// Every doubt at once: asked in order, each Yes goes on, the first No stops.
TEST(CheckInputs, AsksInOrderUntilTheFirstNo) {
  // clang-format off
  const std::pair<Inputs, std::vector<const Message*>> runs[] = {
      {{"4,0", "4,1", "3000", "3000000", "0,4"}, {&msg::kLowBitrate, &msg::kShortPlaytime, &msg::kSmallReserve, &msg::kNoDvdSize, &msg::kFitsAlready}},
      {{"4,0", "4,5", "8000", "9500000", "3"}, {&msg::kHighBitrate, &msg::kLongPlaytime, &msg::kLargeReserve, &msg::kNoDvdSize, &msg::kFitsAlready}}};
  // clang-format on
  for (const auto& [in, asked] : runs) {
    for (size_t no = 1; no <= asked.size() + 1; ++no) {
      TestWindow t;
      std::deque<Answer> answers(no - 1, Answer::Yes);
      answers.push_back(Answer::No);
      ClickCalculate(t, in, answers);
      EXPECT_EQ(t.form.messages,
                Said({asked.begin(), asked.begin() + std::min(no, asked.size())}, false));
      EXPECT_EQ(t.form.textWrites.empty(), no <= asked.size()) << no;
    }
  }
}

// The results, joined by "|".
std::string Results(TestWindow& t) {
  std::string labels;
  for (const Ctl label : kCalcResults) labels += (labels.empty() ? "" : "|") + t.form.Text(label);
  return labels;
}

TEST(Calculation, FillsTheLabelsInOrderAndMarksTheNewBitrate) {
  // A `marker` of 0: the bar and the new bitrate keep what they showed.
  // clang-format off
  const struct { Inputs in; int yeses; const char* shown; float marker; } cases[] = {
      {{"5,23", "4,37", "8356,1", "5390000", "2"}, 1, "5.369,11 MB|-13,59 MB|-13,59 MB|4.398,97 MB|5.355,52 MB|4.385,38 MB|81%|4.313 KBit/s", 49.0676f},
      {{"5,23", "4,37", "7000", "5390000", "2"}, 0, "4.497,77 MB|857,75 MB|857,75 MB|3.527,63 MB|5.355,52 MB|4.385,38 MB|78%|4.128 KBit/s", 46.9713f},
      {{"4,00", "4,37", "7000", "5390000", "2"}, 1, "4.497,77 MB|-401,77 MB|-401,77 MB|4.787,15 MB|4.096,00 MB|4.385,38 MB|106%|earlier", 0},
      {{"8,00", "4,37", "3000", "5390000", "2"}, 1, "1.927,61 MB|6.264,39 MB|6.264,39 MB|-1.879,00 MB|8.192,00 MB|4.385,38 MB|-98%|earlier", 0},
      {{"4,25", "4,25", "0,5", "8388608", "0"}, 2, "0,50 MB|4.351,50 MB|4.351,50 MB|0,50 MB|4.352,00 MB|4.352,00 MB|100%|8.192 KBit/s", 93.2067f},
      {{"5,23", "4,37", "0", "5390000", "2"}, 1, "0,00 MB|5.355,52 MB|5.355,52 MB|-970,14 MB|5.355,52 MB|4.385,38 MB|—%|earlier", 0},
      {{"5,23", "4,37", "1e400", "5390000", "2"}, 1, "— MB|— MB|— MB|— MB|— MB|— MB|—%|earlier", 0},
      // The factor is fine, but the new bitrate is beyond the range of double.
      {{"4,25", "4,25", "1e-300", "1e307", "0"}, 3, "1,19 MB|4.350,81 MB|4.350,81 MB|1,19 MB|4.352,00 MB|4.352,00 MB|100%|earlier", 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    TestWindow t;
    ClickCalculate(t, c.in, std::deque<Answer>(static_cast<size_t>(c.yeses), Answer::Yes));
    EXPECT_EQ(Results(t), c.shown);
    EXPECT_EQ(t.form.messages.size(), static_cast<size_t>(c.yeses)) << c.shown;
    EXPECT_EQ(t.form.textWrites, std::vector(kCalcResults, kCalcResults + (c.marker != 0 ? 8 : 7)));
    ASSERT_EQ(t.canvas.ops.size(), c.marker != 0 ? 104u : 0u) << c.shown;
    EXPECT_NEAR(c.marker != 0 ? t.canvas.ops.back().x1 : 0, c.marker, 1e-4) << c.shown;
  }
}

// The size the program measures is written German-style and read back as the same number,
// whatever the regional separators; the results follow the separators of the run.
TEST(Calculation, ReadsTheMeasuredSizeBackUnderAnySeparators) {
  const std::pair<NumberSeparators, const char*> runs[] = {
      // clang-format off
      {kGerman, "5.369,11 MB|-13,59 MB|-13,59 MB|4.398,97 MB|5.355,52 MB|4.385,38 MB|81%|4.313 KBit/s"},
      {kEnglish, "5,369.11 MB|-13.59 MB|-13.59 MB|4,398.97 MB|5,355.52 MB|4,385.38 MB|81%|4,313 KBit/s"},
      // No grouping: none chosen, or one that is the decimal separator.
      {{",", ""}, "5369,11 MB|-13,59 MB|-13,59 MB|4398,97 MB|5355,52 MB|4385,38 MB|81%|4313 KBit/s"},
      {{",", ","}, "5369,11 MB|-13,59 MB|-13,59 MB|4398,97 MB|5355,52 MB|4385,38 MB|81%|4313 KBit/s"},
      {kFrench, "5\u202F369,11 MB|-13,59 MB|-13,59 MB|4\u202F398,97 MB|5\u202F355,52 MB|4\u202F385,38 MB|81%|4\u202F313 KBit/s"},
      // clang-format on
  };
  for (const auto& [separators, shown] : runs) {
    TestWindow t;
    t.locale.separators = separators;
    t.files.Add("d:\\big\\");
    t.files.Add("d:\\big\\VTS_01_1.VOB", 0, "", 1325536624640);  // 1234.5 GiB
    t.files.Add("d:\\dvd\\");
    t.files.Add("d:\\dvd\\VTS_01_1.VOB", 0, "", 5615624356);  // 5.23 GiB
    t.files.currentDirectory = "d:\\big";
    t.window.InitFolderLists();
    t.window.MeasureOutputDir();
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "1.234,50");
    t.window.OpenDirectory(0);  // the root, then dvd below it
    t.window.OpenDirectory(2);
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "5,23");
    ClickCalculate(t, {nullptr, "4,37", "8356,1", "5390000", "2"}, {Answer::Yes});
    EXPECT_EQ(Results(t), shown);
  }
}

TEST(RangeBar, ShadesRedToWhiteAndClampsTheMarker) {
  // clang-format off
  const std::pair<int, Rgb> band[] = {{0, {255, 0, 0}}, {5, {255, 26, 0}}, {49, {255, 250, 0}}, {50, {255, 255, 0}}, {51, {255, 255, 0}},
      {52, {238, 255, 0}}, {66, {0, 255, 0}}, {67, {0, 255, 0}}, {68, {8, 255, 8}}, {69, {15, 255, 15}}, {100, {255, 255, 255}}};
  const std::pair<double, double> markers[] = {{4500000, 50}, {9000000, 100}, {2e7, 100}, {-90000, -1}, {-1e300, -100}};
  // clang-format on
  for (const auto& [step, colour] : band) EXPECT_EQ(BandColour(step), colour) << step;
  for (const auto& [bitrate, x] : markers) EXPECT_DOUBLE_EQ(MarkerPosition(bitrate), x);

  // In high contrast the band keeps its colours; a frame (top, bottom, left, right) and the marker
  // take the scheme's text colour. A switch draws the bar again, once there is one.
  TestWindow t;
  t.window.SetHighContrast(true);
  ClickCalculate(t, {"5,23", "4,37", "8356,1", "5390000", "2"}, {Answer::Yes});
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

TEST(ReadOuts, FollowEveryNumericTextAndKeepTheLastOtherwise) {
  // Each box's texts are typed one after the other.
  // clang-format off
  const struct { Ctl box, label; std::vector<std::pair<const char*, const char*>> steps; } boxes[] = {
      {Ctl::inp_Bitrate, Ctl::dsp_MBit, {{"5390000", "5,14 MBit"}, {"4.500.000", "4,29 MBit"}, {"", "4,29 MBit"}, {"1048576", "1,00 MBit"},
        {"abc", "1,00 MBit"}, {"1.073.741.824", "1.024,00 MBit"}, {"0", "0,00 MBit"}, {"1e400", "— MBit"}}},
      {Ctl::inp_Playtime, Ctl::dsp_Duration, {{"7", "1 Min (0h 01m)"}, {"7200", "120 Min (2h 00m)"}, {"", "120 Min (2h 00m)"},
        {"8356,1", "140 Min (2h 20m)"}, {"abc", "140 Min (2h 20m)"}, {"59", "1 Min (0h 01m)"}, {"3599", "60 Min (0h 60m)"}, {"3600", "60 Min (1h 00m)"},
        {"7199", "120 Min (1h 60m)"}, {"100000", "1.667 Min (27h 47m)"}, {"0", "0 Min (0h 00m)"}, {"-59", "0 Min (-1h 60m)"}, {"1e400", "— Min (—h —m)"}}},
      {Ctl::inp_Bitrate, Ctl::dsp_MBit, {{"1073741824", "1,024.00 MBit"}, {"4.500.000", "1,024.00 MBit"}}},
  };
  // clang-format on
  TestWindow t;
  for (const auto& box : boxes) {
    if (&box == &boxes[2]) t.locale.separators = kEnglish;
    for (const auto& [text, shown] : box.steps) {
      t.Type(box.box, text);
      EXPECT_EQ(t.form.Text(box.label), shown) << text;
    }
  }
}

TEST(ParseNumber, ReadsGermanStyleText) {
  const std::pair<const char*, double> cases[] = {
      // clang-format off
      {"4,37", 4.37}, {"8356,1", 8356.1}, {"5390000", 5390000}, {"1.234,5", 1234.5}, {"4.37", 437}, {"", 0}, {"abc", 0}, {"12 GB", 12},
      {"4,3,7", 4.3}, {"-2,5", -2.5}, {" 5 390 000", 5390000}, {"1e3", 1000}, {"+7", 7}, {",5", 0.5}, {"5,", 5}, {"1e", 1}, {"1e+", 1},
      {"2E-1", 0.2}, {"1,5e2", 150}, {"1 e 3", 1000}, {"\t7\n", 7}, {"--5", 0}, {"5-3", 5}, {"e5", 0}, {"-", 0}, {",", 0}, {"1e400", kInf},
      {"-1e400", -kInf}, {"1e-400", 0}, {"0,001e-400", 0}, {"1.000.000", 1000000}, {"12\r3", 12},
      // clang-format on
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(KavelModules::ParseNumber(text), expected) << '"' << text << '"';
}

TEST(IsNumeric, FollowsTheRegionalSeparators) {
  // clang-format off
  const struct { const char* text; bool german, english; } cases[] = {
      {"4,37", true, true}, {"4.37", true, true}, {"1.234,5", true, false}, {"1,234.5", false, true}, {"", false, false}, {"   ", false, false},
      {"abc", false, false}, {"12 GB", false, false}, {" 5 ", true, true}, {"\t-2,5\t", true, true}, {"+3", true, true}, {"1e3", true, true},
      {"1E-3", true, true}, {"1e", false, false}, {",5", true, false}, {"5,", true, false}, {"1..2", false, false}, {"5.", false, true},
      {"4,3,7", false, true}, {"1.234.567", true, false}, {"- 5", false, false}, {"5e3,5", false, false}, {"+-5", false, false}, {"-", false, false},
      {"1 000", false, false}, {"0", true, true},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(IsNumeric(c.text, kGerman), c.german) << "German: \"" << c.text << '"';
    EXPECT_EQ(IsNumeric(c.text, kEnglish), c.english) << "English: \"" << c.text << '"';
  }
  EXPECT_TRUE(IsNumeric("5\u202F390\u202F000,5", kFrench));
  EXPECT_FALSE(IsNumeric("5\u202F", kFrench));
  EXPECT_TRUE(IsNumeric("8356,1", {".", ""}));  // no grouping reads typed numbers as before
}

TEST(FormatNumber, WritesThePatternsWithRegionalSeparators) {
  using P = NumberPattern;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // clang-format off
  const struct { double value; P pattern; const char *german, *english; } cases[] = {
      {5369.1124, P::Grouped2Decimals, "5.369,11", "5,369.11"}, {-13.5924, P::Grouped2Decimals, "-13,59", "-13.59"},
      {999.996, P::Grouped2Decimals, "1.000,00", "1,000.00"}, {-999999.996, P::Grouped2Decimals, "-1.000.000,00", "-1,000,000.00"},
      {0.125, P::Grouped2Decimals, "0,13", "0.13"}, {-0.125, P::Grouped2Decimals, "-0,13", "-0.13"}, {-0.001, P::Grouped2Decimals, "0,00", "0.00"},
      // Stored as 2.67499999... and 1.00499999...
      {2.675, P::Grouped2Decimals, "2,67", "2.67"}, {1.005, P::Grouped2Decimals, "1,00", "1.00"},
      {1e21, P::Grouped2Decimals, "1.000.000.000.000.000.000.000,00", "1,000,000,000,000,000,000,000.00"}, {4.5, P::Grouped, "5", "5"},
      {1666.5, P::Grouped, "1.667", "1,667"}, {0, P::Grouped, "0", "0"}, {-1234.5, P::Grouped, "-1.235", "-1,235"},
      {0x1p70, P::Grouped, "1.180.591.620.717.411.303.424", "1,180,591,620,717,411,303,424"}, {-2.5, P::GroupedNoZero, "-3", "-3"},
      {4312.59, P::GroupedNoZero, "4.313", "4,313"}, {0.4, P::GroupedNoZero, "", ""}, {-0.4, P::GroupedNoZero, "", ""}, {0.5, P::GroupedNoZero, "1", "1"},
      {0, P::TwoDigits, "00", "00"}, {5, P::TwoDigits, "05", "05"}, {1234, P::TwoDigits, "1234", "1234"}, {-5, P::TwoDigits, "-05", "-05"},
      {kInf, P::Grouped2Decimals, "—", "—"}, {-kInf, P::Grouped, "—", "—"}, {nan, P::GroupedNoZero, "—", "—"}, {nan, P::TwoDigits, "—", "—"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kGerman), c.german) << c.value;
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kEnglish), c.english) << c.value;
  }
  // clang-format off
  const std::pair<double, const char*> floors[] = {{81.999, "81"}, {81.93, "81"}, {-3.2, "-4"}, {100, "100"}, {-0.0, "0"}, {-0.5, "-1"}, {1e20, "100000000000000000000"}, {kInf, "—"}, {-kInf, "—"}};
  // clang-format on
  for (const auto& [value, text] : floors) EXPECT_EQ(FormatFloor(value), text) << value;
}

}  // namespace
}  // namespace orvanto
