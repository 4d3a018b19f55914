// A whole calculation as a user makes it: five texts typed into the boxes (source, target,
// playing time, bitrate, reserve, split at "|"), then a click on the button. The first byte picks
// the separator set (bits 0-1), the language (bit 2) and which question, counted from 1, is
// answered No (bits 3-7; 0 answers every question Yes). Properties: the click touches no file,
// setting or input box, and either refuses (one error, nothing changed), or asks questions and
// stops at a No with nothing changed, or fills the seven result labels with well-formed text; the
// new bitrate and the bar change together or not at all, the bar within its scale; nothing else
// of the window changes.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Fakes.h"
#include "FuzzSupport.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

constexpr Ctl kInputs[] = {Ctl::inp_SourceSize, Ctl::inp_DestSize, Ctl::inp_Playtime,
                           Ctl::inp_Bitrate, Ctl::inp_SafeGuard};
constexpr Ctl kSizes[] = {Ctl::dsp_FilmSize,     Ctl::dsp_AudioSize, Ctl::dsp_DestAudioSize,
                          Ctl::dsp_DestFilmSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest};

// `text` is a number in the pattern (or the placeholder) followed by `unit`.
bool Shows(std::string_view text, std::string_view unit, const NumberSeparators& s, int decimals) {
  if (!text.ends_with(unit)) return false;
  text.remove_suffix(unit.size());
  if (text == kNoNumber) return true;
  if (decimals < 0) return text.empty() || IsGroupedNumber(text, s, 0);  // "#,##"
  if (decimals > 0) return IsGroupedNumber(text, s, decimals);
  return Digits(text.substr(text.starts_with('-'))) == text.size() - text.starts_with('-');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberSeparators& s = kRegions[data[0] & 3];
  const int noAt = data[0] >> 3;
  testing::TestWindow t;
  t.locale.separators = s;
  t.Load((data[0] & 4) != 0);
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  for (const Ctl box : kInputs) {
    const size_t bar = box != Ctl::inp_SafeGuard ? rest.find('|') : std::string_view::npos;
    t.Type(box, rest.substr(0, bar));
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
  }
  for (int q = 1; q <= 8; ++q) t.form.answers.push_back(q == noAt ? kAnswerNo : kAnswerYes);
  t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
  const auto before = t.form.texts;
  const auto settings = t.settings.values;
  const int calls = t.files.calls;
  t.form.messages.clear();
  t.Click(Ctl::btn_Calculate);

  FUZZ_CHECK(t.files.calls == calls && t.settings.values == settings && !t.form.ended);
  for (const Ctl box : kInputs) FUZZ_CHECK(t.form.texts[Index(box)] == before[Index(box)]);
  const auto& said = t.form.messages;
  const bool refused = said.size() == 1 && said[0].style == kStyleInfo;
  const bool stopped = noAt > 0 && said.size() == static_cast<size_t>(noAt);
  for (size_t i = refused ? 1 : 0; i < said.size(); ++i) {
    FUZZ_CHECK(said[i].style == kStyleAskDefaultNo);
  }
  if (refused || stopped) {
    FUZZ_CHECK(t.form.texts == before && t.canvas.ops.empty());
    return 0;
  }
  for (const Ctl label : kSizes) FUZZ_CHECK(Shows(t.form.Text(label), " MB", s, 2));
  FUZZ_CHECK(Shows(t.form.Text(Ctl::dsp_DestFactor), "%", s, 0));
  const bool newBitrate = t.form.Text(Ctl::dsp_NewBr) != "earlier";
  FUZZ_CHECK(newBitrate == !t.canvas.ops.empty());
  if (newBitrate) {
    FUZZ_CHECK(Shows(t.form.Text(Ctl::dsp_NewBr), " KBit/s", s, -1));
    FUZZ_CHECK(t.canvas.ops.size() == 104 && t.canvas.ops.back().kind == 'L');
    const float x = t.canvas.ops.back().x1;
    FUZZ_CHECK(std::isfinite(x) && x >= -100 && x <= 100 && t.canvas.ops.back().x2 == x);
  }
  auto expected = t.form.texts;
  for (const Ctl label : kSizes) expected[Index(label)] = before[Index(label)];
  expected[Index(Ctl::dsp_DestFactor)] = before[Index(Ctl::dsp_DestFactor)];
  expected[Index(Ctl::dsp_NewBr)] = before[Index(Ctl::dsp_NewBr)];
  FUZZ_CHECK(expected == before);
  return 0;
}
