#include "cffl/CfflFile.h"

#include <algorithm>
#include <array>

#include "common/TextCase.h"

namespace orvanto {

namespace {

// What no Windows name may hold besides control characters; the first three also part a path.
constexpr std::string_view kNotInNames = "\\/:*?\"<>|";

// UTF-8 as the Unicode standard has it: no stray or missing continuation byte, no overlong form,
// nothing past U+10FFFF and no surrogate code point (a lone surrogate from Windows comes as one).
bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto byte = [&](size_t k) {
      return k < text.size() ? static_cast<unsigned char>(text[k]) : 0U;
    };
    const unsigned lead = byte(i);
    const size_t length = lead < 0x80   ? 1
                          : lead < 0xC2 ? 0
                          : lead < 0xE0 ? 2
                          : lead < 0xF0 ? 3
                          : lead < 0xF5 ? 4
                                        : 0;
    if (length == 0) return false;
    // The second byte's range is what rules out the overlong forms, surrogates and the rest.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (size_t k = 1; k < length; ++k) {
      const unsigned b = byte(i + k);
      if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

// Valid UTF-8 without a control character (C0 or DEL) or any of `forbidden`.
bool HoldsOnlyNameCharacters(std::string_view text, std::string_view forbidden) {
  const bool bad = std::ranges::any_of(text, [&](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
           forbidden.find(c) != std::string_view::npos;
  });
  return !bad && IsValidUtf8(text);
}

}  // namespace

bool IsUsableFileName(std::string_view name) {
  if (!HoldsOnlyNameCharacters(name, kNotInNames)) return false;
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

bool FitsOnACfflLine(std::string_view dir, std::string_view name) {
  return HoldsOnlyNameCharacters(dir, kNotInNames.substr(3)) &&
         HoldsOnlyNameCharacters(name, kNotInNames);
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
