#pragma once

#include <string>
#include <string_view>

namespace orvanto {

// Per-user texts addressed by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text; the empty text when the value is missing or cannot be read.
  virtual std::string Read(std::string_view app, std::string_view section,
                           std::string_view key) = 0;
  virtual bool Write(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace orvanto
