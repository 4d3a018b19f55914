#pragma once

// One in-memory fake per port, shared by the unit tests and the benchmarks; so none of it may
// depend on a test framework.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/WindowLayout.h"
#include "app/frm_Main.h"
#include "common/Messages.h"
#include "common/TextCase.h"
#include "common/Wildcard.h"

namespace orvanto::fakes {

struct ShownMessage {
  std::string text, title;
  MessageStyle style = MessageStyle::Info;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// The window: control texts start as the window description has them. Questions take their
// answers from `answers` in order; one nobody scripted is answered No, and `messages` shows it. A
// scripted None is the window closing while the next box is open: a note returns it too.
// `whileOpen` runs once while the next box is open, as a message arriving then would.
class FakeForm final : public Form {
 public:
  FakeForm() {
    for (const ControlDesc& desc : Controls()) {
      texts[Index(desc.id)] = desc.german;
      pictures[Index(desc.id)] = desc.picture;
    }
  }
  std::string Text(Ctl control) override { return texts[Index(control)]; }
  void SetText(Ctl control, std::string_view text) override {
    texts[Index(control)] = text;
    if (!record) return;
    textWrites.push_back(control);
    if (control == Ctl::inp_SourceSize) trace.push_back("size " + std::string(text));
  }
  std::string Title() override { return title; }
  void SetTitle(std::string_view text) override { title = text; }
  Answer ShowMessage(std::string_view text, std::string_view caption, MessageStyle style) override {
    messages.push_back({std::string(text), std::string(caption), style});
    if (whileOpen) std::exchange(whileOpen, {})();
    const Answer answer = answers.empty() ? Answer::No : answers.front();
    if (style == MessageStyle::Info && answer != Answer::None) return Answer::Ok;
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void CopyPicture(Ctl source, Ctl target) override {
    pictures[Index(target)] = pictures[Index(source)];
  }
  void ShowDrives(const std::vector<std::string>& items, int selected) override {
    trace.push_back("drive " + (selected >= 0 ? items[static_cast<size_t>(selected)] : ""));
  }
  void ShowDirectories(const std::vector<DirEntry>& entries, int current) override {
    trace.push_back("dir");
    for (const DirEntry& e : entries) {
      trace.back() += (&e - &entries[0] == current ? " *" : " ") + std::to_string(e.depth) +
                      (e.open ? "+" : "-") + e.text;
    }
  }
  void ShowFiles(const std::vector<std::string>& names) override {
    trace.push_back("files");
    for (const std::string& name : names) trace.back() += (&name == &names[0] ? " " : ",") + name;
  }
  void EndProgram() override { ended = true; }

  std::array<std::string, kControlCount> texts;
  std::array<Picture, kControlCount> pictures{};
  std::string title{kDesignTitle};
  std::vector<ShownMessage> messages;
  std::deque<Answer> answers;
  std::function<void()> whileOpen;
  std::vector<Ctl> textWrites;  // controls written, in order
  bool ended = false;
  // What the lists and the size box showed, in order: "drive c:", "files a,b", "size 4,50", and
  // "dir 0+c:\ *1+dvd 2-sub": each line's depth, open (+) or closed (-), the current one starred.
  std::vector<std::string> trace;
  // Benchmarks turn the bookkeeping off, so that they time the program and not the fake.
  bool record = true;
};

// The range bar's drawing calls: 'C'lear, 'S'cale, 'F'ill, 'L'ine, with their x coordinates and
// colours.
class FakeCanvas final : public Canvas {
 public:
  struct Op {
    char kind;
    float x1 = 0, x2 = 0;
    Colour colour;
  };
  void Clear() override { ops.push_back({'C'}); }
  void SetScale(float w, float) override { ops.push_back({'S', 0, w}); }
  void FillRect(float x1, float, float x2, float, Colour c) override {
    ops.push_back({'F', x1, x2, c});
  }
  void Line(float x1, float, float x2, float, Colour c) override {
    ops.push_back({'L', x1, x2, c});
  }
  std::vector<Op> ops;
};

// Files and directories in memory; searches yield entries in the order they were added. Paths
// compare without letter case or trailing backslashes: "C:\DVD\" is "c:\dvd". Every call counts,
// and `failAtCall` makes the call with that number fail as the platform would.
class FakeFileSystem final : public FileSystem {
 public:
  static constexpr unsigned kReadOnly = 1;

  // A directory when `path` ends in a backslash; a file holds "old" and is 2^31 bytes long.
  void Add(std::string path, unsigned attributes = 0) {
    const bool directory = path.ends_with('\\');
    if (directory) path.pop_back();
    entries_.push_back({std::move(path), directory, attributes, "old", 1ULL << 31});
  }
  std::string Content(std::string_view path) {  // empty when missing
    const Entry* entry = Find(path, false);
    return entry ? entry->content : "";
  }

