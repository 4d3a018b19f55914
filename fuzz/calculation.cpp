// A whole calculation as a user makes it: five texts typed into the boxes (source, target,
// playing time, bitrate, reserve, split at "|"), then a click on the button. The first byte picks
// the separator set (bits 0-1), the language (bit 2) and which question, counted from 1, is
// answered No (bits 3-7; 0 answers every question Yes). Properties:
// - typing: a read-out changes only for a numeric text, and then shows its value in its pattern
//   ("<#,##0.00> MBit", "<#,##0> Min (<floor>h <00>m)"), the placeholder for what is not finite;
//   below 2^31 seconds the minutes within the hour lie in 0 to 60 and add up with the hours to
//   the total minutes;
// - the click either refuses (exactly when one of the four tested texts is not numeric: one error
//   message, nothing changed), or asks exactly the questions whose bounds are crossed, in order,
//   and stops at a No with nothing changed, or fills the six size labels ("<#,##0.00> MB" or
//   "— MB") and the factor ("<floor>%" or "—%") with the values of the formulas;
// - the new bitrate and the range bar change only when 0 < F <= 100 and the new bitrate is
//   finite, and then the bar is a clear, the 100 x 100 scale, the 101 band rectangles and one
//   vertical marker, every coordinate finite, the marker within one bar's width of the band;
// - nothing else of the window changes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/WindowLayout.h"
#include "app/frm_Main.h"
#include "common/KavelModules.h"
#include "common/NumberText.h"

using namespace orvanto;
using namespace orvanto::fuzz;

namespace {

struct Message {
  std::string text, title;
  int style;
};

// Answers every question Yes except the `noAt`-th.
class ScriptedForm final : public Form {
 public:
  explicit ScriptedForm(int noAt) : noAt_(noAt) {
    for (const ControlDesc& desc : Controls()) texts[Index(desc.id)] = desc.german;
  }
  std::string Text(Ctl control) override { return texts[Index(control)]; }
  void SetText(Ctl control, std::string_view text) override { texts[Index(control)] = text; }
  std::string Title() override { return ""; }
  void SetTitle(std::string_view) override { ++otherCalls; }
  int ShowMessage(std::string_view text, std::string_view title, int style) override {
    messages.push_back({std::string(text), std::string(title), style});
    if ((style & 0xF) == 0) return kAnswerOk;
    return ++asked_ == noAt_ ? kAnswerNo : kAnswerYes;
  }
  void CopyPicture(Ctl, Ctl) override { ++otherCalls; }
  void ShowDrives(const std::vector<std::string>&, int) override { ++otherCalls; }
  void ShowDirectories(const std::vector<DirEntry>&, int) override { ++otherCalls; }
  void ShowFiles(const std::vector<std::string>&) override { ++otherCalls; }
  void EndProgram() override { ++otherCalls; }

  std::array<std::string, kControlCount> texts;
  std::vector<Message> messages;
  int otherCalls = 0;

 private:
  int noAt_;
  int asked_ = 0;
};

struct Op {
  char kind;  // 'C'lear, 'S'cale, 'F'ill, 'L'ine
  float x1, y1, x2, y2;
};

class RecordingCanvas final : public Canvas {
 public:
  void Clear() override { ops.push_back({'C', 0, 0, 0, 0}); }
  void SetScale(float w, float h) override { ops.push_back({'S', 0, 0, w, h}); }
  void FillRect(float x1, float y1, float x2, float y2, Rgb) override {
    ops.push_back({'F', x1, y1, x2, y2});
  }
  void Line(float x1, float y1, float x2, float y2, Rgb) override {
    ops.push_back({'L', x1, y1, x2, y2});
  }
  std::vector<Op> ops;
};

// The calculation touches no file and no setting.
class NoFiles final : public FileSystem {
 public:
  std::optional<std::vector<std::string>> FindFiles(std::string_view, unsigned) override {
    return Touched(std::nullopt);
  }
  std::optional<std::uint64_t> FileLength(std::string_view) override {
    return Touched(std::nullopt);
  }
  bool RemoveFile(std::string_view) override { return Touched(false); }
  bool WriteWholeFile(std::string_view, std::string_view) override { return Touched(false); }
  std::optional<std::string> ToAnsi(std::string_view) override { return Touched(std::nullopt); }
  std::vector<DriveInfo> ListDrives() override { return Touched(std::vector<DriveInfo>{}); }
  std::optional<std::vector<FoundDirectory>> ListSubdirectories(std::string_view) override {
    return Touched(std::nullopt);
  }
  std::optional<std::string> DriveDirectory(std::string_view) override { return Touched(std::nullopt); }
  bool DirectoryExists(std::string_view) override { return Touched(false); }
  std::string CurrentDirectory() override { return Touched(std::string("c:\\")); }
  int calls = 0;

