#include <string>
#include <vector>

#include "app/frm_Main.h"
#include "cffl/CfflFile.h"
#include "common/KavelModules.h"
#include "common/Messages.h"

namespace orvanto {

// The names matching `pattern` in `dir`; std::nullopt, after telling the user, when the directory
// cannot be searched (removed meanwhile, drive not ready).
std::optional<std::vector<std::string>> frm_Main::SearchDirectory(const std::string& dir,
                                                                  std::string_view pattern) {
  auto names = ports_.files.FindFiles(dir + std::string(pattern), 0);
  if (!names) Show(msg::kUnreadable, msg::kTitleError, kStyleInfo, dir);
  return names;
}

void frm_Main::OfferDeletion(const std::string& path, const Message& question) {
  if (Show(question, msg::kTitleQuestion, kStyleAskDefaultYes) != kAnswerYes) return;
  if (ports_.files.RemoveFile(path)) return;
  Show(msg::kNotDeleted, msg::kTitleError, kStyleInfo, path);
}

void frm_Main::btn_MakeCFFL_Click() {
  const std::string name = ports_.form.Text(Ctl::inp_Filename);
  if (name.empty()) {
    Show(msg::kEmptyName, msg::kTitleError, kStyleInfo);
    return;
  }
  if (!IsUsableFileName(name)) {
    Show(msg::kBadName, msg::kTitleError, kStyleInfo, name);
    return;
  }
  const std::string dir = KavelModules::AddBackslash(folders_.path);
  const std::string fileName = name + ".CFFL";
  const std::string target = dir + fileName;

  if (KavelModules::FileExists(ports_.files, target)) {
    if (Show(msg::kOverwrite, msg::kTitleQuestion, kStyleAskDefaultNo, target) == kAnswerNo) {
      return;
    }
  } else {
    const auto others = SearchDirectory(dir, "*.CFFL");
    if (!others) return;
    if (const auto other = OtherCfflFile(*others, fileName)) {
      OfferDeletion(dir + *other, msg::kOtherCffl);
    }
  }

  const auto markers = SearchDirectory(dir, "*.CFFL.VINF");
  if (!markers) return;
  if (!markers->empty()) OfferDeletion(dir + markers->front(), msg::kVinf);

  const auto vobs = SearchDirectory(dir, "*.VOB");
  if (!vobs) return;
  const VobList list = ListVobs(dir, *vobs);
  if (list.nameWarning &&
      Show(msg::kNameWarning, msg::kTitleQuestion, kStyleAskDefaultNo) == kAnswerNo) {
    return;
  }
  if (list.paths.empty()) {
    Show(msg::kNoVob, msg::kTitleError, kStyleInfo);
    return;
  }
  WriteCffl(dir, target, list.paths);
}

void frm_Main::WriteCffl(const std::string& dir, const std::string& target,
                         const std::vector<std::string>& paths) {
  // A path the ANSI code page cannot hold, or one that cannot stand on a line, would reach Quenza
  // corrupted or name another file: refuse before writing.
  for (const std::string& path : paths) {
    if (FitsOnACfflLine(dir, std::string_view(path).substr(dir.size())) &&
        ports_.files.ToAnsi(path)) {
      continue;
    }
    Show(msg::kNotAnsi, msg::kTitleError, kStyleInfo, path);
    return;
  }
  const auto bytes = ports_.files.ToAnsi(CfflText(paths));
  if (bytes && ports_.files.WriteWholeFile(target, *bytes)) {
    RefreshFileList();
    Show(msg::kWritten, msg::kTitleNote, kStyleInfo);
  } else {
    Show(msg::kWriteFailed, msg::kTitleError, kStyleInfo);
    RefreshFileList();
  }
}

}  // namespace orvanto
