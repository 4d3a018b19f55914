#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto {

// The first argument of the program's raw command line, the way Explorer, "Send To" and shortcuts
// pass a folder: after the program's name, quoted up to the closing quote, otherwise up to the
// next blank. A backslash never escapes the quote, so "D:\" is the root of D:. None when there is
// no argument or it is empty.
std::optional<std::string> FirstArgument(std::string_view commandLine);

}  // namespace orvanto
