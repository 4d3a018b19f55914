#include <cmath>
#include <limits>
#include <string>

#include "app/frm_Main.h"
#include "calc/Inputs.h"
#include "common/NumberText.h"

namespace orvanto {

// Absurd inputs ("1E400", a playing time of 0) overflow or divide by zero. The results are then
// IEEE infinities or NaN, which the number display shows as a placeholder, and they never reach
// the range bar or the new bitrate.
static_assert(std::numeric_limits<double>::is_iec559);

void frm_Main::btn_Calculate_Click() {
  if (!CheckInputs()) return;

  Form& form = ports_.form;
  const NumberSeparators separators = ports_.locale.Separators();
  const auto showMegabytes = [&](Ctl label, double megabytes) {
    form.SetText(label,
                 FormatNumber(megabytes, NumberPattern::Grouped2Decimals, separators) + " MB");
  };

  // Sizes in MB (1 GB = 1024 MB), the audio passing through the re-encoder unchanged.
  const double source = NumberIn(form, Ctl::inp_SourceSize) * 1024;
  const double keep = (100 - NumberIn(form, Ctl::inp_SafeGuard)) / 100;
  const double target = NumberIn(form, Ctl::inp_DestSize) * 1024 * keep;
  const double playtime = NumberIn(form, Ctl::inp_Playtime);
  const double movieRate = NumberIn(form, Ctl::inp_Bitrate) / 8 / 1024 / 1024;  // MB/s

  const double movie = movieRate * playtime;
  showMegabytes(Ctl::dsp_FilmSize, movie);
  const double audio = source - movie;
  showMegabytes(Ctl::dsp_AudioSize, audio);
  showMegabytes(Ctl::dsp_DestAudioSize, audio);
  const double newMovie = target - audio;
  showMegabytes(Ctl::dsp_DestFilmSize, newMovie);
  showMegabytes(Ctl::dsp_SumSource, movie + audio);
  showMegabytes(Ctl::dsp_SumDest, newMovie + audio);

  const double factor = newMovie / movie * 100;
  form.SetText(Ctl::dsp_DestFactor, FormatFloor(factor) + "%");
  if (!(factor > 0 && factor <= 100)) return;

  const double newBitrate = NumberIn(form, Ctl::inp_Bitrate) * factor / 100;
  // A bitrate beyond the range of double has no place on the bar nor a text to show.
  if (!std::isfinite(newBitrate)) return;
  DrawRangeBar(newBitrate);
  form.SetText(
      Ctl::dsp_NewBr,
      FormatNumber(newBitrate / 1024, NumberPattern::GroupedNoZero, separators) + " KBit/s");
}

}  // namespace orvanto
