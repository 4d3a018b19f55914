#pragma once

// Minimal ports for the benchmarks: just enough for a handler to run, so that what is timed is
// the program's own work and the platform calls it makes, not a test double's bookkeeping.

#include <array>
#include <string>

#include "app/WindowLayout.h"
#include "app/frm_Main.h"

namespace orvanto::bench {

// Keeps each control's text as a real control would; everything else does nothing.
class TextOnlyForm final : public Form {
 public:
  TextOnlyForm() {
    for (const ControlDesc& desc : Controls()) texts[Index(desc.id)] = desc.german;
  }
  std::string Text(Ctl control) override { return texts[Index(control)]; }
  void SetText(Ctl control, std::string_view text) override { texts[Index(control)] = text; }
  std::string Title() override { return std::string(kDesignTitle); }
  void SetTitle(std::string_view) override {}
  int ShowMessage(std::string_view, std::string_view, int) override { return kAnswerNo; }
  void CopyPicture(Ctl, Ctl) override {}
  void ShowDrives(const std::vector<std::string>&, int) override {}
  void ShowDirectories(const std::vector<DirEntry>&, int) override {}
  void ShowFiles(const std::vector<std::string>&) override {}
  void EndProgram() override {}

  std::array<std::string, kControlCount> texts;
};

class NullCanvas final : public Canvas {
 public:
  void Clear() override {}
  void SetScale(float, float) override {}
  void FillRect(float, float, float, float, Rgb) override {}
  void Line(float, float, float, float, Rgb) override {}
};

class NoSettings final : public SettingsStore {
 public:
  std::string Read(std::string_view, std::string_view, std::string_view) override { return {}; }
  bool Write(std::string_view, std::string_view, std::string_view, std::string_view) override {
    return true;
  }
};

// Finds nothing and writes nothing: for handlers that never reach the disk.
class NoFiles final : public FileSystem {
 public:
  std::optional<std::vector<std::string>> FindFiles(std::string_view, unsigned) override {
    return std::vector<FoundDirectory>{};
  }
  std::optional<std::uint64_t> FileLength(std::string_view) override { return std::nullopt; }
  bool RemoveFile(std::string_view) override { return false; }
  bool WriteWholeFile(std::string_view, std::string_view) override { return false; }
  std::optional<std::string> ToAnsi(std::string_view text) override { return std::string(text); }
  std::vector<DriveInfo> ListDrives() override { return {}; }
  std::optional<std::vector<FoundDirectory>> ListSubdirectories(std::string_view) override {
    return std::vector<FoundDirectory>{};
  }
  std::optional<std::string> DriveDirectory(std::string_view) override { return std::nullopt; }
  bool DirectoryExists(std::string_view) override { return false; }
  std::string CurrentDirectory() override { return "c:\\"; }
};

class FixedLocale final : public NumberLocale {
 public:
  NumberSeparators Separators() override { return separators; }
  NumberSeparators separators{",", "."};
};

}  // namespace orvanto::bench
