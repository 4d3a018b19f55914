// Long use: starts Orvanto.exe in a folder of 5,23 GB and drives it from outside, the way the UI
// tests do, through many calculations (each drawing the range bar) and folder changes, then
// reports how its working set and its GDI and USER object counts moved.
//
// The folder DIR must hold the sample files and exactly one subdirectory "sub", which holds the
// same files and one subdirectory of its own: both measure 5,23 GB, so every calculation asks
// nothing, and the directory list is one line longer in "sub", which shows that each change
// really moved it. Every message is sent and waited for, so the counts are exact.
//
// Usage: orvanto_soak --dir DIR --exe EXE --separators german|english
//                     [--rounds N] [--warmup W] [--calculations C]
// Each round is C calculations (default 10) and one folder change; W rounds (default 10) come
// before the first reading, N rounds (default 1000) between the two. Prints "key=value" lines.

#include <windows.h>
// after windows.h, which they need
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

#include "MainWindowOf.h"
#include "win32/ControlIds.h"

namespace {

using orvanto::Ctl;
using orvanto::win32::ControlId;

constexpr UINT kAnswerMs = 10000;  // a handler that needs longer is stuck on a question

struct Expected {  // the worked example with playing time 7000 and bitrate 5390000
  const wchar_t *decimal, *thousand, *filmSize, *newBitrate;
};
constexpr Expected kGerman{L",", L".", L"4.497,77 MB", L"4.128 KBit/s"};
constexpr Expected kEnglish{L".", L",", L"4,497.77 MB", L"4,128 KBit/s"};

PROCESS_INFORMATION process{};

// The separators of the prefix's user, which Orvanto reads at start; put back however the soak
// ends, so that the prefix is as it was.
constexpr const wchar_t* kInternational = L"Control Panel\\International";
std::wstring oldDecimal, oldThousand;

void SetSeparators(const wchar_t* decimal, const wchar_t* thousand) {
  for (const auto& [name, value] :
       {std::pair{L"sDecimal", decimal}, std::pair{L"sThousand", thousand}}) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kInternational, name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
}

void RestoreSeparators() {
  if (!oldDecimal.empty()) SetSeparators(oldDecimal.c_str(), oldThousand.c_str());
}

[[noreturn]] void Fail(const wchar_t* what) {
  fwprintf(stderr, L"soak: %ls (error %lu)\n", what, GetLastError());
  fflush(stderr);
  if (process.hProcess) TerminateProcess(process.hProcess, 1);
  RestoreSeparators();
  ExitProcess(2);
}

std::wstring Separator(const wchar_t* name) {
  wchar_t value[16]{};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kInternational, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    Fail(L"cannot read the regional separators");
  }
  return value;
}

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Windows {
  DWORD processId;
  int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
  ++reinterpret_cast<Windows*>(lParam)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam) {
  auto* windows = reinterpret_cast<Windows*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != windows->processId) return TRUE;
  ++windows->count;
  EnumChildWindows(hwnd, CountChild, lParam);  // all descendants, not only the children
  return TRUE;
}

class App {
 public:
  App(const std::wstring& exe, const std::wstring& dir) {
    STARTUPINFOW startup{sizeof(startup)};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.c_str(), &startup, &process)) {
      Fail(L"cannot start Orvanto.exe");
    }
    WaitForInputIdle(process.hProcess, 30000);
    // Visible only once its controls exist: found during its creation, it would have none.
    for (int i = 0; i < 3000 && !(main_ = VisibleMainWindow(process.dwProcessId)); ++i) Sleep(10);
    if (!main_) Fail(L"no OrvantoMain window within 30 s");
    Send(main_, WM_NULL, 0, 0);  // answered from its message loop: start-up is over
  }

  ~App() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) Fail(L"did not exit");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  HWND Control(Ctl control) const { return GetDlgItem(main_, ControlId(control)); }

  LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result)) {
      Fail(L"no answer within 10 s: a question or a hang");
    }
    return static_cast<LRESULT>(result);
  }

  std::wstring Text(Ctl control) const {
    wchar_t text[256]{};
    Send(Control(control), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
  }

  void Calculate(int bitrate) const {
    const std::wstring text = std::to_wstring(bitrate);
    Send(Control(Ctl::inp_Bitrate), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Send(main_, WM_COMMAND, MAKEWPARAM(ControlId(Ctl::btn_Calculate), BN_CLICKED),
         reinterpret_cast<LPARAM>(Control(Ctl::btn_Calculate)));
  }

  // Opens the line `offset` away from the open directory: +1 its subdirectory, -1 its parent.
  void ChangeFolder(int offset) const {
    const HWND list = Control(Ctl::lst_Path);
    const auto count = Send(list, LB_GETCOUNT, 0, 0);
    const auto line = Send(list, LB_GETCURSEL, 0, 0) + offset;
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    Send(main_, WM_COMMAND, MAKEWPARAM(ControlId(Ctl::lst_Path), LBN_DBLCLK),
         reinterpret_cast<LPARAM>(list));
    if (Send(list, LB_GETCOUNT, 0, 0) != count + offset) Fail(L"a folder change did not happen");
  }

  std::wstring OpenDirectory() const {
    const HWND list = Control(Ctl::lst_Path);
    wchar_t text[MAX_PATH]{};
    Send(list, LB_GETTEXT, static_cast<WPARAM>(Send(list, LB_GETCURSEL, 0, 0)),
         reinterpret_cast<LPARAM>(text));
    return text;
  }

  // Read once everything sent so far has been handled and the window has painted.
  void Report(const wchar_t* when) const {
    Sleep(300);
    Send(main_, WM_NULL, 0, 0);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters))) {
      Fail(L"GetProcessMemoryInfo failed");
    }
    // The windows of the process: the USER objects that Wine, whose GetGuiResources reads 0,
    // still lets us count.
    Windows windows{process.dwProcessId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    wprintf(L"workingset_%ls=%zu\ngdi_%ls=%lu\nuser_%ls=%lu\nwindows_%ls=%d\n", when,
            counters.WorkingSetSize, when, GetGuiResources(process.hProcess, GR_GDIOBJECTS), when,
            GetGuiResources(process.hProcess, GR_USEROBJECTS), when, windows.count);
  }

 private:
  HWND main_ = nullptr;
};

