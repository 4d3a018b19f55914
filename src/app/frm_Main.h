#pragma once

#include <string_view>

#include "app/Messages.h"
#include "cffl/FolderLists.h"
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
// each control event to OnEvent; the handlers run to their end before the next event.
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

  void Form_Load();
  void btn_LangSwitch_Click();
  void lst_Drive_Change();
  void lst_Path_Change();
  void MeasureOutputDir();
  void btn_MakeCFFL_Click();

  // Asks a Yes/No question in the current language, No preselected; returns the answer code.
  int AskYesNo(std::string_view germanText, std::string_view englishText);
  void ApplyEnglishCaptions();

  // Step 2: the calculation behind "Berechnen", its gate, the range bar and the live read-outs.
  void btn_Calculate_Click();
  bool CheckInputs();
  void DrawRangeBar(double newBitrate);
  void inp_Bitrate_Change();
  void inp_Playtime_Change();

  // True selects English texts.
  bool English = false;

 private:
  int Show(Bilingual text, Bilingual title, int style);

  // The lists' properties: setting a value that differs raises the list's change event at once.
  void SetDrive(std::string_view drive);
  bool SetDirPath(std::string_view path);  // false when the directory cannot be opened
  void SetFilePath(std::string_view path);
  void RefreshFileList();
  void ShowDriveList();
  bool ShowDirectoryOf(std::string_view path);

  // A message built around `subject`, such as a path: before + subject + after.
  int ShowAbout(std::string_view subject, Bilingual before, Bilingual after, Bilingual title,
                int style);
  std::optional<std::vector<std::string>> SearchDirectory(const std::string& dir,
                                                          std::string_view pattern);
  void OfferDeletion(const std::string& path, Bilingual question);
  void WriteCffl(const std::string& target, const std::vector<std::string>& paths);

  Ports ports_;
  FolderListState folders_;
};

}  // namespace orvanto
