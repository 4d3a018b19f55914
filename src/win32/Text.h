#pragma once

#include <string>
#include <string_view>

namespace orvanto::win32 {

// The core speaks UTF-8, Windows UTF-16; these convert at the boundary, losslessly: a lone
// surrogate becomes its three-byte form (WTF-8) and back.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace orvanto::win32
