#pragma once

#include <string_view>

namespace orvanto {

// A fixed German and English pair; the language flag picks one when the message is shown.
struct Bilingual {
  std::string_view german;
  std::string_view english;

  std::string_view In(bool english_) const { return english_ ? english : german; }
};

inline constexpr Bilingual kTitleError{"Fehler", "Error"};
inline constexpr Bilingual kTitleNote{"Hinweis", "Note"};
inline constexpr Bilingual kTitleQuestion{"Frage", "Question"};

}  // namespace orvanto
