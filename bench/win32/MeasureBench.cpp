// Times the program's size measurement of a directory, frm_Main::MeasureOutputDir through the real
// Win32FileSystem, against the floor: a bare FindFirstFileExW loop over the same three patterns
// that sums the sizes straight from the find data. The two take turns, call after call.
//
// Usage: orvanto_measurebench --dir DIR [--samples N] [--sample-ms MS]
// Prints "iterations K", then per sample "measure bare NS_PER_CALL" and
// "measure program NS_PER_CALL".

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Fakes.h"
#include "common/NumberText.h"
#include "win32/Text.h"
#include "win32/Win32Ports.h"

namespace {

using namespace orvanto;

std::uint64_t BareTotal(const std::wstring& dir) {
  std::uint64_t total = 0;
  for (const wchar_t* pattern : {L"*.BUP", L"*.IFO", L"*.VOB"}) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((dir + pattern).c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        total += (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return total;
}

double NowNs() {
  static const double ticksPerNs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e9;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / ticksPerNs;
}

template <typename F>
double Time(F call) {
  const double t0 = NowNs();
  call();
  return NowNs() - t0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring dir;
  int samples = 15;
  double sampleMs = 250;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring arg = argv[i];
    if (arg == L"--dir") dir = argv[i + 1];
    if (arg == L"--samples") samples = _wtoi(argv[i + 1]);
    if (arg == L"--sample-ms") sampleMs = _wtof(argv[i + 1]);
  }
  if (dir.empty() || samples < 1 || !SetCurrentDirectoryW(dir.c_str())) {
    fwprintf(stderr,
             L"usage: orvanto_measurebench --dir DIR [--samples N] [--sample-ms MS]\n"
             L"(the directory must exist)\n");
    return 2;
  }
  if (dir.back() != L'\\') dir += L'\\';

  fakes::FakeForm form;
  form.record = false;
  fakes::FakeCanvas canvas;
  fakes::FakeSettings settings;
  win32::Win32FileSystem files;
  win32::UserNumberLocale locale;
  frm_Main window(Ports{form, canvas, files, settings, locale});
  window.InitFolderLists();  // opens the current directory, as at start-up

  // Both sides must measure the same thing, or the comparison means nothing.
  const std::uint64_t bare = BareTotal(dir);
  window.MeasureOutputDir();
  // The size box is an input, written German-style under any regional settings.
  const std::string expected = FormatNumber(static_cast<double>(bare) / 1024 / 1024 / 1024,
                                            NumberPattern::Grouped2Decimals, {",", "."});
  const std::string& shown = form.texts[Index(Ctl::inp_SourceSize)];
  if (bare == 0 || shown != expected) {
    fwprintf(stderr,
             L"measurebench: the program shows \"%ls\", the bare loop found %llu bytes (\"%ls\")\n",
             win32::Widen(shown).c_str(), static_cast<unsigned long long>(bare),
             win32::Widen(expected).c_str());
    return 1;
  }

  const auto measureBare = [&] { BareTotal(dir); };
  const auto measureProgram = [&] { window.MeasureOutputDir(); };
  // Enough calls per sample that one sample lasts about sampleMs, far above the timer's tick.
  const double once = (Time(measureBare) + Time(measureBare) + Time(measureBare)) / 3;
  const int iterations = std::max(5, static_cast<int>(sampleMs * 1e6 / 2 / once));
  wprintf(L"iterations %d\nbytes %llu\n", iterations, static_cast<unsigned long long>(bare));
  for (int i = 0; i < iterations; ++i) measureProgram();  // warm-up
  // The two alternate call by call, each going first every other time, so that a burst of load
  // on the machine or a cache that one call warms for the next falls on both alike.
  for (int s = 0; s < samples; ++s) {
    double bareNs = 0, programNs = 0;
    for (int i = 0; i < iterations; ++i) {
      if (i % 2 == 0) {
        bareNs += Time(measureBare);
        programNs += Time(measureProgram);
      } else {
        programNs += Time(measureProgram);
        bareNs += Time(measureBare);
      }
    }
    wprintf(L"measure bare %.0f\nmeasure program %.0f\n", bareNs / iterations,
            programNs / iterations);
    fflush(stdout);
  }
  return 0;
}
