#include <algorithm>
#include <string>

#include "app/frm_Main.h"
#include "cffl/FolderLists.h"
#include "common/KavelModules.h"
#include "common/Messages.h"
#include "common/NumberText.h"

namespace orvanto {

namespace {

// The drives, with every label read when the whole list is to be seen.
std::vector<DriveInfo> ReadDrives(FileSystem& files, bool labels) {
  std::vector<DriveInfo> drives;
  for (std::string& drive : files.ListDrives()) {
    drives.push_back({std::move(drive), std::nullopt});
    if (labels) drives.back().label = files.DriveLabel(drives.back().drive);
  }
  return drives;
}

}  // namespace

void frm_Main::InitFolderLists() {
  folders_.drives = ReadDrives(ports_.files, false);
  const std::string start = ports_.files.CurrentDirectory();
  folders_.drive = DriveOf(start);
  ShowDriveList();
  if (!ShowDirectoryOf(start)) ShowDirectoryOf(folders_.drive + "\\");
  SetFilePath(folders_.path);
}

void frm_Main::ShowDriveList() {
  std::vector<std::string> items;
  int selected = -1;
  for (DriveInfo& drive : folders_.drives) {
    if (drive.drive == folders_.drive) {
      selected = static_cast<int>(items.size());
      if (!drive.label) drive.label = ports_.files.DriveLabel(drive.drive);
    }
    items.push_back(DriveItemText(drive));
  }
  ports_.form.ShowDrives(items, selected);
}

bool frm_Main::ShowDirectoryOf(std::string_view path) {
  const auto found = ports_.files.ListSubdirectories(path);
  if (!found) return false;
  DirListing listing = BuildDirListing(path, VisibleDirectories(*found));
  folders_.path = listing.paths[static_cast<size_t>(listing.current)];
  folders_.entryPaths = std::move(listing.paths);
  ports_.form.ShowDirectories(listing.entries, listing.current);
  return true;
}

void frm_Main::SetDrive(std::string_view drive) {
  const std::string wanted = DriveOf(drive);
  if (wanted == folders_.drive) return;
  folders_.drive = wanted;
  ShowDriveList();
  lst_Drive_Change();
}

bool frm_Main::SetDirPath(std::string_view path) {
  std::string target(path);
  if (target.size() == 2 && target[1] == ':') {
    // A bare drive stands for that drive's current directory.
    const auto opened = OpenDrive(ports_.files, target);
    if (!opened) return false;
    target = *opened;
  } else if (!ports_.files.DirectoryExists(target)) {
    return false;
  }
  const std::string before = folders_.path;
  if (!ShowDirectoryOf(target)) return false;
  if (!SamePath(before, folders_.path)) lst_Path_Change();
  return true;
}

void frm_Main::SetFilePath(std::string_view path) {
  folders_.filePath = path;
  RefreshFileList();
}

void frm_Main::RefreshFileList() {
  auto names = ports_.files.FindFiles(KavelModules::AddBackslash(folders_.filePath) + "*", 0);
  if (!names) names.emplace();
  SortNames(*names);
  ports_.form.ShowFiles(*names);
}

void frm_Main::ChooseDrive(int index) {
  if (index < 0 || index >= static_cast<int>(folders_.drives.size())) return;
  Run([&] { SetDrive(folders_.drives[static_cast<size_t>(index)].drive); });
}

void frm_Main::OpenDirectory(int index) {
  if (index < 0 || index >= static_cast<int>(folders_.entryPaths.size())) return;
  Run([&] {
    if (SetDirPath(folders_.entryPaths[static_cast<size_t>(index)])) return;
    // The directory went away since the list was shown: show the list as it is now.
    if (!ShowDirectoryOf(folders_.path)) SetDirPath(folders_.drive);
  });
}

void frm_Main::RefreshDrives() {
  if (running_) {
    drivesChanged_ = true;
    return;
  }
  Run([&] { RefreshDriveList(); });
}

void frm_Main::OpenDropped(std::string_view path) {
  if (running_) {
    drop_ = path;
    return;
  }
  Run([&] { OpenPath(path); });
}

void frm_Main::RefreshDriveList() {
  // Runs as the list opens (and when a drive comes or goes): the open list shows every label.
  folders_.drives = ReadDrives(ports_.files, true);
  ShowDriveList();
  if (std::ranges::any_of(folders_.drives,
                          [&](const DriveInfo& d) { return d.drive == folders_.drive; })) {
    return;
  }
  const std::string before = folders_.path;
  FallBackToDriveC();
  // Measured again even where not even C: could be opened: the directory on show is gone.
  if (SamePath(before, folders_.path)) MeasureOutputDir();
}

void frm_Main::OpenPath(std::string_view dropped) {
  const std::string path = CanonicalPath(ports_.files, dropped);
  const std::string drive = DriveOf(path);
  if (drive.empty()) {
    Show(msg::kNotOnADrive, msg::kTitleError, MessageStyle::Info, path);
    return;
  }
  std::string dir = path;
  if (!ports_.files.DirectoryExists(dir)) {
    const size_t slash = dir.rfind('\\');
    dir = slash <= 2 ? drive + "\\" : dir.substr(0, slash);
  }
  SetDrive(drive);
  if (folders_.drive == drive) SetDirPath(dir);
}

void frm_Main::lst_Drive_Change() {
  // A drive that cannot be opened (no medium, not ready): back to C:, without a message.
  if (!SetDirPath(folders_.drive)) FallBackToDriveC();
}

void frm_Main::FallBackToDriveC() {
  SetDrive("C:");
  SetDirPath("c:\\");
  // Where C: cannot be opened either, the drive list goes back to the directory still shown.
  if (DriveOf(folders_.path) != folders_.drive) {
    folders_.drive = DriveOf(folders_.path);
    ShowDriveList();
  }
}

void frm_Main::lst_Path_Change() {
  SetFilePath(folders_.path);
  MeasureOutputDir();
}

void frm_Main::MeasureOutputDir() {
  // A size that could not be measured in full must not pass for the directory's size: the box
  // shows the placeholder instead of a number. The box is an input that the calculation reads
  // German-style like the others, so the size is written that way under any regional settings.
  const auto bytes = MeasureDvdFiles(ports_.files, folders_.path);
  ports_.form.SetText(Ctl::inp_SourceSize,
                      bytes ? FormatNumber(static_cast<double>(*bytes) / 1024 / 1024 / 1024,
                                           NumberPattern::Grouped2Decimals, kTypedSeparators)
                            : std::string(kNoNumber));
}

}  // namespace orvanto
