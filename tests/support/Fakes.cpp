#include "Fakes.h"

#include <algorithm>

#include "common/TextCase.h"
#include "common/Wildcard.h"

namespace orvanto::fakes {

namespace {

// Paths compare without letter case or trailing backslashes: "C:\DVD\" is "c:\dvd".
std::string Key(std::string_view path) {
  std::string key = LowerAscii(path);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

std::string Parent(std::string_view path) {
  const std::string key = Key(path);
  return key.substr(0, std::min(key.size(), key.rfind('\\')));
}

std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

std::string SettingKey(std::string_view app, std::string_view section, std::string_view key) {
  return std::string(app) + "/" + std::string(section) + "/" + std::string(key);
}

}  // namespace

FakeForm::FakeForm() : title(kDesignTitle) {
  for (const ControlDesc& desc : Controls()) {
    texts[Index(desc.id)] = desc.german;
    pictures[Index(desc.id)] = desc.picture;
  }
}

void FakeForm::SetText(Ctl control, std::string_view text) {
  texts[Index(control)] = text;
  if (!record) return;
  textWrites.push_back(control);
  if (control == Ctl::inp_SourceSize) trace.push_back("size " + std::string(text));
}

Answer FakeForm::ShowMessage(std::string_view text, std::string_view caption, MessageStyle style) {
  messages.push_back({std::string(text), std::string(caption), style});
  if (whileOpen) std::exchange(whileOpen, {})();
  const bool closes = !answers.empty() && answers.front() == Answer::None;
  if (style == MessageStyle::Info && !closes) return Answer::Ok;
  if (answers.empty()) return Answer::No;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeForm::ShowDrives(const std::vector<std::string>& items, int selected) {
  trace.push_back("drive " + (selected >= 0 ? items[static_cast<size_t>(selected)] : ""));
}

void FakeForm::ShowDirectories(const std::vector<DirEntry>& entries, int current) {
  std::string line = "dir";
  for (size_t i = 0; i < entries.size(); ++i) {
    line += (std::cmp_equal(i, current) ? " *" : " ") + std::to_string(entries[i].depth) +
            (entries[i].open ? "+" : "-") + entries[i].text;
  }
  trace.push_back(line);
}

void FakeForm::ShowFiles(const std::vector<std::string>& names) {
  trace.push_back("files");
  for (const std::string& name : names) trace.back() += (&name == &names[0] ? " " : ",") + name;
}

void FakeFileSystem::Add(std::string path, unsigned attributes, std::string content,
                         std::uint64_t length) {
  const bool directory = path.ends_with('\\');
  if (directory) path.pop_back();
  if (length == 0) length = content.size();
  entries_.push_back({std::move(path), directory, attributes, std::move(content), length});
}

FakeFileSystem::Entry* FakeFileSystem::Find(std::string_view path, bool directory) {
  const auto it = std::ranges::find_if(entries_, [&](const Entry& e) {
    return Key(e.path) == Key(path) && e.directory == directory;
  });
  return it == entries_.end() ? nullptr : &*it;
}

std::string FakeFileSystem::Content(std::string_view path) {
  const Entry* entry = Find(path, false);
  return entry ? entry->content : "";
}

bool FakeFileSystem::DriveReady(std::string_view path) const {
  return std::ranges::find(notReady, LowerAscii(path.substr(0, 2))) == notReady.end();
}

std::optional<std::vector<std::string>> FakeFileSystem::FindFiles(std::string_view pattern,
                                                                  unsigned attributes) {
  const std::string dir = Parent(pattern);
  if (Fails() || (dir.size() > 2 && !DirectoryExists(dir)) || !DriveReady(dir)) return std::nullopt;
  std::vector<std::string> names;
  for (const Entry& e : entries_)
    if (!e.directory && Parent(e.path) == dir && (e.attributes & ~attributes & ~kReadOnly) == 0 &&
        MatchesWildcard(Name(e.path), pattern.substr(pattern.rfind('\\') + 1)))
      names.push_back(Name(e.path));
  return names;
}

std::optional<std::uint64_t> FakeFileSystem::FileLength(std::string_view path) {
  const Entry* entry = Find(path, false);
  if (Fails() || !entry) return std::nullopt;
  return entry->length;
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  const Entry* entry = Find(path, false);
  if (Fails() || !entry || (entry->attributes & kReadOnly)) return false;
  entries_.erase(entries_.begin() + (entry - entries_.data()));
  return true;
}

bool FakeFileSystem::WriteWholeFile(std::string_view path, std::string_view bytes) {
  Entry* entry = Find(path, false);
  if (Fails() || !DirectoryExists(Parent(path)) || Find(path, true)) return false;
  if (entry && (entry->attributes & kReadOnly)) return false;
  if (!entry) Add(std::string(path));
  entry = Find(path, false);
  entry->content = bytes;
  entry->length = bytes.size();
  return true;
}

std::optional<std::string> FakeFileSystem::ToAnsi(std::string_view text) {
  // Latin-1 stands in for the ANSI code page: code points above U+00FF cannot be written, the
  // rest passes as it is.
  const auto beyond = [](char c) { return static_cast<unsigned char>(c) >= 0xC4; };
  if (Fails() || std::ranges::any_of(text, beyond)) return std::nullopt;
  return std::string(text);
}

std::optional<std::vector<FoundDirectory>> FakeFileSystem::ListSubdirectories(
    std::string_view dir) {
  if (Fails() || !DirectoryExists(dir)) return std::nullopt;
  std::vector<FoundDirectory> found;
  for (const Entry& e : entries_)
    if (e.directory && Parent(e.path) == Key(dir)) found.push_back({Name(e.path), e.attributes});
  return found;
}

std::vector<std::string> FakeFileSystem::ListDrives() {
  std::vector<std::string> names;
  for (const DriveInfo& drive : drives) names.push_back(drive.drive);
  return names;
}

std::string FakeFileSystem::DriveLabel(std::string_view drive) {
  ++labelReads;
  const auto it = std::ranges::find(drives, drive, &DriveInfo::drive);
  return it != drives.end() ? it->label.value_or("") : "";
}

std::optional<std::string> FakeFileSystem::DriveDirectory(std::string_view drive) {
  if (Fails()) return std::nullopt;
  const auto it = driveDirectories.find(LowerAscii(drive));
  return it != driveDirectories.end() ? it->second : LowerAscii(drive) + "\\";
}

bool FakeFileSystem::DirectoryExists(std::string_view dir) {
  // A root of a ready drive, or a directory made.
  return DriveReady(dir) && ((Key(dir).size() == 2 && Key(dir)[1] == ':') || Find(dir, true));
}

std::string FakeSettings::Read(std::string_view app, std::string_view section,
                               std::string_view key) {
  const auto it = values.find(SettingKey(app, section, key));
  return it == values.end() ? "" : it->second;
}

bool FakeSettings::Write(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) {
  if (!failWrites) values[SettingKey(app, section, key)] = value;
  return !failWrites;
}

}  // namespace orvanto::fakes
