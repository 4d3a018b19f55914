#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "app/WindowLayout.h"

namespace orvanto {
namespace {

bool TakesNoTabIndex(const ControlDesc& desc) {
  return desc.kind == Kind::Line || desc.kind == Kind::Image;
}

TEST(WindowDescription, ListsEveryControlOnceInOrder) {
  std::set<std::string_view> names;
  for (size_t i = 0; i < Controls().size(); ++i) {
    EXPECT_EQ(Index(Controls()[i].id), i);
    EXPECT_TRUE(names.insert(Controls()[i].name).second) << Controls()[i].name;
  }
  EXPECT_EQ(names.size(), 51u);
}

TEST(WindowDescription, NumbersTabIndicesWithoutGapsOverFocusableKinds) {
  std::vector<int> indices;
  for (const ControlDesc& desc : Controls()) {
    if (TakesNoTabIndex(desc)) {
      EXPECT_EQ(desc.tabIndex, -1) << desc.name;
    } else {
      indices.push_back(desc.tabIndex);
    }
  }
  std::ranges::sort(indices);
  ASSERT_EQ(indices.size(), 46u);
  for (int i = 0; i < 46; ++i) EXPECT_EQ(indices[static_cast<size_t>(i)], i);
}

TEST(WindowDescription, KeepsEveryControlInsideItsContainer) {
  for (const ControlDesc& desc : Controls()) {
    int width = kClientWidthTwips, height = kClientHeightTwips;
    if (desc.container) {
      const ControlDesc& frame = Describe(*desc.container);
      ASSERT_EQ(frame.kind, Kind::Frame) << desc.name;
      width = frame.rect.width;
      height = frame.rect.height;
    }
    const TwipsRect& r = desc.rect;
    EXPECT_GE(r.left, 0) << desc.name;
    EXPECT_GE(r.top, 0) << desc.name;
    EXPECT_LE(r.left + r.width, width) << desc.name;
    EXPECT_LE(r.top + r.height, height) << desc.name;
  }
}

TEST(WindowDescription, ScalesTwipsAtTheWindowDpi) {
  const struct {
    Ctl control;
    int dpi;
    PixelRect expected;
  } cases[] = {
      // clang-format off
      {Ctl::btn_Calculate, 96, {752, 168, 97, 33}}, {Ctl::btn_Calculate, 144, {1128, 252, 146, 50}},
      {Ctl::inp_Filename, 96, {144, 40, 65, 19}}, {Ctl::dsp_DestFactor, 120, {700, 450, 71, 31}},
      {Ctl::btn_LangSwitch, 192, {1536, 816, 194, 66}},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClientPixels(c.control, c.dpi), c.expected)
        << Describe(c.control).name << " @" << c.dpi;
  }
  // The numeric boxes of step 2 end on the same twip, so they end on the same pixel.
  for (const int dpi : {96, 120, 144, 168, 192}) {
    const auto right = [dpi](Ctl c) {
      return ClientPixels(c, dpi).left + ClientPixels(c, dpi).width;
    };
    EXPECT_EQ(right(Ctl::inp_Playtime), right(Ctl::inp_Bitrate)) << dpi;
    EXPECT_EQ(right(Ctl::inp_Playtime), right(Ctl::inp_SourceSize)) << dpi;
  }
}

TEST(ApplyEnglishCaptions, ReplacesTheNineteenCaptionsInStepOrderAndNothingElse) {
  testing::TestWindow t;
  const auto before = t.form.texts;
  t.window.ApplyEnglishCaptions();

  const std::vector<Ctl> order = {
      Ctl::dsp_LabelCFFLName, Ctl::frme_Step1,     Ctl::btn_MakeCFFL,     Ctl::frme_Step2,
      Ctl::dsp_SizeOutput,    Ctl::dsp_DestSize,   Ctl::dsp_Playtime,     Ctl::dsp_Bitrate,
      Ctl::dsp_Safety,        Ctl::btn_Calculate,  Ctl::frme_Calculation, Ctl::dsp_Source,
      Ctl::dsp_Destination,   Ctl::dsp_SizeMovie,  Ctl::dsp_SizeAudio,    Ctl::dsp_Factor,
      Ctl::dsp_Outputdir,     Ctl::btn_LangSwitch, Ctl::dsp_Anleitung,
  };
  EXPECT_EQ(t.form.textWrites, order);
  for (const ControlDesc& desc : Controls()) {
    const bool translated = std::ranges::find(order, desc.id) != order.end();
    EXPECT_EQ(t.form.Text(desc.id), translated ? desc.english : before[Index(desc.id)])
        << desc.name;
  }
  EXPECT_EQ(t.form.Text(Ctl::btn_LangSwitch), "> Deutsch");
  EXPECT_EQ(t.form.Title(), "Orvanto");
  EXPECT_TRUE(t.form.messages.empty());
}

TEST(AskYesNo, AsksInTheCurrentLanguageWithNoPreselected) {
  for (const bool english : {false, true}) {
    testing::TestWindow t;
    t.window.English = english;
    t.form.answers = {kAnswerYes, kAnswerNo};
    EXPECT_EQ(t.window.AskYesNo("Weiter ?", "Go on ?"), kAnswerYes);
    EXPECT_EQ(t.window.AskYesNo("Weiter ?", "Go on ?"), kAnswerNo);
    const testing::ShownMessage expected = english
                                               ? testing::ShownMessage{"Go on ?", "Question", 292}
                                               : testing::ShownMessage{"Weiter ?", "Frage", 292};
    EXPECT_EQ(t.form.messages, (std::vector{expected, expected}));
  }
}

}  // namespace
}  // namespace orvanto
