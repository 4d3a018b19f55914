#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "calc/Calculation.h"
#include "common/Messages.h"

namespace orvanto {
namespace {

using testing::ShownMessage;
using testing::TestWindow;
using Inputs = std::array<const char*, 5>;  // source, target, playing time, bitrate, reserve

constexpr Ctl kBoxes[] = {Ctl::inp_SourceSize, Ctl::inp_DestSize, Ctl::inp_Playtime,
                          Ctl::inp_Bitrate, Ctl::inp_SafeGuard};

void Enter(TestWindow& t, const Inputs& in) {
  for (size_t i = 0; i < in.size(); ++i) t.Type(kBoxes[i], in[i]);
}

ShownMessage Said(const Message& text, bool english) {
  const bool error = &text == &msg::kNotNumeric;
  return {text.Text(english), (error ? msg::kTitleError : msg::kTitleQuestion).Text(english),
          error ? kStyleInfo : kStyleAskDefaultNo};
}

// One box changed from plausible values at a time; a question is answered No.
TEST(CheckInputs, AsksBeyondEachBoundOnlyAndStopsWithNothingChanged) {
  const Message* const kNone = nullptr;
  const Message* const kError = &msg::kNotNumeric;
  const struct {
    int box;  // index into kBoxes
    const char* text;
    const Message* said;
  } cases[] = {
      // clang-format off
      {3, "3500000", kNone}, {3, "3499999,9", &msg::kLowBitrate}, {3, "9000000", kNone}, {3, "9000000,1", &msg::kHighBitrate},
      {2, "4800", kNone}, {2, "4799,9", &msg::kShortPlaytime}, {2, "7200", kNone}, {2, "7200,1", &msg::kLongPlaytime},
      {4, "0,5", kNone}, {4, "0,49", &msg::kSmallReserve}, {4, "2", kNone}, {4, "2,01", &msg::kLargeReserve},
      {1, "4,2", kNone}, {1, "4,19", &msg::kNoDvdSize}, {1, "4,4", kNone}, {1, "4,41", &msg::kNoDvdSize},
      {1, "4.37", &msg::kNoDvdSize}, {0, "4,37", kNone}, {0, "4,36", &msg::kFitsAlready}, {0, "", &msg::kFitsAlready},
      {0, "abc", &msg::kFitsAlready}, {1, "", kError}, {2, "abc", kError}, {3, "12 bit", kError}, {4, " ", kError},
      {3, "5,390,000", kError},
      // clang-format on
  };
  for (const bool english : {false, true}) {
    for (const auto& c : cases) {
      TestWindow t;
      t.Load(english);
      Enter(t, {"5,23", "4,37", "6000", "5390000", "2"});
      t.Type(kBoxes[c.box], c.text);
      if (c.said != kError) t.form.answers = {kAnswerNo};
      const auto before = t.form.texts;
      t.Click(Ctl::btn_Calculate);
      std::vector<ShownMessage> expected;
      if (c.said) expected.push_back(Said(*c.said, english));
      EXPECT_EQ(t.form.messages, expected) << c.text;
      EXPECT_EQ(t.form.texts == before, c.said != kNone) << c.text;
      EXPECT_EQ(t.canvas.ops.empty(), c.said != kNone) << c.text;
    }
  }
}

TEST(CheckInputs, AsksInOrderUntilTheFirstNo) {
  const struct {
    Inputs in;
    std::vector<const Message*> asked;
    int lastAnswer;
  } runs[] = {
      {{"4,0", "4,1", "3000", "3000000", "0,4"},
       {&msg::kLowBitrate, &msg::kShortPlaytime, &msg::kSmallReserve, &msg::kNoDvdSize,
        &msg::kFitsAlready},
       kAnswerYes},
      {{"4,0", "4,5", "8000", "9500000", "3"},
       {&msg::kHighBitrate, &msg::kLongPlaytime, &msg::kLargeReserve},
       kAnswerNo},
  };
  for (const auto& run : runs) {
    TestWindow t;
    Enter(t, run.in);
    t.form.answers.assign(run.asked.size() - 1, kAnswerYes);
    t.form.answers.push_back(run.lastAnswer);
    const auto before = t.form.texts;
    t.Click(Ctl::btn_Calculate);
    std::vector<ShownMessage> expected;
    for (const Message* q : run.asked) expected.push_back(Said(*q, false));
    EXPECT_EQ(t.form.messages, expected);
    EXPECT_EQ(t.form.texts == before, run.lastAnswer == kAnswerNo);
  }
}

// Film, audio, new film, new audio, the sums, the factor and the new bitrate, joined by "|".
std::string Results(TestWindow& t) {
  std::string labels;
  for (const Ctl label :
       {Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize, Ctl::dsp_DestAudioSize,
        Ctl::dsp_SumSource, Ctl::dsp_SumDest, Ctl::dsp_DestFactor, Ctl::dsp_NewBr}) {
    labels += (labels.empty() ? "" : "|") + t.form.Text(label);
  }
  return labels;
}

TEST(Calculation, FillsTheLabelsInOrderAndMarksTheNewBitrate) {
  const struct {
    Inputs in;
    int yeses;
    const char* shown;
    float marker;  // 0: the bar and the new bitrate keep what they showed
  } cases[] = {
      // clang-format off
      {{"5,23", "4,37", "8356,1", "5390000", "2"}, 1, "5.369,11 MB|-13,59 MB|4.398,97 MB|-13,59 MB|5.355,52 MB|4.385,38 MB|81%|4.313 KBit/s", 49.0676f},
      {{"5,23", "4,37", "7000", "5390000", "2"}, 0, "4.497,77 MB|857,75 MB|3.527,63 MB|857,75 MB|5.355,52 MB|4.385,38 MB|78%|4.128 KBit/s", 46.9713f},
      {{"4,00", "4,37", "7000", "5390000", "2"}, 1, "4.497,77 MB|-401,77 MB|4.787,15 MB|-401,77 MB|4.096,00 MB|4.385,38 MB|106%|earlier", 0},
      {{"8,00", "4,37", "3000", "5390000", "2"}, 1, "1.927,61 MB|6.264,39 MB|-1.879,00 MB|6.264,39 MB|8.192,00 MB|4.385,38 MB|-98%|earlier", 0},
      {{"4,25", "4,25", "0,5", "8388608", "0"}, 2, "0,50 MB|4.351,50 MB|0,50 MB|4.351,50 MB|4.352,00 MB|4.352,00 MB|100%|8.192 KBit/s", 93.2067f},
      {{"5,23", "4,37", "0", "5390000", "2"}, 1, "0,00 MB|5.355,52 MB|-970,14 MB|5.355,52 MB|5.355,52 MB|4.385,38 MB|—%|earlier", 0},
      {{"5,23", "4,37", "1e400", "5390000", "2"}, 1, "— MB|— MB|— MB|— MB|— MB|— MB|—%|earlier", 0},
      // The factor is fine, but the new bitrate is beyond the range of double.
      {{"4,25", "4,25", "1e-300", "1e307", "0"}, 3, "1,19 MB|4.350,81 MB|1,19 MB|4.350,81 MB|4.352,00 MB|4.352,00 MB|100%|earlier", 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    TestWindow t;
    Enter(t, c.in);
    t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
    t.form.answers.assign(c.yeses, kAnswerYes);
    t.form.textWrites.clear();
    t.Click(Ctl::btn_Calculate);
    EXPECT_EQ(Results(t), c.shown);
    EXPECT_TRUE(t.form.answers.empty() && t.form.unexpected.empty()) << c.shown;
    std::vector<Ctl> written = {Ctl::dsp_FilmSize,     Ctl::dsp_AudioSize, Ctl::dsp_DestAudioSize,
                                Ctl::dsp_DestFilmSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest,
                                Ctl::dsp_DestFactor};
    if (c.marker != 0) written.push_back(Ctl::dsp_NewBr);
    EXPECT_EQ(t.form.textWrites, written) << c.shown;
    ASSERT_EQ(t.canvas.ops.size(), c.marker != 0 ? 104u : 0u) << c.shown;
    if (c.marker != 0) {
      EXPECT_NEAR(t.canvas.ops.back().x1, c.marker, 1e-4);
    }
  }
}

// The size the program measures is written German-style and read back as the same number,
// whatever the regional separators; the results follow the separators of the run.
TEST(Calculation, ReadsTheMeasuredSizeBackUnderAnySeparators) {
  const std::pair<NumberSeparators, const char*> runs[] = {
      // clang-format off
      {testing::kGerman, "5.369,11 MB|-13,59 MB|4.398,97 MB|-13,59 MB|5.355,52 MB|4.385,38 MB|81%|4.313 KBit/s"},
      {testing::kEnglish, "5,369.11 MB|-13.59 MB|4,398.97 MB|-13.59 MB|5,355.52 MB|4,385.38 MB|81%|4,313 KBit/s"},
      {{",", "\u00A0"}, "5\u00A0369,11 MB|-13,59 MB|4\u00A0398,97 MB|-13,59 MB|5\u00A0355,52 MB|4\u00A0385,38 MB|81%|4\u00A0313 KBit/s"},
      {testing::kFrench, "5\u202F369,11 MB|-13,59 MB|4\u202F398,97 MB|-13,59 MB|5\u202F355,52 MB|4\u202F385,38 MB|81%|4\u202F313 KBit/s"},
      // clang-format on
  };
  for (const auto& [separators, shown] : runs) {
    TestWindow t;
    t.locale.separators = separators;
    t.files.AddDirectory("d:\\big");
    t.files.AddFile("d:\\big\\VTS_01_1.VOB", "", 0, 1325536624640);  // 1234.5 GiB
    t.files.AddDirectory("d:\\dvd");
    t.files.AddFile("d:\\dvd\\VTS_01_1.VOB", "", 0, 5615624356);  // 5.23 GiB
    t.files.currentDirectory = "d:\\big";
    t.window.InitFolderLists();
    t.window.MeasureOutputDir();
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "1.234,50");
    t.window.OpenDirectory(0);  // the root, then dvd below it
    t.window.OpenDirectory(2);
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "5,23");
    for (size_t i = 1; i < 5; ++i)
      t.Type(kBoxes[i], Inputs{"", "4,37", "8356,1", "5390000", "2"}[i]);
    t.form.answers = {kAnswerYes};
    t.Click(Ctl::btn_Calculate);
    EXPECT_EQ(Results(t), shown);
  }
}

TEST(RangeBar, ShadesRedToWhiteAndClampsTheMarker) {
  const std::pair<int, Rgb> band[] = {
      // clang-format off
      {0, {255, 0, 0}}, {5, {255, 26, 0}}, {49, {255, 250, 0}}, {50, {255, 255, 0}}, {51, {255, 255, 0}},
      {52, {238, 255, 0}}, {66, {0, 255, 0}}, {67, {0, 255, 0}}, {68, {8, 255, 8}}, {69, {15, 255, 15}},
      {100, {255, 255, 255}},
      // clang-format on
  };
  for (const auto& [step, colour] : band) EXPECT_EQ(BandColour(step), colour) << step;
  const std::pair<double, double> markers[] = {
      {4500000, 50}, {9000000, 100}, {2e7, 100}, {-90000, -1}, {-1e300, -100}};
  for (const auto& [bitrate, x] : markers) EXPECT_DOUBLE_EQ(MarkerPosition(bitrate), x);
}

TEST(ReadOuts, FollowEveryNumericTextAndKeepTheLastOtherwise) {
  const struct {
    Ctl box, label;
    std::vector<std::pair<const char*, const char*>> steps;  // typed one after the other
  } boxes[] = {
      // clang-format off
      {Ctl::inp_Bitrate, Ctl::dsp_MBit,
       {{"5390000", "5,14 MBit"}, {"4.500.000", "4,29 MBit"}, {"", "4,29 MBit"}, {"1048576", "1,00 MBit"},
        {"abc", "1,00 MBit"}, {"1.073.741.824", "1.024,00 MBit"}, {"0", "0,00 MBit"}, {"1e400", "— MBit"}}},
      {Ctl::inp_Playtime, Ctl::dsp_Duration,
       {{"7", "1 Min (0h 01m)"}, {"7200", "120 Min (2h 00m)"}, {"", "120 Min (2h 00m)"},
        {"8356,1", "140 Min (2h 20m)"}, {"abc", "140 Min (2h 20m)"}, {"59", "1 Min (0h 01m)"},
        {"3599", "60 Min (0h 60m)"}, {"3600", "60 Min (1h 00m)"}, {"7199", "120 Min (1h 60m)"},
        {"100000", "1.667 Min (27h 47m)"}, {"0", "0 Min (0h 00m)"}, {"-59", "0 Min (-1h 60m)"},
        {"1e400", "— Min (—h —m)"}}},
      {Ctl::inp_Bitrate, Ctl::dsp_MBit, {{"1073741824", "1,024.00 MBit"}, {"4.500.000", "1,024.00 MBit"}}},
      // clang-format on
  };
  TestWindow t;
  for (const auto& box : boxes) {
    if (&box == &boxes[2]) t.locale.separators = testing::kEnglish;
    for (const auto& [text, shown] : box.steps) {
      t.Type(box.box, text);
      EXPECT_EQ(t.form.Text(box.label), shown) << text;
    }
  }
}

}  // namespace
}  // namespace orvanto
