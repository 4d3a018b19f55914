// The cost of one read-out update: the bit rate box changes and the core turns its text into the
// "MBit" label, as it does on every keystroke.

#include <benchmark/benchmark.h>

#include <string>

#include "Fakes.h"

namespace {

using namespace orvanto;

// Texts a user passes through while typing a bit rate, German separators; every one of them is a
// number, so each update runs in full (parse, divide, format).
constexpr std::string_view kTyped[] = {"5",      "53",      "539",       "5.390",
                                       "53.900", "539.000", "5.390.000", "5.390.000,5"};

struct Window {
  fakes::TestWindow ports;
  Window() { ports.form.record = false; }

  const std::string& Type(std::string_view text) {
    ports.form.texts[Index(Ctl::inp_Bitrate)] = text;
    ports.window.OnEvent(Ctl::inp_Bitrate, Event::Change);
    return ports.form.texts[Index(Ctl::dsp_MBit)];
  }
};

void BM_BitrateReadOut(benchmark::State& state) {
  Window window;
  // A run that measured a handler doing nothing would be worthless: check one result first.
  if (window.Type("5.390.000") != "5,14 MBit") {
    state.SkipWithError("the read-out does not show 5,14 MBit for 5.390.000");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(window.Type(kTyped[i++ % std::size(kTyped)]).data());
  }
}
BENCHMARK(BM_BitrateReadOut);

}  // namespace

BENCHMARK_MAIN();
