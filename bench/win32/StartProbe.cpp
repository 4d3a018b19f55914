// Starts programs and times each from CreateProcess until its main window is up and idle, then
// reads its peak working set and closes it. The programs take turns, round after round, each
// round in a shuffled order, so that a change in the machine's load falls on all of them alike.
//
// "Up and idle", the same for every program: WaitForInputIdle has returned, a visible unowned
// top-level window of the process exists, and that window's thread has answered a WM_NULL sent
// to it, which it can only do from its message loop.
//
// Usage: orvanto_startprobe --dir DIR --runs N --warmup W NAME=EXE...
//        orvanto_startprobe --dir DIR --hold RELEASEFILE EXE
// Prints one line per measured start: "start NAME MILLISECONDS PEAK_WORKING_SET_BYTES".
// --hold starts EXE once, prints "holding WINPID PEAK_WORKING_SET_BYTES" and keeps the program
// running until RELEASEFILE exists, so that the same figure can be read from outside.

#include <windows.h>
// after windows.h, which they need
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "MainWindowOf.h"

namespace {

constexpr DWORD kSettleMs = 300;

struct Program {
  std::wstring name;
  std::wstring path;
};

struct Start {
  double milliseconds = 0;
  SIZE_T peakWorkingSet = 0;
  bool polled = false;  // the window was not yet visible when WaitForInputIdle returned
};

double Now() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / ticksPerMs;
}

[[noreturn]] void Fail(const wchar_t* what, const std::wstring& program) {
  fwprintf(stderr, L"startprobe: %ls: %ls (error %lu)\n", program.c_str(), what, GetLastError());
  fflush(stderr);
  ExitProcess(2);
}

void Close(const PROCESS_INFORMATION& process, HWND window, const std::wstring& path) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    Fail(L"did not exit within 30 s of WM_CLOSE", path);
  }
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (code != 0) Fail(L"exited with a non-zero code", path);
}

// Starts the program and returns once it is up and idle; the caller closes it.
Start Launch(const std::wstring& path, const std::wstring& dir, PROCESS_INFORMATION& process,
             HWND& window) {
  STARTUPINFOW startup{sizeof(startup)};
  std::wstring commandLine = L"\"" + path + L"\"";
  Start start;
  const double t0 = Now();
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &process)) {
    Fail(L"CreateProcess failed", path);
  }
  if (WaitForInputIdle(process.hProcess, 30000) != 0) Fail(L"never became idle", path);
  const double deadline = Now() + 30000;
  while (!(window = VisibleMainWindow(process.dwProcessId))) {
    start.polled = true;
    if (Now() > deadline) Fail(L"showed no window within 30 s", path);
    Sleep(1);
  }
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) {
    Fail(L"did not answer a message within 30 s", path);
  }
  start.milliseconds = Now() - t0;

  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters))) {
    Fail(L"GetProcessMemoryInfo failed", path);
  }
  start.peakWorkingSet = counters.PeakWorkingSetSize;
  return start;
}

Start Measure(const std::wstring& path, const std::wstring& dir) {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  const Start start = Launch(path, dir, process, window);
  Close(process, window, path);
  return start;
}

int Hold(const std::wstring& path, const std::wstring& dir, const std::wstring& release) {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  const Start start = Launch(path, dir, process, window);
  wprintf(L"holding %lu %zu\n", process.dwProcessId, start.peakWorkingSet);
  fflush(stdout);
  const double deadline = Now() + 60000;
  while (GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES && Now() < deadline) {
    Sleep(20);
  }
  Close(process, window, path);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring dir, release;
  int runs = 10, warmup = 1;
  std::vector<Program> programs;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--dir" && hasValue) {
      dir = argv[++i];
    } else if (arg == L"--runs" && hasValue) {
      runs = _wtoi(argv[++i]);
    } else if (arg == L"--warmup" && hasValue) {
      warmup = _wtoi(argv[++i]);
    } else if (arg == L"--hold" && hasValue) {
      release = argv[++i];
    } else if (const size_t eq = arg.find(L'='); eq != std::wstring::npos) {
      programs.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
    } else {
      programs.push_back({arg, arg});
    }
  }
  if (dir.empty() || programs.empty() || runs < 1 || warmup < 0) {
    fwprintf(stderr,
             L"usage: orvanto_startprobe --dir DIR [--runs N] [--warmup W] NAME=EXE...\n"
             L"       orvanto_startprobe --dir DIR --hold RELEASEFILE EXE\n");
    return 2;
  }
  if (!release.empty()) return Hold(programs.front().path, dir, release);

  // Each round in an order of its own: a program that always followed the same one would carry
  // whatever that one leaves behind when it ends. The seed is fixed, so that every run of the
  // bench takes the same orders.
  std::vector<size_t> order(programs.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::mt19937 random(20261207);
  for (int run = 0; run < warmup + runs; ++run) {
    std::shuffle(order.begin(), order.end(), random);
    for (const size_t k : order) {
      const Program& program = programs[k];
      const Start start = Measure(program.path, dir);
      // What Wine and the X server still do for the program that just ended must not fall on
      // the next start.
      Sleep(kSettleMs);
      if (run < warmup) continue;
      wprintf(L"start %ls %.3f %zu%ls\n", program.name.c_str(), start.milliseconds,
              start.peakWorkingSet, start.polled ? L" polled" : L"");
      fflush(stdout);
    }
  }
  return 0;
}
