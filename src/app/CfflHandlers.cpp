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
  if (!names) Show(msg::kUnreadable, msg::kTitleError, MessageStyle::Info, dir);
  return names;
}

bool frm_Main::OfferDeletion(const std::string& path, const Message& question) {
  // No keeps the file and goes on; an answer that is neither Yes nor No means the window went.
  const Answer answer = Show(question, msg::kTitleQuestion, MessageStyle::AskDefaultYes);
  if (answer != Answer::Yes) return answer == Answer::No;
  if (ports_.files.RemoveFile(path)) return true;
  return Show(msg::kNotDeleted, msg::kTitleError, MessageStyle::Info, path) != Answer::None;
}

void frm_Main::btn_MakeCFFL_Click() {
  const std::string name = ports_.form.Text(Ctl::inp_Filename);
  if (name.empty()) {
    Show(msg::kEmptyName, msg::kTitleError, MessageStyle::Info);
    return;
  }
  if (!IsUsableFileName(name)) {
    Show(msg::kBadName, msg::kTitleError, MessageStyle::Info, name);
    return;
  }
  const std::string dir = KavelModules::AddBackslash(folders_.path);
  const std::string fileName = name + ".CFFL";
  const std::string target = dir + fileName;

  // Only an explicit Yes writes: a box closed with its window answers neither Yes nor No.
  if (KavelModules::FileExists(ports_.files, target)) {
    if (Show(msg::kOverwrite, msg::kTitleQuestion, MessageStyle::AskDefaultNo, target) !=
        Answer::Yes) {
      return;
    }
  } else {
    const auto others = SearchDirectory(dir, "*.CFFL");
    if (!others) return;
    const auto other = OtherCfflFile(*others, fileName);
    if (other && !OfferDeletion(dir + *other, msg::kOtherCffl)) return;
  }

  const auto markers = SearchDirectory(dir, "*.CFFL.VINF");
  if (!markers) return;
  if (!markers->empty() && !OfferDeletion(dir + markers->front(), msg::kVinf)) return;

  const auto vobs = SearchDirectory(dir, "*.VOB");
  if (!vobs) return;
  const VobList list = ListVobs(dir, *vobs);
  if (list.nameWarning &&
      Show(msg::kNameWarning, msg::kTitleQuestion, MessageStyle::AskDefaultNo) != Answer::Yes) {
    return;
  }
  if (list.paths.empty()) {
    Show(msg::kNoVob, msg::kTitleError, MessageStyle::Info);
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
    Show(msg::kNotAnsi, msg::kTitleError, MessageStyle::Info, path);
    return;
  }
  const auto bytes = ports_.files.ToAnsi(CfflText(paths));
  if (bytes && ports_.files.WriteWholeFile(target, *bytes)) {
    RefreshFileList();
    Show(msg::kWritten, msg::kTitleNote, MessageStyle::Info);
  } else {
    Show(msg::kWriteFailed, msg::kTitleError, MessageStyle::Info);
    RefreshFileList();
  }
}

}  // namespace orvanto
