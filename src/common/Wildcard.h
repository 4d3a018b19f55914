#pragma once

#include <string_view>

namespace orvanto {

// Whether `name` matches a file pattern with * (any run of characters) and ? (one character),
// ignoring the case of ASCII letters. As on Windows, "*.*" matches every name.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace orvanto
