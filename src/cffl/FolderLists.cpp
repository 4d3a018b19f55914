#include "cffl/FolderLists.h"

#include <algorithm>

#include "app/frm_Main.h"
#include "common/KavelModules.h"
#include "common/TextCase.h"

namespace orvanto {

namespace {

// "C:\DVD\MOVIE" -> root "C:\" and the rest "DVD\MOVIE"; a UNC path keeps \\server\share as root.
std::pair<std::string, std::string> SplitRoot(std::string_view path) {
  size_t rootEnd = 0;
  if (path.size() >= 2 && path[1] == ':') {
    rootEnd = path.size() > 2 && path[2] == '\\' ? 3 : 2;
  } else if (path.starts_with("\\\\")) {
    const size_t share = path.find('\\', path.find('\\', 2) + 1);
    rootEnd = share == std::string_view::npos ? path.size() : share + 1;
  }
  std::string root(path.substr(0, rootEnd));
  if (root.size() == 2 && root[1] == ':') root += '\\';
  return {root, std::string(path.substr(rootEnd))};
}

}  // namespace

std::string DriveOf(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return {};
  return LowerAscii(path.substr(0, 2));
}

bool SamePath(std::string_view a, std::string_view b) {
  const auto trim = [](std::string_view p) {
    while (p.size() > 3 && p.back() == '\\') p.remove_suffix(1);
    return LowerAscii(p);
  };
  return trim(a) == trim(b);
}

void SortNames(std::vector<std::string>& names) {
  std::ranges::sort(names, [](const std::string& a, const std::string& b) {
    const std::string la = LowerAscii(a), lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
  });
}

std::string DriveItemText(const DriveInfo& drive) {
  return drive.label.empty() ? drive.drive : drive.drive + " [" + drive.label + "]";
}

std::vector<std::string> VisibleDirectories(const std::vector<FoundDirectory>& found) {
  std::vector<std::string> names;
  for (const FoundDirectory& dir : found) {
    if (!(dir.attributes & (kAttrHidden | kAttrSystem))) names.push_back(dir.name);
  }
  return names;
}

std::optional<std::string> OpenDrive(FileSystem& files, std::string_view drive) {
  const auto remembered = files.DriveDirectory(drive);
  if (!remembered) return std::nullopt;
  if (files.DirectoryExists(*remembered)) return remembered;
  // The drive's remembered directory may be gone; its root is the next best place.
  const std::string root = DriveOf(*remembered) + "\\";
  if (!DriveOf(*remembered).empty() && files.DirectoryExists(root)) return root;
  return std::nullopt;
}

DirListing BuildDirListing(std::string_view path, std::vector<std::string> subdirectories) {
  DirListing listing;
  auto [root, rest] = SplitRoot(path);
  listing.entries.push_back({DriveOf(root).empty() ? root : DriveOf(root) + "\\", 0, true});
  listing.paths.push_back(root);

  std::string walked = root;
  int depth = 0;
  size_t start = 0;
  while (start < rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    if (end > start) {
      const std::string name = rest.substr(start, end - start);
      walked = KavelModules::AddBackslash(walked) + name;
      listing.entries.push_back({name, ++depth, true});
      listing.paths.push_back(walked);
    }
    start = end + 1;
  }
  listing.current = depth;

  SortNames(subdirectories);
  for (const std::string& name : subdirectories) {
    listing.entries.push_back({name, depth + 1, false});
    listing.paths.push_back(KavelModules::AddBackslash(walked) + name);
  }
  return listing;
}

void frm_Main::InitFolderLists() {
  folders_.drives = ports_.files.ListDrives();
  const std::string start = ports_.files.CurrentDirectory();
  folders_.drive = DriveOf(start);
  ShowDriveList();
  if (!ShowDirectoryOf(start)) ShowDirectoryOf(folders_.drive + "\\");
  SetFilePath(folders_.path);
}

void frm_Main::ShowDriveList() {
  std::vector<std::string> items;
  int selected = -1;
  for (const DriveInfo& drive : folders_.drives) {
    if (drive.drive == folders_.drive) selected = static_cast<int>(items.size());
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
  SetDrive(folders_.drives[static_cast<size_t>(index)].drive);
}

void frm_Main::OpenDirectory(int index) {
  if (index < 0 || index >= static_cast<int>(folders_.entryPaths.size())) return;
  if (SetDirPath(folders_.entryPaths[static_cast<size_t>(index)])) return;
  // The directory went away since the list was shown: show the list as it is now.
  if (!ShowDirectoryOf(folders_.path)) SetDirPath(folders_.drive);
}

void frm_Main::lst_Drive_Change() {
  if (SetDirPath(folders_.drive)) return;
  // A drive that cannot be opened (no medium, not ready): back to C:, without a message.
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

}  // namespace orvanto
