#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cffl/FolderLists.h"
#include "common/Message.h"
#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/FileSystem.h"
#include "platform/Form.h"
#include "platform/NumberLocale.h"
#include "platform/SettingsStore.h"

namespace orvanto {

// Everything through which the window's procedures reach the outside world.
struct Ports {
  Form& form;
  Canvas& canvas;
  FileSystem& files;
  SettingsStore& settings;
  NumberLocale& locale;
};

enum class Event { Click, Change };

// The main window's state and procedures. The platform layer owns the real window and forwards
// each control event to OnEvent, and the lists' and the window's events to the entry points below.
// One entry point runs at a time, to its end: a handler may wait on a message box, which lets the
// window's messages through, and nothing may change under an open question. So an entry point
// called while another runs does nothing, except that drive announcements and drops are kept and
// applied once it has ended (of several drops, the last).
class frm_Main {
 public:
  explicit frm_Main(const Ports& ports) : ports_(ports) {}

  // Runs the handler of `event` on `control`; events without a handler do nothing.
  void OnEvent(Ctl control, Event event);

  // The folder lists as the window is created: on the process's current drive and directory.
  void InitFolderLists();
  // The user picked line `index` of the drive list, or opened line `index` of the directory list.
  void ChooseDrive(int index);
  void OpenDirectory(int index);

  // The drive list anew, when the user opens it or Windows announces a volume. The drive on show
  // stays selected; where it went away, the lists fall back as a failed drive change does.
  void RefreshDrives();
  // A folder dropped on the window opens as if the user had gone there; a file, its folder. The
  // path is taken as Windows writes it (CanonicalPath).
  void OpenDropped(std::string_view path);
  // The window is gone (closed, or the Windows session ends), perhaps while a handler still waits
  // on a message box: nothing kept is applied, and no entry point runs any more.
  void WindowClosed();

  // The user's high-contrast mode, at start and whenever it changes: the range bar is drawn again
  // in the colours of the mode.
  void SetHighContrast(bool on);

  void Form_Load();
  // Puts the size of the directory open in the lists into inp_SourceSize.
  void MeasureOutputDir();

 private:
  // Step 1 (app/CfflHandlers.cpp) and the folder lists (app/FolderHandlers.cpp).
  void btn_MakeCFFL_Click();
  void lst_Drive_Change();
  void lst_Path_Change();
  // Step 2 (app/CalculationHandlers.cpp).
  void btn_Calculate_Click();
  bool CheckInputs();
  void DrawRangeBar(double newBitrate);
  void inp_Bitrate_Change();
  void inp_Playtime_Change();
  // Start-up and language (app/frm_Main.cpp).
  void btn_LangSwitch_Click();
  void ApplyEnglishCaptions();

  // Runs `work` as an entry point: not at all while another runs or once the window is gone;
  // afterwards what was kept meanwhile.
  template <typename Work>
  void Run(Work&& work) {
    if (running_ || closed_) return;
    running_ = true;
    work();
    ApplyKept();
    running_ = false;
  }
  void ApplyKept();
  void RefreshDriveList();
  void OpenPath(std::string_view dropped);

  // A message box in the current language; `subject` fills the message's slot.
  Answer Show(const Message& text, const Message& title, MessageStyle style,
              std::string_view subject = {});
  // A Yes/No question, No preselected.
  Answer AskYesNo(const Message& question);

  // The lists' properties: setting a value that differs raises the list's change event at once.
  void SetDrive(std::string_view drive);
  bool SetDirPath(std::string_view path);  // false when the directory cannot be opened
  void SetFilePath(std::string_view path);
  void RefreshFileList();
  void ShowDriveList();
  void FallBackToDriveC();
  bool ShowDirectoryOf(std::string_view path);

  std::optional<std::vector<std::string>> SearchDirectory(const std::string& dir,
                                                          std::string_view pattern);
  // False when the run must end: the window went while the question or its note was open.
  bool OfferDeletion(const std::string& path, const Message& question);
  void WriteCffl(const std::string& dir, const std::string& target,
                 const std::vector<std::string>& paths);

  Ports ports_;
  FolderListState folders_;
  bool English = false;  // true selects English texts
  bool running_ = false;
  bool closed_ = false;
  bool drivesChanged_ = false;       // Windows announced a volume while an entry point ran
  std::optional<std::string> drop_;  // the last path dropped meanwhile
  bool highContrast_ = false;
  std::optional<double> barBitrate_;  // the new bitrate the range bar marks, once it marks one
};

}  // namespace orvanto
