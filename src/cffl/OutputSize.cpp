#include "app/frm_Main.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

namespace orvanto {

void frm_Main::MeasureOutputDir() {
  const std::string dir = KavelModules::AddBackslash(folders_.path);
  std::uint64_t total = 0;
  bool complete = true;
  for (const char* pattern : {"*.BUP", "*.IFO", "*.VOB"}) {
    const auto names = ports_.files.FindFiles(dir + pattern, 0);
    if (!names) {
      complete = false;
      break;
    }
    for (const std::string& name : *names) {
      const auto length = ports_.files.FileLength(dir + name);
      if (!length) {
        complete = false;
        break;
      }
      total += *length;
    }
  }
  // A size that could not be measured in full must not pass for the directory's size: the box
  // shows the placeholder instead of a number. The box is an input that the calculation reads
  // German-style like the others, so the size is written that way under any regional settings.
  const double gigabytes = static_cast<double>(total) / 1024 / 1024 / 1024;
  ports_.form.SetText(Ctl::inp_SourceSize,
                      complete ? FormatNumber(gigabytes, NumberPattern::Grouped2Decimals,
                                              kTypedSeparators)
                               : std::string(kNoNumber));
}

}  // namespace orvanto