  std::optional<std::vector<std::string>> FindFiles(std::string_view pattern,
                                                    unsigned attributes) override {
    const std::string dir = Parent(pattern);
    if (Fails() || (dir.size() > 2 && !DirectoryExists(dir)) || !DriveReady(dir)) return {};
    std::vector<std::string> names;
    for (const Entry& e : entries_)
      if (!e.directory && Parent(e.path) == dir && (e.attributes & ~attributes & ~kReadOnly) == 0 &&
          MatchesWildcard(Name(e.path), pattern.substr(pattern.rfind('\\') + 1)))
        names.push_back(Name(e.path));
    return names;
  }
  std::optional<std::uint64_t> FileLength(std::string_view path) override {
    const Entry* entry = Find(path, false);
    if (Fails() || !entry) return {};
    return entry->length;
  }
  bool RemoveFile(std::string_view path) override {
    const Entry* entry = Find(path, false);
    if (Fails() || !entry || (entry->attributes & kReadOnly)) return false;
    entries_.erase(entries_.begin() + (entry - entries_.data()));
    return true;
  }
  bool WriteWholeFile(std::string_view path, std::string_view bytes) override {
    if (Fails() || !DirectoryExists(Parent(path)) || Find(path, true)) return false;
    if (!Find(path, false)) Add(std::string(path));
    Entry* entry = Find(path, false);
    if (entry->attributes & kReadOnly) return false;
    entry->content = bytes;
    entry->length = bytes.size();
    return true;
  }
  std::optional<std::string> ToAnsi(std::string_view text) override {
    // Latin-1 stands in for the ANSI code page: code points above U+00FF cannot be written, the
    // rest passes as it is.
    const auto beyond = [](char c) { return static_cast<unsigned char>(c) >= 0xC4; };
    if (Fails() || std::ranges::any_of(text, beyond)) return {};
    return std::string(text);
  }
  std::vector<std::string> ListDrives() override {
    std::vector<std::string> names;
    for (const DriveInfo& drive : drives) names.push_back(drive.drive);
    return names;
  }
  std::string DriveLabel(std::string_view drive) override {
    ++labelReads;
    const auto it = std::ranges::find(drives, drive, &DriveInfo::drive);
    return it != drives.end() ? it->label.value_or("") : "";
  }
  std::optional<std::vector<FoundDirectory>> ListSubdirectories(std::string_view dir) override {
    if (Fails() || !DirectoryExists(dir)) return {};
    std::vector<FoundDirectory> found;
    for (const Entry& e : entries_)
      if (e.directory && Parent(e.path) == Key(dir)) found.push_back({Name(e.path), e.attributes});
    return found;
  }
  std::optional<std::string> DriveDirectory(std::string_view drive) override {
    if (Fails()) return {};
    const auto it = driveDirectories.find(LowerAscii(drive));
    return it != driveDirectories.end() ? it->second : LowerAscii(drive) + "\\";
  }
  bool DirectoryExists(std::string_view dir) override {
    // A root of a ready drive, or a directory made.
    return DriveReady(dir) && ((Key(dir).size() == 2 && Key(dir)[1] == ':') || Find(dir, true));
  }
  std::string CurrentDirectory() override { return currentDirectory; }
  std::string FullPath(std::string_view path) override {
    return currentDirectory + "\\" + std::string(path);
  }

  std::vector<DriveInfo> drives;
  int labelReads = 0;                 // DriveLabel calls
  std::vector<std::string> notReady;  // drives without a medium, "e:"
  std::string currentDirectory = "c:\\";
  std::map<std::string, std::string> driveDirectories;  // "d:" -> "d:\dvd"; the root otherwise
  int failAtCall = 0;                                   // 0: nothing fails
  int calls = 0;

