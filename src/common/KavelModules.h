#pragma once

#include <string>
#include <string_view>

namespace orvanto {
class FileSystem;
}

// The stateless helpers that the window's event handlers share. None of them shows a message or
// fails towards its caller.
namespace orvanto::KavelModules {

// `path` with a trailing backslash ensured; only the backslash counts as a separator.
std::string AddBackslash(std::string_view path);

// True when a file matches `path` (wildcards allowed in its last component), hidden and system
// files included. Directories, missing files and every lookup error give false.
bool FileExists(FileSystem& files, std::string_view path);

// Reads a number typed in the German style (decimal comma, point as thousands separator),
// whatever the regional settings say; 0 when the text holds no number.
double ParseNumber(std::string_view text);

}  // namespace orvanto::KavelModules
