#include "app/CommandLine.h"

namespace orvanto {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Takes one item off the front of `text`: quoted up to the closing quote (or the end), otherwise
// up to the next blank.
std::string_view TakeItem(std::string_view& text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  if (!text.empty() && text.front() == '"') {
    text.remove_prefix(1);
    const size_t quote = text.find('"');
    const std::string_view item = text.substr(0, quote);
    text.remove_prefix(quote == std::string_view::npos ? text.size() : quote + 1);
    return item;
  }
  size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view item = text.substr(0, end);
  text.remove_prefix(end);
  return item;
}

}  // namespace

std::optional<std::string> FirstArgument(std::string_view commandLine) {
  TakeItem(commandLine);  // the program's name
  const std::string_view argument = TakeItem(commandLine);
  if (argument.empty()) return std::nullopt;
  return std::string(argument);
}

}  // namespace orvanto