 private:
  struct Entry {
    std::string path;  // as given, letter case kept
    bool directory = false;
    unsigned attributes = 0;
    std::string content;
    std::uint64_t length = 0;
  };
  static std::string Key(std::string_view path) {
    std::string key = LowerAscii(path);
    while (key.ends_with('\\')) key.pop_back();
    return key;
  }
  static std::string Parent(std::string_view path) {
    const std::string key = Key(path);
    return key.substr(0, std::min(key.size(), key.rfind('\\')));
  }
  static std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
  bool Fails() { return ++calls == failAtCall; }
  bool DriveReady(std::string_view path) const {
    return std::ranges::find(notReady, LowerAscii(path.substr(0, 2))) == notReady.end();
  }
  Entry* Find(std::string_view path, bool directory) {
    for (Entry& e : entries_)
      if (Key(e.path) == Key(path) && e.directory == directory) return &e;
    return nullptr;
  }
  std::vector<Entry> entries_;
};

// Values under "app/section/key".
class FakeSettings final : public SettingsStore {
 public:
  std::string Read(std::string_view app, std::string_view section, std::string_view key) override {
    return values[Key(app, section, key)];
  }
  bool Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override {
    if (!failWrites) values[Key(app, section, key)] = value;
    return !failWrites;
  }
  static std::string Key(std::string_view app, std::string_view section, std::string_view key) {
    return std::string(app) + "/" + std::string(section) + "/" + std::string(key);
  }
  std::map<std::string, std::string> values;
  bool failWrites = false;
};

class FakeLocale final : public NumberLocale {
 public:
  NumberSeparators Separators() override { return separators; }
  NumberSeparators separators{",", "."};
};

inline const NumberSeparators kGerman{",", "."};
inline const NumberSeparators kEnglish{".", ","};
inline const NumberSeparators kFrench{",", "\u202F"};

// The calculation's input boxes: source, target, playing time, bitrate, reserve.
inline constexpr Ctl kCalcInputs[] = {Ctl::inp_SourceSize, Ctl::inp_DestSize, Ctl::inp_Playtime,
                                      Ctl::inp_Bitrate, Ctl::inp_SafeGuard};

// What a calculation writes, in the order it writes them: film, audio, new audio, new film, the
// sums, the factor and the new bitrate.
inline constexpr Ctl kCalcResults[] = {
    Ctl::dsp_FilmSize,  Ctl::dsp_AudioSize, Ctl::dsp_DestAudioSize, Ctl::dsp_DestFilmSize,
    Ctl::dsp_SumSource, Ctl::dsp_SumDest,   Ctl::dsp_DestFactor,    Ctl::dsp_NewBr};

// The program's window on fakes: type, click, and look at what changed.
struct TestWindow {
  FakeForm form;
  FakeCanvas canvas;
  FakeFileSystem files;
  FakeSettings settings;
  FakeLocale locale;
  frm_Main window{Ports{form, canvas, files, settings, locale}};

  // Starts the program as a user would, in the stored language.
  void Load(bool english) {
    settings.values["Tolva/Settings/English"] = english ? "True" : "False";
    window.Form_Load();
    form.textWrites.clear();
  }
  void Type(Ctl control, std::string_view text) {
    form.SetText(control, text);
    window.OnEvent(control, Event::Change);
  }
  void Click(Ctl control) { window.OnEvent(control, Event::Click); }
};

// The messages of a run, one letter each, in German unless `english`. Questions: bitrate low (b)
// or high (B), playing time short (p) or long (P), reserve small (r) or large (R), no DVD size (d),
// fits already (f), Overwrite d:\dvd\MOVIE.CFFL, Other CFFL, Vinf, name Warning. Errors: not
// numeric (e), No VOB, Empty name, bad name "..\X" (n), not Deleted d:\dvd\A.CFFL.VINF, a VOB
// name not in ANSI (A) or not on a Line, Failed write, not on a drive (U: \\server\dvd), setting
// not saved (s). Notes: Success, resTart.
inline std::vector<ShownMessage> Said(std::string_view letters, bool english = false) {
  using namespace msg;
  using enum MessageStyle;
  constexpr std::string_view kLetters = "bBpPrRdfOCVWeNEnDALFUsST";  // questions, errors, notes
  const Message* const texts[] = {
      &kLowBitrate,   &kHighBitrate,     &kShortPlaytime, &kLongPlaytime, &kSmallReserve,
      &kLargeReserve, &kNoDvdSize,       &kFitsAlready,   &kOverwrite,    &kOtherCffl,
      &kVinf,         &kNameWarning,     &kNotNumeric,    &kNoVob,        &kEmptyName,
      &kBadName,      &kNotDeleted,      &kNotAnsi,       &kNotAnsi,      &kWriteFailed,
      &kNotOnADrive,  &kSettingNotSaved, &kWritten,       &kRestart};
  std::map<char, std::string> subjects = {
      {'O', "d:\\dvd\\MOVIE.CFFL"},    {'n', "..\\X"},
      {'D', "d:\\dvd\\A.CFFL.VINF"},   {'A', "d:\\dvd\\VTS_01_\u5F71.VOB"},
      {'L', "d:\\dvd\\VTS_01_1|.VOB"}, {'U', "\\\\server\\dvd"}};
  std::vector<ShownMessage> said;
  for (const char c : letters) {
    const size_t i = kLetters.find(c);
    const Message& title = i < 12 ? kTitleQuestion : i < 22 ? kTitleError : kTitleNote;
    const MessageStyle style = i > 11 ? Info : c == 'C' || c == 'V' ? AskDefaultYes : AskDefaultNo;
    said.push_back({texts[i]->Text(english, subjects[c]), title.Text(english), style});
  }
  return said;
}

}  // namespace orvanto::fakes