 private:
  template <typename T>
  T Touched(T result) {
    ++calls;
    return result;
  }
};

class NoSettings final : public SettingsStore {
 public:
  std::string Read(std::string_view, std::string_view, std::string_view) override {
    ++calls;
    return "";
  }
  bool Write(std::string_view, std::string_view, std::string_view, std::string_view) override {
    ++calls;
    return false;
  }
  int calls = 0;
};

class FixedLocale final : public NumberLocale {
 public:
  explicit FixedLocale(NumberSeparators s) : separators(std::move(s)) {}
  NumberSeparators Separators() override { return separators; }
  NumberSeparators separators;
};

constexpr Ctl kInputs[] = {Ctl::inp_SourceSize, Ctl::inp_DestSize, Ctl::inp_Playtime,
                           Ctl::inp_Bitrate, Ctl::inp_SafeGuard};
constexpr Ctl kResults[] = {Ctl::dsp_FilmSize,     Ctl::dsp_AudioSize, Ctl::dsp_DestAudioSize,
                            Ctl::dsp_DestFilmSize, Ctl::dsp_SumSource, Ctl::dsp_SumDest,
                            Ctl::dsp_DestFactor,   Ctl::dsp_NewBr};
constexpr std::string_view kEarlier = "earlier";

// `text` is `<value in pattern>` followed by `suffix`.
void CheckLabel(std::string_view text, double value, NumberPattern pattern,
                const NumberSeparators& s, std::string_view suffix) {
  FUZZ_CHECK(text.ends_with(suffix), Quote(text) + " lacks " + Quote(suffix));
  CheckFormatted(value, pattern, s, text.substr(0, text.size() - suffix.size()));
}

void CheckDuration(std::string_view text, double seconds, const NumberSeparators& s) {
  const size_t minutesEnd = text.find(" Min (");
  const size_t hoursEnd = text.find("h ", minutesEnd == std::string_view::npos ? 0 : minutesEnd);
  FUZZ_CHECK(minutesEnd != std::string_view::npos && hoursEnd != std::string_view::npos &&
                 text.ends_with("m)"),
             Quote(text));
  const double minutes = std::ceil(seconds / 60);
  const double hours = std::floor(seconds / 3600);
  const double inHour = std::ceil((seconds - 3600 * hours) / 60);
  CheckFormatted(minutes, NumberPattern::Grouped, s, text.substr(0, minutesEnd));
  FUZZ_CHECK(text.substr(minutesEnd + 6, hoursEnd - minutesEnd - 6) == ExpectedFloor(hours),
             Quote(text) + ", hours " + Show(hours));
  CheckFormatted(inHour, NumberPattern::TwoDigits, s,
                 text.substr(hoursEnd + 2, text.size() - hoursEnd - 4));
  // The hours and the minutes within the hour make up the total, for any time double arithmetic
  // holds exactly enough (far beyond any playing time).
  if (std::fabs(seconds) < 0x1p31) {
    FUZZ_CHECK(inHour >= 0 && inHour <= 60 && minutes == 60 * hours + inHour,
               Quote(text) + " for " + Show(seconds));
  }
}

void CheckBar(const std::vector<Op>& ops, double newBitrate) {
  FUZZ_CHECK(ops.size() == 104 && ops[0].kind == 'C' && ops[1].kind == 'S' && ops[1].x2 == 100 &&
                 ops[1].y2 == 100,
             "bar of " + Show(newBitrate));
  for (int i = 0; i <= 100; ++i) {
    const Op& r = ops[2 + static_cast<size_t>(i)];
    FUZZ_CHECK(r.kind == 'F' && r.x1 == i && r.y1 == 20 && r.x2 == i + 5 && r.y2 == 80,
               "band rectangle " + std::to_string(i));
  }
  const Op& line = ops.back();
  const double position = newBitrate / 9000000 * 100;
  FUZZ_CHECK(line.kind == 'L' && std::isfinite(line.x1) && line.x1 == line.x2 && line.y1 == 0 &&
                 line.y2 == 100 && line.x1 >= -100 && line.x1 <= 100,
             "marker at " + Show(line.x1) + " for " + Show(newBitrate));
  if (position >= -100) {
    FUZZ_CHECK(line.x1 == static_cast<float>(std::min(position, 100.0)),
               "marker at " + Show(line.x1) + " for " + Show(newBitrate));
  }
}

// The window on the fakes above.
struct Session {
  Session(const NumberSeparators& separators, bool english, int noAt)
      : form(noAt), locale(separators) {
    window.English = english;
    for (const Ctl label : kResults) form.texts[Index(label)] = kEarlier;
  }
  void Type(Ctl box, std::string_view text) {
    form.SetText(box, text);
    window.OnEvent(box, Event::Change);
  }

