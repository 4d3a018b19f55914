#include <string>

#include "app/Version.h"
#include "app/frm_Main.h"
#include "common/NumberText.h"
#include "common/TextCase.h"

namespace orvanto {

namespace {

constexpr std::string_view kApp = "Tolva";
constexpr std::string_view kSection = "Settings";
constexpr std::string_view kKey = "English";

// The stored language: what the switch writes for English and for German. Anything else,
// the empty text included, reads as German.
constexpr std::string_view kStoredTrue = "True";
constexpr std::string_view kStoredFalse = "False";

constexpr Bilingual kSettingNotSaved{
    "Die Spracheinstellung konnte nicht gespeichert werden. Das Programm startet wieder in der "
    "bisherigen Sprache.",
    "The language setting could not be saved. The program will start in its current language "
    "again."};

}  // namespace

void frm_Main::Form_Load() {
  English = EqualsIgnoringCase(ports_.settings.Read(kApp, kSection, kKey), kStoredTrue);
  // The flag shows the language the switch offers, the other one.
  ports_.form.CopyPicture(English ? Ctl::img_Deutsch : Ctl::img_English, Ctl::img_Sprache);
  ports_.form.SetTitle(
      ports_.form.Title() + " V" + std::to_string(ORVANTO_VERSION_MAJOR) + "." +
      FormatNumber(ORVANTO_VERSION_MINOR, NumberPattern::TwoDigits, ports_.locale.Separators()) +
      "." + std::to_string(ORVANTO_VERSION_REVISION));
  MeasureOutputDir();
  if (English) ApplyEnglishCaptions();
}

void frm_Main::btn_LangSwitch_Click() {
  // The note speaks the language being switched to.
  if (English) {
    ports_.form.ShowMessage(
        "Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren.", "Hinweis",
        kStyleInfo);
  } else {
    ports_.form.ShowMessage("The program needs to be restarted to activate english language.",
                            "Note", kStyleInfo);
  }
  English = !English;
  if (!ports_.settings.Write(kApp, kSection, kKey, English ? kStoredTrue : kStoredFalse)) {
    Show(kSettingNotSaved, kTitleError, kStyleInfo);
  }
  ports_.form.EndProgram();
}

}  // namespace orvanto
