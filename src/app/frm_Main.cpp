#include "app/frm_Main.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/Version.h"
#include "app/WindowLayout.h"
#include "common/Messages.h"
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

}  // namespace

void frm_Main::OnEvent(Ctl control, Event event) {
  Run([&] {
    if (event == Event::Click) {
      if (control == Ctl::btn_LangSwitch) btn_LangSwitch_Click();
      if (control == Ctl::btn_MakeCFFL) btn_MakeCFFL_Click();
      if (control == Ctl::btn_Calculate) btn_Calculate_Click();
      return;
    }
    if (control == Ctl::inp_Bitrate) inp_Bitrate_Change();
    if (control == Ctl::inp_Playtime) inp_Playtime_Change();
  });
}

void frm_Main::ApplyKept() {
  // Each may wait on a message box again, and keep further ones meanwhile.
  while (!closed_ && (drivesChanged_ || drop_)) {
    if (std::exchange(drivesChanged_, false)) {
      RefreshDriveList();
    } else {
      OpenPath(*std::exchange(drop_, std::nullopt));
    }
  }
}

void frm_Main::WindowClosed() { closed_ = true; }

Answer frm_Main::Show(const Message& text, const Message& title, MessageStyle style,
                      std::string_view subject) {
  return ports_.form.ShowMessage(text.Text(English, subject), title.Text(English), style);
}

Answer frm_Main::AskYesNo(const Message& question) {
  return Show(question, msg::kTitleQuestion, MessageStyle::AskDefaultNo);
}

void frm_Main::ApplyEnglishCaptions() {
  std::vector<const ControlDesc*> translated;
  for (const ControlDesc& desc : Controls()) {
    if (desc.englishStep > 0) translated.push_back(&desc);
  }
  std::ranges::sort(translated, {}, &ControlDesc::englishStep);
  for (const ControlDesc* desc : translated) ports_.form.SetText(desc->id, desc->english);
}

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
  English = !English;
  // The note speaks the language being switched to.
  // The click was the consent: the setting is saved however the note ends.
  Show(msg::kRestart, msg::kTitleNote, MessageStyle::Info);
  if (!ports_.settings.Write(kApp, kSection, kKey, English ? kStoredTrue : kStoredFalse)) {
    Show(msg::kSettingNotSaved, msg::kTitleError, MessageStyle::Info);
  }
  ports_.form.EndProgram();
}

}  // namespace orvanto
