#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto {

// Why a typed name cannot become a file in the chosen directory: it would leave the directory,
// hold characters no file name may hold, be no valid text (a lone surrogate typed into the box),
// or name a device such as CON or LPT1.
bool IsUsableFileName(std::string_view name);

// Whether the VOB file `name` in `dir` can stand on a line of a CFFL file as Windows reads it.
// Linux file systems allow any character but "/" in a name, and Wine lists such names raw: a line
// end would start a line of its own, "\" name a subfolder's file, ":" a stream, "*" and "?" no
// file at all.
bool FitsOnACfflLine(std::string_view dir, std::string_view name);

// The first CFFL file found that is not the one about to be written; only the first one counts.
std::optional<std::string> OtherCfflFile(const std::vector<std::string>& found,
                                         std::string_view fileName);

// The VOB files of `dir` as the CFFL file lists them: full paths in ordinal order, and whether
// any name lacks IFOEdit's primary number block "01".
struct VobList {
  std::vector<std::string> paths;
  bool nameWarning = false;
};
VobList ListVobs(std::string_view dir, const std::vector<std::string>& names);

// The CFFL text: "CFFL", then one path per line, every line ended by CR LF.
std::string CfflText(const std::vector<std::string>& paths);

}  // namespace orvanto
