#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "Fakes.h"

namespace orvanto {
namespace {

const char* const kKey = "Tolva/Settings/English";

TEST(FormLoad, ReadsTheStoredLanguage) {
  const struct {
    const char* stored;  // nullptr: no value
    bool english;
  } cases[] = {
      {nullptr, false}, {"", false},      {"True", true}, {"true", true},
      {"TRUE", true},   {"False", false}, {"Yes", false}, {"1", false},
  };
  for (const auto& c : cases) {
    testing::TestWindow t;
    if (c.stored) t.settings.values[kKey] = c.stored;
    t.window.Form_Load();
    EXPECT_EQ(t.window.English, c.english) << (c.stored ? c.stored : "(missing)");
    EXPECT_EQ(t.form.pictures[Index(Ctl::img_Sprache)],
              c.english ? Picture::GermanFlag : Picture::BritishFlag);
    EXPECT_EQ(t.form.Title(), "Orvanto V1.00.8");
    EXPECT_EQ(t.form.Text(Ctl::btn_LangSwitch), c.english ? "> Deutsch" : "> English");
  }
}

TEST(FormLoad, MeasuresBeforeSwitchingToEnglish) {
  testing::TestWindow t;
  t.settings.values[kKey] = "True";
  t.window.Form_Load();
  ASSERT_FALSE(t.form.textWrites.empty());
  EXPECT_EQ(t.form.textWrites.front(), Ctl::inp_SourceSize);
  EXPECT_EQ(std::ranges::count(t.form.textWrites, Ctl::inp_SourceSize), 1);
  EXPECT_EQ(t.form.textWrites.size(), 20u);  // the size, then the 19 captions
}

TEST(LanguageSwitch, SavesTheOtherLanguageAndEndsWithoutChangingTheWindow) {
  for (const bool english : {false, true}) {
    testing::TestWindow t;
    t.window.English = english;
    const auto texts = t.form.texts;
    t.Click(Ctl::btn_LangSwitch);
    const testing::ShownMessage note =
        english ? testing::ShownMessage{"Das Programm muß neu gestartet werden, um die "
                                        "Sprachänderung zu aktivieren.",
                                        "Hinweis", 64}
                : testing::ShownMessage{
                      "The program needs to be restarted to activate english language.", "Note",
                      64};
    EXPECT_EQ(t.form.messages, std::vector{note});
    EXPECT_EQ(t.settings.values[kKey], english ? "False" : "True");
    EXPECT_TRUE(t.form.ended);
    EXPECT_EQ(t.form.texts, texts);
    EXPECT_EQ(t.form.pictures[Index(Ctl::img_Sprache)], Picture::None);

    // The next start reads what was saved.
    testing::TestWindow next;
    next.settings = t.settings;
    next.window.Form_Load();
    EXPECT_EQ(next.window.English, !english);
  }
}

TEST(LanguageSwitch, SaysSoWhenTheSettingCannotBeSaved) {
  testing::TestWindow t;
  t.settings.failWrites = true;
  t.Click(Ctl::btn_LangSwitch);
  ASSERT_EQ(t.form.messages.size(), 2u);
  EXPECT_EQ(t.form.messages[1].title, "Error");
  EXPECT_EQ(t.form.messages[1].style, 64);
  EXPECT_TRUE(t.form.ended);
}

}  // namespace
}  // namespace orvanto
