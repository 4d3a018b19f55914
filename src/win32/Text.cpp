#include "win32/Text.h"

namespace orvanto::win32 {

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

void Append(std::string& out, char32_t c) {
  const auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

}  // namespace

// A lone surrogate, which Windows allows in names and window texts, keeps its own three-byte form
// (WTF-8) instead of becoming U+FFFD: it reaches the core as text that is no valid UTF-8, which
// the core refuses, and comes back unchanged.
std::string Narrow(std::wstring_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    }
    Append(out, c);
  }
  return out;
}

std::wstring Widen(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned lead = byte(i);
    const size_t extra = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
    char32_t c = extra ? lead & (0x3F >> extra) : lead;
    size_t length = 1;
    while (length <= extra && i + length < utf8.size() && (byte(i + length) & 0xC0) == 0x80) {
      c = (c << 6) | (byte(i + length++) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    // A stray continuation byte, a cut-off or overlong sequence: never made by Narrow.
    if ((lead >= 0x80 && !extra) || length != extra + 1 || c < kLeast[extra] || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    if (c >= 0x10000) {
      out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<wchar_t>(c);
    }
    i += length;
  }
  return out;
}

}  // namespace orvanto::win32
