#include "cffl/CfflFile.h"

#include <algorithm>
#include <array>

#include "common/TextCase.h"

namespace orvanto {

bool IsUsableFileName(std::string_view name) {
  const bool badCharacter = std::ranges::any_of(name, [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  });
  if (badCharacter) return false;
  // Windows reserves the device names alone or before an extension, in any letter case, and
  // ignores blanks before the dot. Some of them open a device rather than a file (COM¹ is a port).
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string lower = LowerAscii(base);
  for (const std::string_view device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
    if (lower == device) return false;
  }
  if (!lower.starts_with("com") && !lower.starts_with("lpt")) return true;
  const std::string_view number = std::string_view(lower).substr(3);
  const bool digit = number.size() == 1 && number[0] >= '0' && number[0] <= '9';
  const bool superscript = number == "\u00b9" || number == "\u00b2" || number == "\u00b3";
  return !digit && !superscript;
}

std::optional<std::string> OtherCfflFile(const std::vector<std::string>& found,
                                         std::string_view fileName) {
  const auto other = std::ranges::find_if(
      found, [&](const std::string& name) { return !EqualsIgnoringCase(name, fileName); });
  if (other == found.end()) return std::nullopt;
  return *other;
}

VobList ListVobs(std::string_view dir, const std::vector<std::string>& names) {
  VobList list;
  for (const std::string& name : names) {
    list.paths.push_back(std::string(dir) + name);
    if (name.find("01") == std::string::npos) list.nameWarning = true;
  }
  std::ranges::sort(list.paths);  // ordinal: std::string compares its bytes unsigned
  return list;
}

std::string CfflText(const std::vector<std::string>& paths) {
  std::string text = "CFFL\r\n";
  for (const std::string& path : paths) text += path + "\r\n";
  return text;
}

}  // namespace orvanto
