#pragma once

#include "platform/FileSystem.h"
#include "platform/NumberLocale.h"
#include "platform/SettingsStore.h"

namespace orvanto::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::vector<std::string>> FindFiles(std::string_view pattern,
                                                    unsigned attributes) override;
  std::optional<std::uint64_t> FileLength(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool WriteWholeFile(std::string_view path, std::string_view bytes) override;
  std::optional<std::string> ToAnsi(std::string_view text) override;
  std::vector<std::string> ListDrives() override;
  std::string DriveLabel(std::string_view drive) override;
  std::optional<std::vector<FoundDirectory>> ListSubdirectories(std::string_view dir) override;
  std::optional<std::string> DriveDirectory(std::string_view drive) override;
  bool DirectoryExists(std::string_view dir) override;
  std::string CurrentDirectory() override;
  std::string FullPath(std::string_view path) override;
};

// Values under HKEY_CURRENT_USER\Software\<app>\<section>, as REG_SZ.
class RegistrySettings final : public SettingsStore {
 public:
  std::string Read(std::string_view app, std::string_view section, std::string_view key) override;
  bool Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
};

// The separators of the user's default locale, user overrides included.
class UserNumberLocale final : public NumberLocale {
 public:
  NumberSeparators Separators() override;
};

}  // namespace orvanto::win32
