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
  // Windows reserves the device names with any extension, and ignores blanks before the dot.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 22> kDevices = {
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  return std::ranges::none_of(
      kDevices, [&](std::string_view device) { return EqualsIgnoringCase(base, device); });
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
