#include <algorithm>
#include <string>

#include "app/WindowLayout.h"
#include "app/frm_Main.h"
#include "calc/Calculation.h"
#include "common/KavelModules.h"
#include "common/Messages.h"
#include "common/NumberText.h"

namespace orvanto {

namespace {

// The number a text box holds, read German-style whatever the regional settings say.
double NumberIn(Form& form, Ctl box) { return KavelModules::ParseNumber(form.Text(box)); }

CalcInputs ReadInputs(Form& form) {
  return {.sourceGb = NumberIn(form, Ctl::inp_SourceSize),
          .targetGb = NumberIn(form, Ctl::inp_DestSize),
          .playtime = NumberIn(form, Ctl::inp_Playtime),
          .bitrate = NumberIn(form, Ctl::inp_Bitrate),
          .reservePercent = NumberIn(form, Ctl::inp_SafeGuard)};
}

}  // namespace

bool frm_Main::CheckInputs() {
  // The source size is measured, not typed, so it is read whatever it holds (empty reads as 0).
  const NumberSeparators separators = ports_.locale.Separators();
  bool numeric = true;
  for (const Ctl box :
       {Ctl::inp_DestSize, Ctl::inp_Playtime, Ctl::inp_Bitrate, Ctl::inp_SafeGuard}) {
    numeric = IsNumeric(ports_.form.Text(box), separators) && numeric;
  }
  if (!numeric) {
    Show(msg::kNotNumeric, msg::kTitleError, MessageStyle::Info);
    return false;
  }
  // Only Yes goes on: the first other answer ends the checks. The boxes cannot change while a
  // question is open.
  return std::ranges::all_of(Doubts(ReadInputs(ports_.form)), [this](const Message* question) {
    return AskYesNo(*question) == Answer::Yes;
  });
}

void frm_Main::btn_Calculate_Click() {
  if (!CheckInputs()) return;

  Form& form = ports_.form;
  const NumberSeparators separators = ports_.locale.Separators();
  const CalcResult r = Calculate(ReadInputs(form));
  const auto showMegabytes = [&](Ctl label, double megabytes) {
    form.SetText(label,
                 FormatNumber(megabytes, NumberPattern::Grouped2Decimals, separators) + " MB");
  };
  showMegabytes(Ctl::dsp_FilmSize, r.movie);
  showMegabytes(Ctl::dsp_AudioSize, r.audio);
  showMegabytes(Ctl::dsp_DestAudioSize, r.audio);
  showMegabytes(Ctl::dsp_DestFilmSize, r.newMovie);
  showMegabytes(Ctl::dsp_SumSource, r.sumSource);
  showMegabytes(Ctl::dsp_SumDest, r.sumDest);
  form.SetText(Ctl::dsp_DestFactor, FormatFloor(r.factor) + "%");
  if (!r.HasNewBitrate()) return;
  DrawRangeBar(r.newBitrate);
  form.SetText(
      Ctl::dsp_NewBr,
      FormatNumber(r.newBitrate / 1024, NumberPattern::GroupedNoZero, separators) + " KBit/s");
}

void frm_Main::DrawRangeBar(double newBitrate) {
  barBitrate_ = newBitrate;
  Canvas& canvas = ports_.canvas;
  canvas.Clear();
  canvas.SetScale(100, 100);
  // Each rectangle is five units wide but the next starts one unit on, so the band shows step i
  // between i and i + 1 without gaps; the overhang past the right edge is clipped.
  for (int i = 0; i <= 100; ++i) {
    canvas.FillRect(static_cast<float>(i), 20, static_cast<float>(i + 5), 80, BandColour(i));
  }
  // The band's colours carry its meaning and stay; in high contrast the marker takes the scheme's
  // text colour, and a frame in it shows where the bar ends on any background.
  Colour ink = Rgb{0, 0, 0};
  if (highContrast_) {
    ink = ColoursOf(Describe(Ctl::pct_Range), true).text;
    canvas.Line(0, 0, 100, 0, ink);
    canvas.Line(0, 100, 100, 100, ink);
    canvas.Line(0, 0, 0, 100, ink);
    canvas.Line(100, 0, 100, 100, ink);
  }
  const auto marker = static_cast<float>(MarkerPosition(newBitrate));
  canvas.Line(marker, 0, marker, 100, ink);
}

void frm_Main::SetHighContrast(bool on) {
  if (on == highContrast_) return;
  highContrast_ = on;
  if (barBitrate_) DrawRangeBar(*barBitrate_);
}

// The read-outs follow every keystroke that leaves a number; while the text is not one (half
// typed, emptied) they keep the last value they showed.

void frm_Main::inp_Bitrate_Change() {
  const NumberSeparators separators = ports_.locale.Separators();
  const std::string text = ports_.form.Text(Ctl::inp_Bitrate);
  if (!IsNumeric(text, separators)) return;
  ports_.form.SetText(Ctl::dsp_MBit, BitrateReadOut(KavelModules::ParseNumber(text), separators));
}

void frm_Main::inp_Playtime_Change() {
  const NumberSeparators separators = ports_.locale.Separators();
  const std::string text = ports_.form.Text(Ctl::inp_Playtime);
  if (!IsNumeric(text, separators)) return;
  ports_.form.SetText(Ctl::dsp_Duration,
                      DurationReadOut(KavelModules::ParseNumber(text), separators));
}

}  // namespace orvanto
