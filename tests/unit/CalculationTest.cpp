#include <array>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

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

constexpr Inputs kPlausible{"5,23", "4,37", "6000", "5390000", "2"};

// The eight questions, German then English, in the order they are asked.
const std::array<std::array<const char*, 2>, 8> kQuestions = {{
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

TEST(CheckInputs, AsksOnlyBeyondEachBoundAndANoChangesNothing) {
  constexpr int kError = -1;
  const struct {
    Ctl box;
    const char* text;
    int question;  // 1 to 8, 0 for none
  } cases[] = {
      {Ctl::inp_Bitrate, "3500000", 0},   {Ctl::inp_Bitrate, "3499999,9", 1},
      {Ctl::inp_Bitrate, "9000000", 0},   {Ctl::inp_Bitrate, "9000000,1", 2},
      {Ctl::inp_Playtime, "4800", 0},     {Ctl::inp_Playtime, "4799,9", 3},
      {Ctl::inp_Playtime, "7200", 0},     {Ctl::inp_Playtime, "7200,1", 4},
      {Ctl::inp_SafeGuard, "0,5", 0},     {Ctl::inp_SafeGuard, "0,49", 5},
      {Ctl::inp_SafeGuard, "2", 0},       {Ctl::inp_SafeGuard, "2,01", 6},
      {Ctl::inp_DestSize, "4,2", 0},      {Ctl::inp_DestSize, "4,19", 7},
      {Ctl::inp_DestSize, "4,4", 0},      {Ctl::inp_DestSize, "4,41", 7},
      {Ctl::inp_DestSize, "4.37", 7},     {Ctl::inp_SourceSize, "4,37", 0},
      {Ctl::inp_SourceSize, "4,36", 8},   {Ctl::inp_SourceSize, "", 8},
      {Ctl::inp_SourceSize, "abc", 8},    {Ctl::inp_DestSize, "", kError},
      {Ctl::inp_Playtime, "abc", kError}, {Ctl::inp_Bitrate, "12 bit", kError},
      {Ctl::inp_SafeGuard, " ", kError},  {Ctl::inp_Bitrate, "5,390,000", kError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " -> " + std::to_string(c.question));
    TestWindow t;
    Enter(t, kPlausible);
    t.Type(c.box, c.text);
    if (c.question > 0) t.form.answers = {kAnswerNo};
    const auto before = t.form.texts;
    t.Click(Ctl::btn_Calculate);

    if (c.question == 0) {
      EXPECT_TRUE(t.form.messages.empty());
      continue;
    }
    const testing::ShownMessage expected =
        c.question == kError
            ? testing::ShownMessage{"Mindestens eines der Eingabefelder enthält keinen oder keinen "
                                    "numerischen Wert!",
                                    "Fehler", 64}
            : testing::ShownMessage{kQuestions[c.question - 1][0], "Frage", 292};
    EXPECT_EQ(t.form.messages, std::vector{expected});
    EXPECT_EQ(t.form.texts, before);
    EXPECT_TRUE(t.canvas.ops.empty());
  }
}

TEST(CheckInputs, AsksInTableOrderInTheCurrentLanguageUntilTheFirstNo) {
  const struct {
    Inputs in;
    std::array<int, 5> questions;
  } runs[] = {
      {{"4,0", "4,1", "3000", "3000000", "0,4"}, {1, 3, 5, 7, 8}},
      {{"4,0", "4,5", "8000", "9500000", "3"}, {2, 4, 6, 7, 8}},
  };
  for (const bool english : {false, true}) {
    for (const auto& run : runs) {
      for (size_t yeses = 0; yeses <= run.questions.size(); ++yeses) {
        TestWindow t;
        t.window.English = english;
        Enter(t, run.in);
        t.form.answers.assign(yeses, kAnswerYes);
        if (yeses < run.questions.size()) t.form.answers.push_back(kAnswerNo);
        const auto before = t.form.texts;
        t.Click(Ctl::btn_Calculate);

        std::vector<testing::ShownMessage> expected;
        for (size_t i = 0; i < std::min(yeses + 1, run.questions.size()); ++i) {
          expected.push_back(
              {kQuestions[run.questions[i] - 1][english], english ? "Question" : "Frage", 292});
        }
        EXPECT_EQ(t.form.messages, expected) << english << yeses;
        EXPECT_EQ(t.form.texts == before, yeses < run.questions.size()) << english << yeses;
      }
    }
  }
  TestWindow t;
  t.window.English = true;
  t.Type(Ctl::inp_DestSize, "");
  t.Click(Ctl::btn_Calculate);
  EXPECT_EQ(t.form.messages,
            (std::vector<testing::ShownMessage>{
                {"At least one of the input-fields is not numeric or empty!", "Error", 64}}));
}

TEST(Calculation, FillsTheResultTableAndMarksTheNewBitrate) {
  const char* const kNone = "— MB";
  const struct {
    Inputs in;
    int yeses;
    std::array<const char*, 8> shown;  // film, audio, new film, new audio, sums, factor, bitrate
    std::optional<float> marker;       // none: the bar is left as it was
  } cases[] = {
      {{"5,23", "4,37", "8356,1", "5390000", "2"},
       1,
       {"5.369,11 MB", "-13,59 MB", "4.398,97 MB", "-13,59 MB", "5.355,52 MB", "4.385,38 MB", "81%",
        "4.313 KBit/s"},
       49.0676f},
      {{"5,23", "4,37", "7000", "5390000", "2"},
       0,
       {"4.497,77 MB", "857,75 MB", "3.527,63 MB", "857,75 MB", "5.355,52 MB", "4.385,38 MB", "78%",
        "4.128 KBit/s"},
       46.9713f},
      {{"4,00", "4,37", "7000", "5390000", "2"},
       1,
       {"4.497,77 MB", "-401,77 MB", "4.787,15 MB", "-401,77 MB", "4.096,00 MB", "4.385,38 MB",
        "106%", "earlier"}},
      {{"8,00", "4,37", "3000", "5390000", "2"},
       1,
       {"1.927,61 MB", "6.264,39 MB", "-1.879,00 MB", "6.264,39 MB", "8.192,00 MB", "4.385,38 MB",
        "-98%", "earlier"}},
      {{"4,25", "4,25", "0,5", "8388608", "0"},
       2,
       {"0,50 MB", "4.351,50 MB", "0,50 MB", "4.351,50 MB", "4.352,00 MB", "4.352,00 MB", "100%",
        "8.192 KBit/s"},
       93.2067f},
      // No movie: no scale factor.
      {{"5,23", "4,37", "0", "5390000", "2"},
       1,
       {"0,00 MB", "5.355,52 MB", "-970,14 MB", "5.355,52 MB", "5.355,52 MB", "4.385,38 MB", "—%",
        "earlier"}},
      // Beyond the range of double.
      {{"5,23", "4,37", "1e400", "5390000", "2"},
       1,
       {kNone, kNone, kNone, kNone, kNone, kNone, "—%", "earlier"}},
      // A new bitrate beyond the range of double.
      {{"4,25", "4,25", "1e-300", "1e307", "0"},
       3,
       {"1,19 MB", "4.350,81 MB", "1,19 MB", "4.350,81 MB", "4.352,00 MB", "4.352,00 MB", "100%",
        "earlier"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.playtime);
    TestWindow t;
    Enter(t, c.in);
    t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
    t.form.answers.assign(c.yeses, kAnswerYes);
    t.Click(Ctl::btn_Calculate);

    EXPECT_TRUE(t.form.answers.empty());
    const Ctl labels[] = {Ctl::dsp_FilmSize,      Ctl::dsp_AudioSize, Ctl::dsp_DestFilmSize,
                          Ctl::dsp_DestAudioSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest,
                          Ctl::dsp_DestFactor,    Ctl::dsp_NewBr};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(t.form.Text(labels[i]), c.shown[i]) << i;
    ASSERT_EQ(t.canvas.ops.empty(), !c.marker);
    if (c.marker) {
      EXPECT_NEAR(t.canvas.ops.back().x1, *c.marker, 1e-4);
    }
  }
}

TEST(DrawRangeBar, PaintsTheBandThenTheMarkerClampedOnTheRightOnly) {
  const struct {
    int i;
    Rgb colour;
  } band[] = {
      {0, {255, 0, 0}},       {5, {255, 26, 0}},   {15, {255, 76, 0}},  {35, {255, 178, 0}},
      {49, {255, 250, 0}},    {50, {255, 255, 0}}, {51, {255, 255, 0}}, {52, {238, 255, 0}},
      {66, {0, 255, 0}},      {67, {0, 255, 0}},   {68, {8, 255, 8}},   {69, {15, 255, 15}},
      {100, {255, 255, 255}},
  };
  const struct {
    double bitrate;
    float marker;
  } markers[] = {{4416088.243, 49.0676f}, {4500000, 50}, {9000000, 100}, {2e7, 100}, {-90000, -1}};
  for (const auto& m : markers) {
    TestWindow t;
    t.window.DrawRangeBar(m.bitrate);
    const auto& ops = t.canvas.ops;
    ASSERT_EQ(ops.size(), 104u);
    EXPECT_EQ(ops[0].kind, testing::FakeCanvas::Op::Clear);
    EXPECT_EQ(ops[1].kind, testing::FakeCanvas::Op::Scale);
    EXPECT_EQ(ops[1].x2, 100);
    EXPECT_EQ(ops[1].y2, 100);
    for (const auto& b : band) {
      const auto& fill = ops[2 + b.i];
      EXPECT_EQ(fill.kind, testing::FakeCanvas::Op::Fill);
      EXPECT_EQ(fill.colour, b.colour) << b.i;
      EXPECT_EQ(std::vector({fill.x1, fill.y1, fill.x2, fill.y2}),
                std::vector<float>({float(b.i), 20, float(b.i + 5), 80}));
    }
    const auto& line = ops.back();
    EXPECT_EQ(line.kind, testing::FakeCanvas::Op::Line);
    EXPECT_NEAR(line.x1, m.marker, 1e-4) << m.bitrate;
    EXPECT_EQ(std::vector({line.x2 - line.x1, line.y1, line.y2}), std::vector<float>({0, 0, 100}));
    EXPECT_EQ(line.colour, (Rgb{0, 0, 0}));
  }
}

}  // namespace
}  // namespace orvanto
