#include "app/frm_Main.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/WindowLayout.h"

namespace orvanto {

void frm_Main::OnEvent(Ctl control, Event event) {
  if (event == Event::Click) {
    if (control == Ctl::btn_LangSwitch) btn_LangSwitch_Click();
    if (control == Ctl::btn_MakeCFFL) btn_MakeCFFL_Click();
    if (control == Ctl::btn_Calculate) btn_Calculate_Click();
    return;
  }
  if (control == Ctl::inp_Bitrate) inp_Bitrate_Change();
  if (control == Ctl::inp_Playtime) inp_Playtime_Change();
}

int frm_Main::Show(Bilingual text, Bilingual title, int style) {
  return ports_.form.ShowMessage(text.In(English), title.In(English), style);
}

int frm_Main::ShowAbout(std::string_view subject, Bilingual before, Bilingual after,
                        Bilingual title, int style) {
  const std::string text =
      std::string(before.In(English)) + std::string(subject) + std::string(after.In(English));
  return ports_.form.ShowMessage(text, title.In(English), style);
}

int frm_Main::AskYesNo(std::string_view germanText, std::string_view englishText) {
  return Show({germanText, englishText}, kTitleQuestion, kStyleAskDefaultNo);
}

void frm_Main::ApplyEnglishCaptions() {
  std::vector<const ControlDesc*> translated;
  for (const ControlDesc& desc : Controls()) {
    if (desc.englishStep > 0) translated.push_back(&desc);
  }
  std::ranges::sort(translated, {}, &ControlDesc::englishStep);
  for (const ControlDesc* desc : translated) ports_.form.SetText(desc->id, desc->english);
}

}  // namespace orvanto