  ScriptedForm form;
  RecordingCanvas canvas;
  NoFiles files;
  NoSettings settings;
  FixedLocale locale;
  frm_Main window{Ports{form, canvas, files, settings, locale}};
};

// The plausibility checks whose bounds the inputs cross, in the order they are asked.
std::vector<int> Doubts(double source, double target, double playtime, double bitrate,
                        double reserve) {
  const bool doubtful[] = {bitrate<3500000, bitrate> 9000000, playtime<4800, playtime> 7200,
                           reserve<0.5, reserve> 2, target < 4.2 || target > 4.4, source < target};
  std::vector<int> checks;
  for (int i = 0; i < 8; ++i) {
    if (doubtful[i]) checks.push_back(i);
  }
  return checks;
}

// The question of each check, learnt once from calculations that cross that one bound only.
const std::string& Question(int check, bool english) {
  static const auto learnt = [] {
    const char* plausible[] = {"5,23", "4,37", "6000", "5390000", "1"};
    const struct {
      int box;
      const char* text;
    } crossing[] = {{3, "3000000"}, {3, "9500000"}, {2, "4000"}, {2, "8000"},
                    {4, "0,1"},     {4, "3"},       {1, "4,5"},  {0, "4"}};
    std::array<std::array<std::string, 8>, 2> questions;
    for (const bool inEnglish : {false, true}) {
      for (int q = 0; q < 8; ++q) {
        Session run(kRegions[0].separators, inEnglish, 0);
        for (int i = 0; i < 5; ++i) {
          run.Type(kInputs[i], i == crossing[q].box ? crossing[q].text : plausible[i]);
        }
        run.window.OnEvent(Ctl::btn_Calculate, Event::Click);
        FUZZ_CHECK(run.form.messages.size() == 1, "one question for check " + std::to_string(q));
        questions[inEnglish][q] = run.form.messages[0].text;
        for (int earlier = 0; earlier < q; ++earlier) {
          FUZZ_CHECK(questions[inEnglish][earlier] != questions[inEnglish][q],
                     "checks " + std::to_string(earlier) + " and " + std::to_string(q));
        }
      }
    }
    return questions;
  }();
  return learnt[english][check];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int region = data[0] & 3;
  const bool english = (data[0] & 4) != 0;
  const int noAt = data[0] >> 3;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string texts[5];
  for (int i = 0; i < 5; ++i) {
    const size_t bar = i < 4 ? rest.find('|') : std::string_view::npos;
    texts[i] = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
  }
  const NumberSeparators& s = kRegions[region].separators;
  const auto input = [&] {
    std::string all = kRegions[region].name;
    for (const std::string& text : texts) all += " " + Quote(text);
    return all + " No at " + std::to_string(noAt) + (english ? " English" : " German");
  };

  Session run(s, english, noAt);
  ScriptedForm& form = run.form;
  RecordingCanvas& canvas = run.canvas;

  for (int i = 0; i < 5; ++i) {
    const std::string mbit = form.texts[Index(Ctl::dsp_MBit)];
    const std::string duration = form.texts[Index(Ctl::dsp_Duration)];
    run.Type(kInputs[i], texts[i]);
    const bool numeric = IsNumeric(texts[i], s);
    const double value = KavelModules::ParseNumber(texts[i]);
    const std::string& newMbit = form.texts[Index(Ctl::dsp_MBit)];
    const std::string& newDuration = form.texts[Index(Ctl::dsp_Duration)];
    if (kInputs[i] == Ctl::inp_Bitrate && numeric) {
      CheckLabel(newMbit, value / 1024 / 1024, NumberPattern::Grouped2Decimals, s, " MBit");
    } else {
      FUZZ_CHECK(newMbit == mbit, input());
    }
    if (kInputs[i] == Ctl::inp_Playtime && numeric) {
      CheckDuration(newDuration, value, s);
    } else {
      FUZZ_CHECK(newDuration == duration, input());
    }
  }
  FUZZ_CHECK(form.messages.empty() && canvas.ops.empty(), input());

  const auto before = form.texts;
  run.window.OnEvent(Ctl::btn_Calculate, Event::Click);
  FUZZ_CHECK(form.otherCalls == 0 && run.files.calls == 0 && run.settings.calls == 0, input());
  for (const Ctl box : kInputs) FUZZ_CHECK(form.texts[Index(box)] == before[Index(box)], input());

  const bool numeric = IsNumeric(texts[1], s) && IsNumeric(texts[2], s) && IsNumeric(texts[3], s) &&
                       IsNumeric(texts[4], s);
  const auto unchanged = [&] { return form.texts == before && canvas.ops.empty(); };
  if (!numeric) {
    FUZZ_CHECK(form.messages.size() == 1 && form.messages[0].style == 64 &&
                   form.messages[0].title == (english ? "Error" : "Fehler") && unchanged(),
               input());
    return 0;
  }

  double v[5];
  for (int i = 0; i < 5; ++i) v[i] = KavelModules::ParseNumber(texts[i]);
  const double source = v[0], target = v[1], playtime = v[2], bitrate = v[3], reserve = v[4];
  const std::vector<int> doubts = Doubts(source, target, playtime, bitrate, reserve);
  const bool stopped = noAt > 0 && static_cast<size_t>(noAt) <= doubts.size();
  const size_t asked = stopped ? static_cast<size_t>(noAt) : doubts.size();
  FUZZ_CHECK(form.messages.size() == asked, input());
  for (size_t i = 0; i < asked; ++i) {
    const Message& m = form.messages[i];
    FUZZ_CHECK(m.style == 292 && m.title == (english ? "Question" : "Frage") &&
                   m.text == Question(doubts[i], english),
               input() + ": question " + std::to_string(i + 1) + " " + Quote(m.text));
  }
  if (stopped) {
    FUZZ_CHECK(unchanged(), input());
    return 0;
  }

  // The formulas, in the order and the units the calculation is defined in.
  const double sourceMb = source * 1024;
  const double keep = (100 - reserve) / 100;
  const double targetMb = target * 1024 * keep;
  const double movie = bitrate / 8 / 1024 / 1024 * playtime;
  const double audio = sourceMb - movie;
  const double newMovie = targetMb - audio;
  const double factor = newMovie / movie * 100;
  const std::pair<Ctl, double> sizes[] = {
      {Ctl::dsp_FilmSize, movie},          {Ctl::dsp_AudioSize, audio},
      {Ctl::dsp_DestAudioSize, audio},     {Ctl::dsp_DestFilmSize, newMovie},
      {Ctl::dsp_SumSource, movie + audio}, {Ctl::dsp_SumDest, newMovie + audio},
  };
  for (const auto& [label, megabytes] : sizes) {
    CheckLabel(form.texts[Index(label)], megabytes, NumberPattern::Grouped2Decimals, s, " MB");
  }
  FUZZ_CHECK(form.texts[Index(Ctl::dsp_DestFactor)] == ExpectedFloor(factor) + "%",
             input() + ": factor " + Show(factor) + " shown as " +
                 Quote(form.texts[Index(Ctl::dsp_DestFactor)]));

  const double newBitrate = bitrate * factor / 100;
  const std::string& shownBitrate = form.texts[Index(Ctl::dsp_NewBr)];
  if (factor > 0 && factor <= 100 && std::isfinite(newBitrate)) {
    CheckLabel(shownBitrate, newBitrate / 1024, NumberPattern::GroupedNoZero, s, " KBit/s");
    CheckBar(canvas.ops, newBitrate);
  } else {
    FUZZ_CHECK(shownBitrate == kEarlier && canvas.ops.empty(), input());
  }

  for (size_t i = 0; i < kControlCount; ++i) {
    if (std::find(std::begin(kResults), std::end(kResults), static_cast<Ctl>(i)) ==
        std::end(kResults)) {
      FUZZ_CHECK(form.texts[i] == before[i], input() + ": control " + std::to_string(i));
    }
  }
  return 0;
}
