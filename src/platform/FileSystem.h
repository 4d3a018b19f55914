#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto {

// Attribute bits of a directory search mask: a search reports hidden or system files only when
// their bit is in the mask. Directories and volume labels are never reported.
inline constexpr unsigned kAttrHidden = 2;
inline constexpr unsigned kAttrSystem = 4;

// A subdirectory as the platform reports it, with its kAttrHidden and kAttrSystem bits.
struct FoundDirectory {
  std::string name;
  unsigned attributes = 0;
};

// What the program needs of the file system. Paths are UTF-8 with backslashes.
// Functions named Find/List report a failed search as std::nullopt and "nothing there" as an
// empty list, so that callers can tell the two apart.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Files matching `pattern` (a path whose last component may hold * and ?), in the order the
  // platform yields them; matching is case-insensitive.
  virtual std::optional<std::vector<std::string>> FindFiles(std::string_view pattern,
                                                            unsigned attributes) = 0;
  virtual std::optional<std::uint64_t> FileLength(std::string_view path) = 0;
  virtual bool RemoveFile(std::string_view path) = 0;

  // Makes `path` hold exactly `bytes`: the old file stays untouched unless the new content is
  // complete on disk. False on any failure.
  virtual bool WriteWholeFile(std::string_view path, std::string_view bytes) = 0;

  // `text` in the system's ANSI code page, or std::nullopt when the code page cannot represent it.
  virtual std::optional<std::string> ToAnsi(std::string_view text) = 0;

  // Drives, directory tree and the process's start directory, for the folder lists.
  // The drives in use, "c:" and so on, without asking any of them for anything.
  virtual std::vector<std::string> ListDrives() = 0;
  // A drive's volume label; empty when it has none or when reading it could wait for a medium.
  virtual std::string DriveLabel(std::string_view drive) = 0;
  // Every subdirectory of `dir` except "." and "..", hidden and system ones included.
  virtual std::optional<std::vector<FoundDirectory>> ListSubdirectories(std::string_view dir) = 0;
  // The directory the platform remembers for a drive designation such as "d:" (the drive's
  // current directory), whether or not it still exists; std::nullopt when there is none.
  virtual std::optional<std::string> DriveDirectory(std::string_view drive) = 0;
  virtual bool DirectoryExists(std::string_view dir) = 0;
  virtual std::string CurrentDirectory() = 0;
  // A relative ("DVD"), drive-relative ("d:DVD") or root-relative ("\DVD") path made full, as
  // Windows resolves it against the current directory of the process or of the drive; `path`
  // itself when that fails.
  virtual std::string FullPath(std::string_view path) = 0;
};

}  // namespace orvanto
