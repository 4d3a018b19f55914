#include "cffl/CfflFile.h"

#include <algorithm>
#include <array>

#include "app/frm_Main.h"
#include "common/KavelModules.h"
#include "common/TextCase.h"

namespace orvanto {

bool IsUsableFileName(std::string_view name) {
  const bool badCharacter = std::ranges::any_of(name, [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  });
  if (badCharacter) return false;
  // Windows reserves the device names with any extension, and ignores blanks before the dot.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 22> kDevices = {
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  return std::ranges::none_of(
      kDevices, [&](std::string_view device) { return EqualsIgnoringCase(base, device); });
}

bool HasIfoEditNumber(std::string_view name) { return name.find("01") != std::string_view::npos; }

std::string CfflText(const std::vector<std::string>& paths) {
  std::string text = "CFFL\r\n";
  for (const std::string& path : paths) text += path + "\r\n";
  return text;
}

// The names matching `pattern` in `dir`; std::nullopt, after telling the user, when the directory
// cannot be searched (removed meanwhile, drive not ready).
std::optional<std::vector<std::string>> frm_Main::SearchDirectory(const std::string& dir,
                                                                  std::string_view pattern) {
  auto names = ports_.files.FindFiles(dir + std::string(pattern), 0);
  if (!names) {
    ShowAbout(dir, CfflMessages::UnreadableBefore, CfflMessages::UnreadableAfter, kTitleError,
              kStyleInfo);
  }
  return names;
}

void frm_Main::OfferDeletion(const std::string& path, Bilingual question) {
  if (Show(question, kTitleQuestion, kStyleAskDefaultYes) != kAnswerYes) return;
  if (ports_.files.RemoveFile(path)) return;
  ShowAbout(path, CfflMessages::NotDeletedBefore, CfflMessages::NotDeletedAfter, kTitleError,
            kStyleInfo);
}

void frm_Main::btn_MakeCFFL_Click() {
  const std::string name = ports_.form.Text(Ctl::inp_Filename);
  if (name.empty()) {
    Show(CfflMessages::EmptyName, kTitleError, kStyleInfo);
    return;
  }
  if (!IsUsableFileName(name)) {
    ShowAbout(name, CfflMessages::BadNameBefore, CfflMessages::BadNameAfter, kTitleError,
              kStyleInfo);
    return;
  }
  const std::string dir = KavelModules::AddBackslash(folders_.path);
  const std::string fileName = name + ".CFFL";
  const std::string target = dir + fileName;

  if (KavelModules::FileExists(ports_.files, target)) {
    const int answer = ShowAbout(target, CfflMessages::OverwriteBefore,
                                 CfflMessages::OverwriteAfter, kTitleQuestion, kStyleAskDefaultNo);
    if (answer == kAnswerNo) return;
  } else {
    const auto others = SearchDirectory(dir, "*.CFFL");
    if (!others) return;
    // Only the first one counts; the file about to be written is not "another" one.
    const auto other = std::ranges::find_if(
        *others, [&](const std::string& n) { return !EqualsIgnoringCase(n, fileName); });
    if (other != others->end()) OfferDeletion(dir + *other, CfflMessages::OtherCffl);
  }

  const auto markers = SearchDirectory(dir, "*.CFFL.VINF");
  if (!markers) return;
  if (!markers->empty()) OfferDeletion(dir + markers->front(), CfflMessages::Vinf);

  const auto vobs = SearchDirectory(dir, "*.VOB");
  if (!vobs) return;
  std::vector<std::string> paths;
  bool nameWarning = false;
  for (const std::string& vob : *vobs) {
    paths.push_back(dir + vob);
    if (!HasIfoEditNumber(vob)) nameWarning = true;
  }
  std::ranges::sort(paths);  // ordinal: std::string compares its bytes unsigned

  if (nameWarning &&
      Show(CfflMessages::NameWarning, kTitleQuestion, kStyleAskDefaultNo) == kAnswerNo)
    return;
  if (paths.empty()) {
    Show(CfflMessages::NoVob, kTitleError, kStyleInfo);
    return;
  }
  WriteCffl(target, paths);
}

void frm_Main::WriteCffl(const std::string& target, const std::vector<std::string>& paths) {
  // A path the ANSI code page cannot hold would reach Quenza corrupted: refuse before writing.
  for (const std::string& path : paths) {
    if (ports_.files.ToAnsi(path)) continue;
    ShowAbout(path, CfflMessages::NotAnsiBefore, CfflMessages::NotAnsiAfter, kTitleError,
              kStyleInfo);
    return;
  }
  const auto bytes = ports_.files.ToAnsi(CfflText(paths));
  if (bytes && ports_.files.WriteWholeFile(target, *bytes)) {
    RefreshFileList();
    Show(CfflMessages::Written, kTitleNote, kStyleInfo);
  } else {
    Show(CfflMessages::WriteFailed, kTitleError, kStyleInfo);
    RefreshFileList();
  }
}

}  // namespace orvanto