// One calculation with the worked example's bitrate, which none of the soak uses: the labels can
// only read as expected if this very click was handled.
void Check(const App& app, const Expected& e, const wchar_t* directory) {
  app.Calculate(5390000);
  const std::pair<Ctl, const wchar_t*> labels[] = {{Ctl::dsp_DestFactor, L"78%"},
                                                   {Ctl::dsp_FilmSize, e.filmSize},
                                                   {Ctl::dsp_NewBr, e.newBitrate}};
  for (const auto& [control, text] : labels) {
    if (app.Text(control) != text) {
      fwprintf(stderr, L"soak: a label reads \"%ls\", expected \"%ls\"\n",
               app.Text(control).c_str(), text);
      Fail(L"the calculation did not give the worked example");
    }
  }
  if (app.OpenDirectory() != directory) Fail(L"the directory list is not where it should be");
}

struct Soak {
  const App& app;
  int calculations = 0, changes = 0;

  // Each round's folder change goes down into "sub" or back up, turn about.
  void Rounds(int rounds, int perRound) {
    for (int r = 0; r < rounds; ++r) {
      for (int c = 0; c < perRound; ++c) app.Calculate(5390001 + calculations++ % 1000);
      app.ChangeFolder(changes++ % 2 ? -1 : 1);
    }
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring dir, exe, separators;
  int rounds = 1000, warmup = 10, calculations = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring arg = argv[i];
    if (arg == L"--dir") dir = argv[i + 1];
    if (arg == L"--exe") exe = argv[i + 1];
    if (arg == L"--separators") separators = argv[i + 1];
    if (arg == L"--rounds") rounds = _wtoi(argv[i + 1]);
    if (arg == L"--warmup") warmup = _wtoi(argv[i + 1]);
    if (arg == L"--calculations") calculations = _wtoi(argv[i + 1]);
  }
  if (dir.empty() || exe.empty() || (separators != L"german" && separators != L"english") ||
      rounds < 2 || rounds % 2 || warmup < 0 || warmup % 2 || calculations < 1) {
    fwprintf(stderr,
             L"usage: orvanto_soak --dir DIR --exe EXE --separators german|english\n"
             L"       [--rounds EVEN] [--warmup EVEN] [--calculations C]\n");
    return 2;
  }
  const Expected& expected = separators == L"german" ? kGerman : kEnglish;
  oldDecimal = Separator(L"sDecimal");
  oldThousand = Separator(L"sThousand");
  SetSeparators(expected.decimal, expected.thousand);
  App app(exe, dir);
  const std::wstring parent = app.OpenDirectory();
  if (app.Text(Ctl::inp_SourceSize) != L"5,23") Fail(L"the folder does not measure 5,23 GB");
  app.Send(app.Control(Ctl::inp_Playtime), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7000"));
  Check(app, expected, parent.c_str());

  Soak soak{app};
  soak.Rounds(warmup, calculations);
  app.Report(L"before");
  const double start = Now();
  soak.Rounds(rounds, calculations);
  const double seconds = Now() - start;
  app.Report(L"after");
  Check(app, expected, parent.c_str());
  wprintf(
      L"separators=%ls\nwarmup_calculations=%d\nwarmup_changes=%d\ncalculations=%d\n"
      L"folder_changes=%d\nseconds=%.1f\n",
      separators.c_str(), warmup * calculations, warmup, rounds * calculations, rounds, seconds);
  RestoreSeparators();
  return 0;
}
