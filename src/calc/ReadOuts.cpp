#include <cmath>
#include <string>

#include "app/frm_Main.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

namespace orvanto {

// The read-outs follow every keystroke that leaves a number; while the text is not one (half
// typed, emptied) they keep the last value they showed.

void frm_Main::inp_Bitrate_Change() {
  const NumberSeparators separators = ports_.locale.Separators();
  const std::string text = ports_.form.Text(Ctl::inp_Bitrate);
  if (!IsNumeric(text, separators)) return;
  const double mbit = KavelModules::ParseNumber(text) / 1024 / 1024;
  ports_.form.SetText(Ctl::dsp_MBit,
                      FormatNumber(mbit, NumberPattern::Grouped2Decimals, separators) + " MBit");
}

void frm_Main::inp_Playtime_Change() {
  const NumberSeparators separators = ports_.locale.Separators();
  const std::string text = ports_.form.Text(Ctl::inp_Playtime);
  if (!IsNumeric(text, separators)) return;
  const double seconds = KavelModules::ParseNumber(text);

  // Both minute counts round up on their own: 3599 s reads "60 Min (0h 60m)", never "1h 00m".
  // Everything stays in double (huge texts such as "1e300" are numbers too) and the formatting
  // turns what is not finite into the placeholder.
  const double minutes = std::ceil(seconds / 60);
  const double hours = std::floor(seconds / 3600);
  const double minutesInHour = std::ceil((seconds - 3600 * hours) / 60);
  ports_.form.SetText(Ctl::dsp_Duration,
                      FormatNumber(minutes, NumberPattern::Grouped, separators) + " Min (" +
                          FormatFloor(hours) + "h " +
                          FormatNumber(minutesInHour, NumberPattern::TwoDigits, separators) + "m)");
}

}  // namespace orvanto
