#include <array>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

using testing::ShownMessage;
using testing::TestWindow;

struct Inputs {
  const char *source, *target, *playtime, *bitrate, *reserve;
};

void Enter(TestWindow& t, const Inputs& in) {
  t.Type(Ctl::inp_SourceSize, in.source);
  t.Type(Ctl::inp_DestSize, in.target);
  t.Type(Ctl::inp_Playtime, in.playtime);
  t.Type(Ctl::inp_Bitrate, in.bitrate);
  t.Type(Ctl::inp_SafeGuard, in.reserve);
}

// What a click may show, German and English: the error (0) or one of the questions (1 to 8).
const std::array<std::array<const char*, 2>, 9> kMessages = {{
    {"Mindestens eines der Eingabefelder enthält keinen oder keinen numerischen Wert!",
     "At least one of the input-fields is not numeric or empty!"},
    {"Die Bitrate ist auffällig niedrig - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
     "The bitrate is conspiciously low - please check! Continue anyway ?"},
    {"Die Bitrate ist auffällig hoch - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
     "The bitrate is conspicously high - please check! Continue anyway ?"},
    {"Die Spieldauer ist auffällig kurz - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
     "The playing time is conspicously short - please check! Continue anyway ?"},
    {"Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
     "The playing time is conspicously long - please check! Continue anyway ?"},
    {"Die Sicherheitsreserve ist sehr klein! Trotzdem fortfahren ?",
     "The safety reserve is very small! Continue anyway ?"},
    {"Die Sicherheitsreserve ist auffällig groß! Trotzdem fortfahren ?",
     "The safety reserve is conspicously large! Continue anyway ?"},
    {"Die Zielgröße scheint nicht einem DVD-Medium zu entsprechen! Trotzdem fortfahren ?",
     "The destination size seems not to correspond to a DVD+R/RW! Continue anyway ?"},
    {"Das Ausgabeverzeichnis paßt ohne Recodierung auf die angegebene Zielgröße! Trotzdem "
     "fortfahren ?",
     "The destination directory fits to the entered destination size without recoding! Continue "
     "anyway ?"},
}};

ShownMessage Message(int number, bool english) {
  if (number == 0) return {kMessages[0][english], english ? "Error" : "Fehler", 64};
  return {kMessages[number][english], english ? "Question" : "Frage", 292};
}

// One input changed from plausible values at a time; a question is answered No.
TEST(CheckInputs, AsksBeyondEachBoundOnlyAndStopsWithNothingChanged) {
  constexpr int kNone = -1, kError = 0;
  const struct {
    Ctl box;
    const char* text;
    int message;
  } cases[] = {
      {Ctl::inp_Bitrate, "3500000", kNone}, {Ctl::inp_Bitrate, "3499999,9", 1},
      {Ctl::inp_Bitrate, "9000000", kNone}, {Ctl::inp_Bitrate, "9000000,1", 2},
      {Ctl::inp_Playtime, "4800", kNone},   {Ctl::inp_Playtime, "4799,9", 3},
      {Ctl::inp_Playtime, "7200", kNone},   {Ctl::inp_Playtime, "7200,1", 4},
      {Ctl::inp_SafeGuard, "0,5", kNone},   {Ctl::inp_SafeGuard, "0,49", 5},
      {Ctl::inp_SafeGuard, "2", kNone},     {Ctl::inp_SafeGuard, "2,01", 6},
      {Ctl::inp_DestSize, "4,2", kNone},    {Ctl::inp_DestSize, "4,19", 7},
      {Ctl::inp_DestSize, "4,4", kNone},    {Ctl::inp_DestSize, "4,41", 7},
      {Ctl::inp_DestSize, "4.37", 7},       {Ctl::inp_SourceSize, "4,37", kNone},
      {Ctl::inp_SourceSize, "4,36", 8},     {Ctl::inp_SourceSize, "", 8},
      {Ctl::inp_SourceSize, "abc", 8},      {Ctl::inp_DestSize, "", kError},
      {Ctl::inp_Playtime, "abc", kError},   {Ctl::inp_Bitrate, "12 bit", kError},
      {Ctl::inp_SafeGuard, " ", kError},    {Ctl::inp_Bitrate, "5,390,000", kError},
  };
  for (const bool english : {false, true}) {
    for (const auto& c : cases) {
      TestWindow t;
      t.window.English = english;
      Enter(t, {"5,23", "4,37", "6000", "5390000", "2"});
      t.Type(c.box, c.text);
      if (c.message > kError) t.form.answers = {kAnswerNo};
      const auto before = t.form.texts;
      t.Click(Ctl::btn_Calculate);

      std::vector<ShownMessage> expected;
      if (c.message != kNone) expected.push_back(Message(c.message, english));
      EXPECT_EQ(t.form.messages, expected) << c.text;
      EXPECT_EQ(t.form.texts == before, c.message != kNone) << c.text;
      EXPECT_EQ(t.canvas.ops.empty(), c.message != kNone) << c.text;
    }
  }
}

TEST(CheckInputs, AsksInTableOrderUntilTheFirstNo) {
  const struct {
    Inputs in;
    std::vector<int> asked;
    int lastAnswer;
  } runs[] = {
      {{"4,0", "4,1", "3000", "3000000", "0,4"}, {1, 3, 5, 7, 8}, kAnswerYes},
      {{"4,0", "4,5", "8000", "9500000", "3"}, {2, 4, 6}, kAnswerNo},
  };
  for (const auto& run : runs) {
    TestWindow t;
    Enter(t, run.in);
    t.form.answers.assign(run.asked.size() - 1, kAnswerYes);
    t.form.answers.push_back(run.lastAnswer);
    const auto before = t.form.texts;
    t.Click(Ctl::btn_Calculate);

    std::vector<ShownMessage> expected;
    for (const int q : run.asked) expected.push_back(Message(q, false));
    EXPECT_EQ(t.form.messages, expected);
    EXPECT_EQ(t.form.texts == before, run.lastAnswer == kAnswerNo);
  }
}

