#include "app/frm_Main.h"
#include "calc/Inputs.h"
#include "common/NumberText.h"

namespace orvanto {

namespace {

// What a movie on a DVD+R/RW usually looks like; a value on a bound is still plausible.
constexpr double kLowBitrate = 3500000, kHighBitrate = 9000000;  // bit/s
constexpr double kShortPlaytime = 4800, kLongPlaytime = 7200;    // seconds
constexpr double kSmallReserve = 0.5, kLargeReserve = 2;         // per cent
constexpr double kSmallDisc = 4.2, kLargeDisc = 4.4;             // GB

constexpr Bilingual kNotNumeric{
    "Mindestens eines der Eingabefelder enthält keinen oder keinen numerischen Wert!",
    "At least one of the input-fields is not numeric or empty!"};

struct Plausibility {
  bool (*doubtful)(Form&);
  Bilingual question;
};

// Asked in this order; the first No ends the checks.
const Plausibility kPlausibility[] = {
    {[](Form& f) { return NumberIn(f, Ctl::inp_Bitrate) < kLowBitrate; },
     {"Die Bitrate ist auffällig niedrig - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
      "The bitrate is conspiciously low - please check! Continue anyway ?"}},
    {[](Form& f) { return NumberIn(f, Ctl::inp_Bitrate) > kHighBitrate; },
     {"Die Bitrate ist auffällig hoch - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
      "The bitrate is conspicously high - please check! Continue anyway ?"}},
    {[](Form& f) { return NumberIn(f, Ctl::inp_Playtime) < kShortPlaytime; },
     {"Die Spieldauer ist auffällig kurz - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
      "The playing time is conspicously short - please check! Continue anyway ?"}},
    {[](Form& f) { return NumberIn(f, Ctl::inp_Playtime) > kLongPlaytime; },
     {"Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
      "The playing time is conspicously long - please check! Continue anyway ?"}},
    {[](Form& f) { return NumberIn(f, Ctl::inp_SafeGuard) < kSmallReserve; },
     {"Die Sicherheitsreserve ist sehr klein! Trotzdem fortfahren ?",
      "The safety reserve is very small! Continue anyway ?"}},
    {[](Form& f) { return NumberIn(f, Ctl::inp_SafeGuard) > kLargeReserve; },
     {"Die Sicherheitsreserve ist auffällig groß! Trotzdem fortfahren ?",
      "The safety reserve is conspicously large! Continue anyway ?"}},
    {[](Form& f) {
       const double target = NumberIn(f, Ctl::inp_DestSize);
       return target < kSmallDisc || target > kLargeDisc;
     },
     {"Die Zielgröße scheint nicht einem DVD-Medium zu entsprechen! Trotzdem fortfahren ?",
      "The destination size seems not to correspond to a DVD+R/RW! Continue anyway ?"}},
    // The sizes as typed: the reserve plays no part, and equal sizes are no reason to ask.
    {[](Form& f) { return NumberIn(f, Ctl::inp_SourceSize) < NumberIn(f, Ctl::inp_DestSize); },
     {"Das Ausgabeverzeichnis paßt ohne Recodierung auf die angegebene Zielgröße! Trotzdem "
      "fortfahren ?",
      "The destination directory fits to the entered destination size without recoding! "
      "Continue anyway ?"}},
};

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
    Show(kNotNumeric, kTitleError, kStyleInfo);
    return false;
  }

  for (const Plausibility& check : kPlausibility) {
    if (check.doubtful(ports_.form) &&
        AskYesNo(check.question.german, check.question.english) == kAnswerNo) {
      return false;
    }
  }
  return true;
}

}  // namespace orvanto
