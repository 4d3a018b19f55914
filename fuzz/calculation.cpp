// A whole calculation as a user makes it: five texts typed into the boxes (source, target,
// playing time, bitrate, reserve, split at "|"), then a click on the button. The first byte picks
// the separator set (bits 0-1), the language (bit 2) and which question, counted from 1, is
// answered No (bits 3-7; 0 answers every question Yes). Properties: the click touches no file,
// setting or input box, and either refuses (one error, nothing written), or asks questions and
// stops at a No with nothing written, or writes only the result labels, each with well-formed
// text; the new bitrate and the bar change together or not at all, the bar within its scale.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Fakes.h"
#include "FuzzSupport.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

// `text` is `unit` after a number grouped with `decimals` decimals, a plain integer (-1), or the
// placeholder; `empty` lets "#,##" show nothing for what rounds to zero.
bool Shows(std::string_view text, std::string_view unit, const NumberSeparators& s, int decimals,
           bool empty = false) {
  if (!text.ends_with(unit)) return false;
  text.remove_suffix(unit.size());
  if (text == kNoNumber || (empty && text.empty())) return true;
  if (decimals >= 0) return IsGroupedNumber(text, s, decimals);
  text.remove_prefix(text.starts_with('-'));
  return !text.empty() && Digits(text) == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberSeparators& s = kRegions[data[0] & 3];
  const size_t noAt = data[0] >> 3;
  fakes::TestWindow t;
  t.locale.separators = s;
  t.Load((data[0] & 4) != 0);
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  for (const Ctl box : fakes::kCalcInputs) {
    const size_t bar = std::min(rest.find('|'), rest.size());
    t.Type(box, rest.substr(0, bar));
    rest.remove_prefix(std::min(bar + 1, rest.size()));
  }
  for (size_t q = 1; q <= 8; ++q) t.form.answers.push_back(q == noAt ? Answer::No : Answer::Yes);
  t.form.texts[Index(Ctl::dsp_NewBr)] = "earlier";
  const auto settings = t.settings.values;
  const int calls = t.files.calls;
  t.form.messages.clear();
  t.form.textWrites.clear();
  t.Click(Ctl::btn_Calculate);

  FUZZ_CHECK(t.files.calls == calls && t.settings.values == settings && !t.form.ended);
  const auto& said = t.form.messages;
  const bool refused = !said.empty() && said[0].style == MessageStyle::Info;
  FUZZ_CHECK(!refused || said.size() == 1);
  for (const auto& m : said) FUZZ_CHECK(refused || m.style == MessageStyle::AskDefaultNo);
  if (refused || (noAt > 0 && said.size() == noAt)) {
    FUZZ_CHECK(t.form.textWrites.empty() && t.canvas.ops.empty());
    return 0;
  }
  for (const Ctl label : t.form.textWrites)
    FUZZ_CHECK(std::ranges::count(fakes::kCalcResults, label) == 1);
  for (size_t i = 0; i < 6; ++i)
    FUZZ_CHECK(Shows(t.form.Text(fakes::kCalcResults[i]), " MB", s, 2));
  FUZZ_CHECK(Shows(t.form.Text(Ctl::dsp_DestFactor), "%", s, -1));
  const bool newBitrate = t.form.Text(Ctl::dsp_NewBr) != "earlier";
  FUZZ_CHECK(newBitrate == !t.canvas.ops.empty());
  FUZZ_CHECK(t.form.textWrites.size() == (newBitrate ? 8u : 7u));
  if (newBitrate) {
    FUZZ_CHECK(Shows(t.form.Text(Ctl::dsp_NewBr), " KBit/s", s, 0, true));
    const auto& marker = t.canvas.ops.back();
    FUZZ_CHECK(t.canvas.ops.size() == 104 && marker.kind == 'L' && marker.x2 == marker.x1);
    FUZZ_CHECK(std::isfinite(marker.x1) && marker.x1 >= -100 && marker.x1 <= 100);
  }
  return 0;
}
