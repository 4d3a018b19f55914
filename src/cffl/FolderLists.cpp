#include "cffl/FolderLists.h"

#include <algorithm>

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

bool StartsWithDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && LowerAscii(path[0]) >= 'a' &&
         LowerAscii(path[0]) <= 'z';
}

// "D:\..." and "\\server\share\..." are full; "DVD", "D:DVD" and "\DVD" depend on a current
// directory.
bool IsFull(std::string_view path) {
  return path.starts_with("\\\\") || (StartsWithDrive(path) && path.size() > 2 && path[2] == '\\');
}

}  // namespace

std::string CanonicalPath(FileSystem& files, std::string_view path) {
  std::string p(path);
  std::ranges::replace(p, '/', '\\');
  // The long-path prefix only tells Windows to take the path as it is; without it, it is the same
  // path. Other "\\?\" paths (volume names) stay as they are and are no drive path.
  constexpr std::string_view kLong = "\\\\?\\";
  if (p.starts_with(kLong) && StartsWithDrive(p.substr(kLong.size()))) {
    p.erase(0, kLong.size());
  } else if (p.starts_with(kLong) && EqualsIgnoringCase(p.substr(kLong.size(), 4), "UNC\\")) {
    p.erase(2, kLong.size() + 2);  // "\\?\UNC\server" -> "\\server"
  }
  if (!IsFull(p)) {
    p = files.FullPath(p);
    std::ranges::replace(p, '/', '\\');
    if (!IsFull(p)) return p;
  }
  // A drive's root, or a network path's server and share, which ".." never leaves.
  const bool network = p.starts_with("\\\\");
  std::string canonical = p.substr(0, network ? 2 : 3);
  const size_t kept = network ? 2 : 0;
  std::vector<std::string> names;
  for (size_t start = canonical.size(); start < p.size();) {
    const size_t end = std::min(p.find('\\', start), p.size());
    const std::string name = p.substr(start, end - start);
    if (name == ".." && names.size() > kept) {
      names.pop_back();
    } else if (!name.empty() && name != "." && name != "..") {
      names.push_back(name);
    }
    start = end + 1;
  }
  for (const std::string& name : names) {
    canonical += (&name == names.data() ? "" : "\\") + name;
  }
  return canonical;
}

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
    const std::string la = LowerAscii(a);
    const std::string lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
  });
}

std::string DriveItemText(const DriveInfo& drive) {
  if (!drive.label || drive.label->empty()) return drive.drive;
  return drive.drive + " [" + *drive.label + "]";
}

std::vector<std::string> VisibleDirectories(const std::vector<FoundDirectory>& found) {
  std::vector<std::string> names;
  for (const FoundDirectory& dir : found) {
    if (!(dir.attributes & (kAttrHidden | kAttrSystem))) names.push_back(dir.name);
  }
  return names;
}

std::optional<std::string> OpenDrive(FileSystem& files, std::string_view drive) {
  auto remembered = files.DriveDirectory(drive);
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
      walked = KavelModules::AddBackslash(walked);
      walked += name;
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

std::optional<std::uint64_t> MeasureDvdFiles(FileSystem& files, std::string_view dir) {
  const std::string prefix = KavelModules::AddBackslash(dir);
  std::uint64_t total = 0;
  for (const char* pattern : {"*.BUP", "*.IFO", "*.VOB"}) {
    const auto names = files.FindFiles(prefix + pattern, 0);
    if (!names) return std::nullopt;
    for (const std::string& name : *names) {
      const auto length = files.FileLength(prefix + name);
      if (!length) return std::nullopt;
      total += *length;
    }
  }
  return total;
}

}  // namespace orvanto
