#pragma once

#include <string>
#include <string_view>

namespace orvanto::win32 {

// The core speaks UTF-8, Windows UTF-16; these convert at the boundary.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace orvanto::win32