// Runs one calculation; `marker` absent means the bar and the new bitrate keep what they showed.
void ExpectCalculation(const Inputs& in, int yeses, const char* shown,
                       std::optional<float> marker = {}) {
  TestWindow t;
  Enter(t, in);
  t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
  t.form.answers.assign(yeses, kAnswerYes);
  t.Click(Ctl::btn_Calculate);

  std::string labels;  // film, audio, new film, new audio, sums, factor, bitrate
  for (const Ctl label :
       {Ctl::dsp_FilmSize, Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize, Ctl::dsp_DestAudioSize,
        Ctl::dsp_SumSource, Ctl::dsp_SumDest, Ctl::dsp_DestFactor, Ctl::dsp_NewBr}) {
    labels += (labels.empty() ? "" : "|") + t.form.Text(label);
  }
  EXPECT_EQ(labels, shown);
  EXPECT_TRUE(t.form.answers.empty()) << shown;
  ASSERT_EQ(t.canvas.ops.empty(), !marker) << shown;
  EXPECT_NEAR(marker ? t.canvas.ops.back().x1 : 0, marker.value_or(0), 1e-4);
}

TEST(Calculation, FillsTheResultTableAndMarksTheNewBitrateBetween0And100PerCent) {
  ExpectCalculation({"5,23", "4,37", "8356,1", "5390000", "2"}, 1,
                    "5.369,11 MB|-13,59 MB|4.398,97 MB|-13,59 MB|5.355,52 MB|4.385,38 MB|81%|"
                    "4.313 KBit/s",
                    49.0676f);
  ExpectCalculation({"5,23", "4,37", "7000", "5390000", "2"}, 0,
                    "4.497,77 MB|857,75 MB|3.527,63 MB|857,75 MB|5.355,52 MB|4.385,38 MB|78%|"
                    "4.128 KBit/s",
                    46.9713f);
  ExpectCalculation({"4,00", "4,37", "7000", "5390000", "2"}, 1,
                    "4.497,77 MB|-401,77 MB|4.787,15 MB|-401,77 MB|4.096,00 MB|4.385,38 MB|106%|"
                    "earlier");
  ExpectCalculation({"8,00", "4,37", "3000", "5390000", "2"}, 1,
                    "1.927,61 MB|6.264,39 MB|-1.879,00 MB|6.264,39 MB|8.192,00 MB|4.385,38 MB|"
                    "-98%|earlier");
  ExpectCalculation({"4,25", "4,25", "0,5", "8388608", "0"}, 2,
                    "0,50 MB|4.351,50 MB|0,50 MB|4.351,50 MB|4.352,00 MB|4.352,00 MB|100%|"
                    "8.192 KBit/s",
                    93.2067f);
}

TEST(Calculation, ShowsAPlaceholderForAFactorOrSizeWithoutAValue) {
  ExpectCalculation({"5,23", "4,37", "0", "5390000", "2"}, 1,
                    "0,00 MB|5.355,52 MB|-970,14 MB|5.355,52 MB|5.355,52 MB|4.385,38 MB|—%|"
                    "earlier");
  ExpectCalculation({"5,23", "4,37", "1e400", "5390000", "2"}, 1,
                    "— MB|— MB|— MB|— MB|— MB|— MB|—%|earlier");
  // The factor is fine, but the new bitrate is beyond the range of double.
  ExpectCalculation({"4,25", "4,25", "1e-300", "1e307", "0"}, 3,
                    "1,19 MB|4.350,81 MB|1,19 MB|4.350,81 MB|4.352,00 MB|4.352,00 MB|100%|"
                    "earlier");
}

TEST(DrawRangeBar, PaintsTheBandThenTheMarkerClampedOnTheRight) {
  const struct {
    int i;
    Rgb colour;
  } band[] = {
      {0, {255, 0, 0}},       {5, {255, 26, 0}},   {15, {255, 76, 0}},  {35, {255, 178, 0}},
      {49, {255, 250, 0}},    {50, {255, 255, 0}}, {51, {255, 255, 0}}, {52, {238, 255, 0}},
      {66, {0, 255, 0}},      {67, {0, 255, 0}},   {68, {8, 255, 8}},   {69, {15, 255, 15}},
      {100, {255, 255, 255}},
  };
  const std::pair<double, float> markers[] = {
      {4416088.243, 49.0676f}, {4500000, 50}, {9000000, 100}, {2e7, 100}, {-90000, -1},
      {-1e300, -100}};
  for (const auto& [bitrate, marker] : markers) {
    TestWindow t;
    t.window.DrawRangeBar(bitrate);
    const auto& ops = t.canvas.ops;
    ASSERT_EQ(ops.size(), 104u);
    EXPECT_EQ(ops.front().kind, testing::FakeCanvas::Op::Clear);
    for (const auto& b : band) EXPECT_EQ(ops[2 + b.i].colour, b.colour) << b.i;
    EXPECT_EQ(ops.back().kind, testing::FakeCanvas::Op::Line);
    EXPECT_NEAR(ops.back().x1, marker, 1e-4) << bitrate;
    EXPECT_EQ(ops.back().x2, ops.back().x1);
  }
}

}  // namespace
}  // namespace orvanto
