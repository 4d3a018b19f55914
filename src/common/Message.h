#pragma once

#include <string>
#include <string_view>

namespace orvanto {

// A text the program shows, in German and in English. A message about a subject (a path, a file
// name) holds "{}" where the subject goes; titles and plain messages have none.
struct Message {
  std::string_view german;
  std::string_view english;

  std::string Text(bool inEnglish, std::string_view subject = {}) const {
    const std::string_view text = inEnglish ? english : german;
    const size_t slot = text.find("{}");
    if (slot == std::string_view::npos) return std::string(text);
    return std::string(text.substr(0, slot)) + std::string(subject) +
           std::string(text.substr(slot + 2));
  }
};

}  // namespace orvanto
