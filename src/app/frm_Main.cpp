#include "app/frm_Main.h"

#include <algorithm>
#include <vector>

#include "app/WindowLayout.h"

namespace orvanto {

void frm_Main::OnEvent(Ctl control, Event event) {
  if (event == Event::Click && control == Ctl::btn_LangSwitch) btn_LangSwitch_Click();
  if (event == Event::Click && control == Ctl::btn_Calculate) btn_Calculate_Click();
  if (event == Event::Change && control == Ctl::inp_Bitrate) inp_Bitrate_Change();
  if (event == Event::Change && control == Ctl::inp_Playtime) inp_Playtime_Change();
}

int frm_Main::Show(Bilingual text, Bilingual title, int style) {
  return ports_.form.ShowMessage(text.In(English), title.In(English), style);
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
