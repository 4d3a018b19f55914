#include "Fakes.h"

#include <algorithm>

#include "common/TextCase.h"
#include "common/Wildcard.h"

namespace orvanto::testing {

namespace {

// "c:\dvd\x.vob" -> "c:\dvd"; "c:\x.vob" -> "c:"; trailing backslashes do not count.
std::string ParentKey(std::string_view path) {
  std::string key = LowerAscii(path);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  const size_t slash = key.rfind('\\');
  return slash == std::string::npos ? "" : key.substr(0, slash);
}

std::string DirKey(std::string_view dir) {
  std::string key = LowerAscii(dir);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

std::string NameOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
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
  textWrites.push_back(control);
  if (control == Ctl::inp_SourceSize) trace.push_back("size " + std::string(text));
}

void FakeForm::ShowDrives(const std::vector<std::string>& items, int selected) {
  trace.push_back("drive " + (selected >= 0 ? items[static_cast<size_t>(selected)] : ""));
}

void FakeForm::ShowDirectories(const std::vector<DirEntry>& entries, int current) {
  directories = entries;
  // The open directory as a path: its ancestors' lines joined.
  std::string path;
  for (int i = 0; i <= current; ++i) {
    const std::string& text = entries[static_cast<size_t>(i)].text;
    path += (path.empty() || path.back() == '\\' ? "" : "\\") + text;
  }
  trace.push_back("dir " + path);
}

void FakeForm::ShowFiles(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ",") + name;
  trace.push_back("files " + joined);
}

int FakeForm::ShowMessage(std::string_view text, std::string_view caption, int style) {
  messages.push_back({std::string(text), std::string(caption), style});
  if ((style & 0xF) == 0) return kAnswerOk;
  if (answers.empty()) {
    unexpected.emplace_back(text);
    return kAnswerNo;
  }
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeForm::CopyPicture(Ctl source, Ctl target) {
  pictures[Index(target)] = pictures[Index(source)];
}

void FakeFileSystem::AddDrive(std::string drive, std::string label, bool ready) {
  drives_.push_back({LowerAscii(drive), std::move(label), ready});
}

void FakeFileSystem::AddDirectory(std::string path, unsigned attributes) {
  entries_.push_back({std::move(path), true, attributes, "", 0});
}

void FakeFileSystem::AddFile(std::string path, std::string content, unsigned attributes,
                             std::uint64_t length) {
  if (length == 0) length = content.size();
  entries_.push_back({std::move(path), false, attributes, std::move(content), length});
}

const FakeFileSystem::Entry* FakeFileSystem::Find(std::string_view path) const {
  const std::string key = DirKey(path);
  const auto it =
      std::ranges::find_if(entries_, [&](const Entry& e) { return DirKey(e.path) == key; });
  return it == entries_.end() ? nullptr : &*it;
}

bool FakeFileSystem::Exists(std::string_view path) const {
  const Entry* entry = Find(path);
  return entry && !entry->directory;
}

std::string FakeFileSystem::Content(std::string_view path) const {
  const Entry* entry = Find(path);
  return entry ? entry->content : "";
}

bool FakeFileSystem::DriveReady(std::string_view path) const {
  const std::string drive = LowerAscii(path.substr(0, 2));
  const auto it = std::ranges::find_if(drives_, [&](const Drive& d) { return d.drive == drive; });
  return it == drives_.end() || it->ready;  // drives never declared behave as ready
}

std::optional<std::vector<std::string>> FakeFileSystem::FindFiles(std::string_view pattern,
                                                                  unsigned attributes) {
  if (Fails() || !DriveReady(pattern)) return std::nullopt;
  const std::string dir = ParentKey(pattern);
  const std::string namePattern = NameOf(pattern);
  if (dir.size() > 2 && !DirectoryExists(dir)) return std::nullopt;
  std::vector<std::string> names;
  for (const Entry& e : entries_) {
    if (e.directory || ParentKey(e.path) != dir) continue;
    if ((e.attributes & kAttrHidden) && !(attributes & kAttrHidden)) continue;
    if ((e.attributes & kAttrSystem) && !(attributes & kAttrSystem)) continue;
    if (MatchesWildcard(NameOf(e.path), namePattern)) names.push_back(NameOf(e.path));
  }
  return names;
}

std::optional<std::uint64_t> FakeFileSystem::FileLength(std::string_view path) {
  if (Fails()) return std::nullopt;
  const Entry* entry = Find(path);
  if (!entry || entry->directory) return std::nullopt;
  return entry->length;
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  if (Fails()) return false;
  const std::string key = DirKey(path);
  const auto it = std::ranges::find_if(entries_, [&](const Entry& e) {
    return !e.directory && DirKey(e.path) == key && !(e.attributes & kReadOnly);
  });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

bool FakeFileSystem::WriteWholeFile(std::string_view path, std::string_view bytes) {
  if (Fails() || !DirectoryExists(ParentKey(path) + "\\")) return false;
  const std::string key = DirKey(path);
  const auto it =
      std::ranges::find_if(entries_, [&](const Entry& e) { return DirKey(e.path) == key; });
  if (it == entries_.end()) {
    AddFile(std::string(path), std::string(bytes));
    return true;
  }
  if (it->directory || (it->attributes & kReadOnly)) return false;
  it->content = bytes;
  it->length = bytes.size();
  return true;
}

std::optional<std::string> FakeFileSystem::ToAnsi(std::string_view text) {
  // Latin-1 stands in for the ANSI code page: code points above U+00FF cannot be written.
  if (Fails()) return std::nullopt;
  std::string ansi;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ansi += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
      ansi += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return ansi;
}

std::vector<DriveInfo> FakeFileSystem::ListDrives() {
  std::vector<DriveInfo> drives;
  for (const Drive& d : drives_) drives.push_back({d.drive, d.label});
  return drives;
}

std::optional<std::vector<FoundDirectory>> FakeFileSystem::ListSubdirectories(
    std::string_view dir) {
  if (Fails() || !DirectoryExists(dir)) return std::nullopt;
  std::vector<FoundDirectory> found;
  for (const Entry& e : entries_) {
    if (e.directory && ParentKey(e.path) == DirKey(dir)) found.push_back({NameOf(e.path), e.attributes});
  }
  return found;
}

std::optional<std::string> FakeFileSystem::DriveDirectory(std::string_view drive) {
  if (Fails()) return std::nullopt;
  const auto it = driveDirectories.find(LowerAscii(drive));
  if (it != driveDirectories.end()) return it->second;
  // The process's current directory is its drive's current directory too.
  if (LowerAscii(currentDirectory.substr(0, 2)) == LowerAscii(drive)) return currentDirectory;
  return LowerAscii(drive) + "\\";
}

bool FakeFileSystem::DirectoryExists(std::string_view dir) {
  if (!DriveReady(dir)) return false;
  const std::string key = DirKey(dir);
  if (key.size() == 2 && key[1] == ':') return true;  // a drive root
  const Entry* entry = Find(dir);
  return entry && entry->directory;
}

std::string FakeSettings::Read(std::string_view app, std::string_view section,
                               std::string_view key) {
  const auto it =
      values.find(std::string(app) + "/" + std::string(section) + "/" + std::string(key));
  return it == values.end() ? "" : it->second;
}

bool FakeSettings::Write(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) {
  if (failWrites) return false;
  values[std::string(app) + "/" + std::string(section) + "/" + std::string(key)] = value;
  return true;
}

}  // namespace orvanto::testing
