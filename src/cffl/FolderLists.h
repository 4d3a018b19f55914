#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Form.h"

namespace orvanto {

// A line of the drive list. Reading a label takes a moment per drive, so it is read only once the
// line can be seen: when the drive is the one on show or when the list opens.
struct DriveInfo {
  std::string drive;                 // "c:"
  std::optional<std::string> label;  // std::nullopt until read
};

// What the drive, directory and file lists hold; the window shows it through the Form port.
struct FolderListState {
  std::vector<DriveInfo> drives;
  std::string drive;                    // lst_Drive's drive, "c:"; empty while it shows none
  std::string path;                     // lst_Path's directory: the one the program works on
  std::vector<std::string> entryPaths;  // the directory each line of lst_Path opens
  std::string filePath;                 // lst_File's directory
};

// The drive designation of a path, lower case as the drive list shows it: "C:\DVD" -> "c:".
// Empty for a path without a drive letter.
std::string DriveOf(std::string_view path);

// `path` as Windows writes it: full (a relative or drive-relative path made full by `files`), "/"
// and doubled "\" made single "\", "." and ".." resolved, without a trailing "\" but a drive
// root's, and without the "\\?\" prefix: "\\?\D:\DVD" is "D:\DVD", "\\?\UNC\server\share" is
// "\\server\share".
std::string CanonicalPath(FileSystem& files, std::string_view path);

// Windows paths compare without regard to letter case.
bool SamePath(std::string_view a, std::string_view b);

// Sorts names as a directory listing does: letter case ignored, then ordinal.
void SortNames(std::vector<std::string>& names);

// "c: [System]" for a drive with a label, "c:" otherwise and while the label is unread.
std::string DriveItemText(const DriveInfo& drive);

// The directories the list shows: hidden and system ones stay out of sight.
std::vector<std::string> VisibleDirectories(const std::vector<FoundDirectory>& found);

// The directory that opening a drive designation such as "d:" leads to: the drive's remembered
// directory, or its root when that directory is gone; std::nullopt when neither can be opened.
std::optional<std::string> OpenDrive(FileSystem& files, std::string_view drive);

// The lines of the directory list for `path`: the root and every ancestor, the directory itself,
// then its subdirectories sorted.
struct DirListing {
  std::vector<DirEntry> entries;
  std::vector<std::string> paths;
  int current = 0;
};
DirListing BuildDirListing(std::string_view path, std::vector<std::string> subdirectories);

// The bytes of the DVD files (BUP, IFO, VOB) directly in `dir`; std::nullopt when any search or
// length query fails, so that a partial sum never passes for the directory's size.
std::optional<std::uint64_t> MeasureDvdFiles(FileSystem& files, std::string_view dir);

}  // namespace orvanto
