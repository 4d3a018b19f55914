#!/usr/bin/env bash
# Builds and runs the benchmarks: start-up, memory and executable size of Orvanto.exe against
# baseline programs built the same way, the size measurement against a bare search loop (all
# under one warm Wine server), and one read-out update in the native core. Prints a Markdown
# table of the figures, also written to build/bench/results.md; exits non-zero when a target is
# missed. The start-up is measured in three runs; ORVANTO_BENCH_RUNS sets the number of measured
# starts per program in each (default 30).
# Then the soak: Orvanto.exe driven through 10,000 calculations and 1,000 folder changes, once
# under German and once under English separators, its working set and object counts read before
# and after. `scripts/bench.sh soak` runs the soak alone, `scripts/bench.sh startup` the start-up
# and memory figures alone.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

MODE=${1:-all}
if [[ $MODE != all && $MODE != soak && $MODE != startup ]]; then
  echo "usage: scripts/bench.sh [soak|startup]" >&2
  exit 2
fi
RUNS=${ORVANTO_BENCH_RUNS:-30}
STARTUP_RUNS=3
WARMUP=2
OUT=$BUILD/bench
RAW=$OUT/raw
COMMAND="scripts/bench.sh${1:+ $1}${ORVANTO_BENCH_RUNS:+ (ORVANTO_BENCH_RUNS=$ORVANTO_BENCH_RUNS)}"

ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" libbenchmark-dev

cmake -S "$ROOT" -B "$OUT/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DORVANTO_WINE_TESTS=OFF -DORVANTO_BENCH=ON >/dev/null
if [[ $MODE == soak ]]; then
  say "building Orvanto.exe and the soak driver"
  cmake --build "$OUT/win32" --target Orvanto orvanto_soak -j"$(nproc)" >/dev/null
elif [[ $MODE == startup ]]; then
  say "building Orvanto.exe, the baseline programs and the start-up probe"
  cmake --build "$OUT/win32" --target Orvanto orvanto_bench_empty orvanto_bench_controls \
    orvanto_startprobe -j"$(nproc)" >/dev/null
else
  say "building Orvanto.exe, the baseline programs and the probes"
  cmake --build "$OUT/win32" -j"$(nproc)" >/dev/null
  say "building the native core benchmark (no sanitizers, -O2)"
  cmake -S "$ROOT" -B "$OUT/native" -DORVANTO_BENCH=ON -DORVANTO_SANITIZE=OFF \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
  cmake --build "$OUT/native" --target orvanto_typing_bench -j"$(nproc)" >/dev/null
fi

BIN=$OUT/win32/bin
rm -rf "$RAW"
mkdir -p "$RAW"
wine_path() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

say "creating the directories to measure"
python3 - "$OUT" "$MODE" <<'PY'
import os, sys
out, mode = sys.argv[1:]

def make(path, size):
    with open(path, "wb") as f:
        f.truncate(size)  # sparse: gigabytes of VOBs cost no disk space

# The soak's folder, 5,23 GB, and its subdirectory "sub" holding the same files, so that each
# folder change measures the same size; "sub" has a subdirectory of its own, so that the
# directory list is one line longer there.
for folder in ("soak", os.path.join("soak", "sub")):
    os.makedirs(os.path.join(out, folder), exist_ok=True)
    for name in ("VTS_01_0.IFO", "VTS_01_0.BUP"):
        make(os.path.join(out, folder, name), 24576)
    for i in range(1, 6):
        make(os.path.join(out, folder, f"VTS_01_{i}.VOB"), 1123117904)
os.makedirs(os.path.join(out, "soak", "sub", "inner"), exist_ok=True)
if mode == "soak":
    sys.exit(0)

# A DVD as IFOEdit leaves it: one title set, five full VOBs.
dvd = os.path.join(out, "dvd")
os.makedirs(dvd, exist_ok=True)
for name in ("VTS_01_0.IFO", "VTS_01_0.BUP"):
    make(os.path.join(dvd, name), 30720)
for i in range(1, 6):
    make(os.path.join(dvd, f"VTS_01_{i}.VOB"), 1073709056)
if mode == "startup":
    sys.exit(0)

# A crowded directory: 10,000 other files, 60 VOB/IFO/BUP files, 20 subdirectories.
crowd = os.path.join(out, "measure")
os.makedirs(crowd, exist_ok=True)
extensions = ["txt", "jpg", "dat", "log", "mp3"]
for n in range(10000):
    make(os.path.join(crowd, f"file{n:05d}.{extensions[n % 5]}"), 0)
for t in range(1, 21):
    make(os.path.join(crowd, f"VTS_{t:02d}_0.IFO"), 20480)
    make(os.path.join(crowd, f"VTS_{t:02d}_0.BUP"), 20480)
    make(os.path.join(crowd, f"VTS_{t:02d}_1.VOB"), 1073709056)
for s in range(20):
    os.makedirs(os.path.join(crowd, f"dir{s:02d}"), exist_ok=True)
PY

use_prefix "$BUILD/wine-bench"
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true  # this prefix's server only: WINEPREFIX is ours
  stop_display
}
trap cleanup EXIT
start_display
"$WINESERVER" -p  # one warm server for every run below

{
  echo "nproc=$(nproc)"
  echo "cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
  echo "wine=$("$WINE" --version)"
  echo "load=$(cut -d' ' -f1-3 /proc/loadavg)"
  echo "warmup=$WARMUP"
  [[ $MODE == soak ]] || echo "dvd=VTS_01_0.IFO/BUP and VTS_01_1..5.VOB, $(du -b --apparent-size -s "$OUT/dvd" | awk '{printf "%.2f GiB", $1 / 2^30}')"
  echo "command=$COMMAND"
} >"$RAW/machine.txt"

finish() {
  echo "load_end=$(cut -d' ' -f1-3 /proc/loadavg)" >>"$RAW/machine.txt"
  python3 "$ROOT/bench/report.py" "$RAW" "$MODE"
}

# Last in a full run, so that the figures before it are taken as they always were.
soak() {
  local separators
  for separators in german english; do
    say "soak under $separators separators: 10,000 calculations and 1,000 folder changes"
    "$WINE" "$BIN/orvanto_soak.exe" --dir "$(wine_path "$OUT/soak")" \
      --exe "$(wine_path "$BIN/Orvanto.exe")" --separators "$separators" \
      >"$RAW/soak-$separators.txt" 2>"$RAW/soak-$separators.err" ||
      { cat "$RAW/soak-$separators.err" >&2; exit 1; }
  done
}
if [[ $MODE == soak ]]; then
  soak
  finish
  exit
fi

# The fair floor once more under another name: how far apart one program's runs read is the
# bench's resolution.
cp "$BIN/orvanto_bench_controls.exe" "$BIN/orvanto_bench_copy.exe"
for run in $(seq "$STARTUP_RUNS"); do
  say "start-up and memory, run $run of $STARTUP_RUNS: $RUNS starts of each program after $WARMUP warm-up rounds"
  "$WINE" "$BIN/orvanto_startprobe.exe" --dir "$(wine_path "$OUT/dvd")" --runs "$RUNS" \
    --warmup "$WARMUP" "empty=$(wine_path "$BIN/orvanto_bench_empty.exe")" \
    "controls=$(wine_path "$BIN/orvanto_bench_controls.exe")" \
    "orvanto=$(wine_path "$BIN/Orvanto.exe")" "copy=$(wine_path "$BIN/orvanto_bench_copy.exe")" \
    >"$RAW/startup-$run.txt" 2>"$RAW/startup-$run.err"
done

say "checking Wine's peak working set against Linux's for one held start"
release=$RAW/release
"$WINE" "$BIN/orvanto_startprobe.exe" --dir "$(wine_path "$OUT/dvd")" \
  --hold "$(wine_path "$release")" "$(wine_path "$BIN/Orvanto.exe")" >"$RAW/hold.txt" 2>"$RAW/hold.err" &
probe=$!
for _ in $(seq 300); do grep -qs '^holding' "$RAW/hold.txt" && break; sleep 0.1; done
linux_peak=
for proc in /proc/[0-9]*; do
  # The Orvanto.exe of this run: its path and our prefix, not another engineer's copy.
  tr '\0' '\n' 2>/dev/null <"$proc/cmdline" | head -1 | grep -qF "$(wine_path "$BIN/Orvanto.exe")" || continue
  tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
  linux_peak=$(awk '/^VmHWM:/ {print $2 * 1024}' "$proc/status")
done
touch "$release"
wait "$probe"
echo "wine=$(awk '/^holding/ {print $3}' "$RAW/hold.txt")" >"$RAW/memcheck.txt"
echo "linux=${linux_peak:-0}" >>"$RAW/memcheck.txt"

# Exact where the times are not: the requests each program's thread makes to the Wine server, each
# a round trip to another process, logged by a server started for this alone.
say "counting each program's Wine server requests for one start"
"$WINESERVER" -k
"$WINESERVER" -w
"$WINESERVER" -f -d1 2>"$RAW/requests.log" &
server=$!
for name in empty controls orvanto; do  # the first run also starts Wine's own services
  exe=$BIN/orvanto_bench_$name.exe
  [[ $name == orvanto ]] && exe=$BIN/Orvanto.exe
  echo "$name $(stat -c %s "$RAW/requests.log")" >>"$RAW/requests.offsets"
  "$WINE" "$BIN/orvanto_startprobe.exe" --dir "$(wine_path "$OUT/dvd")" --runs 1 --warmup 1 \
    "$name=$(wine_path "$exe")" >"$RAW/requests-$name.txt" 2>&1
done
echo "end $(stat -c %s "$RAW/requests.log")" >>"$RAW/requests.offsets"
"$WINESERVER" -k
wait "$server" || true
"$WINESERVER" -p  # the warm server again for what follows
if [[ $MODE == startup ]]; then
  finish
  exit
fi

say "size measurement: MeasureOutputDir against a bare FindFirstFileExW loop"
"$WINE" "$BIN/orvanto_measurebench.exe" --dir "$(wine_path "$OUT/measure")" --samples "$RUNS" \
  >"$RAW/measure.txt" 2>"$RAW/measure.err"

say "executable size and imports"
stat -c %s "$BIN/Orvanto.exe" >"$RAW/orvanto.size"
stat -c %s "$BIN/orvanto_bench_controls.exe" >"$RAW/controls.size"
x86_64-w64-mingw32-objdump -p "$BIN/Orvanto.exe" | awk '/DLL Name:/ {print $3}' >"$RAW/orvanto.dlls"

say "one read-out update in the core"
"$OUT/native/bench/orvanto_typing_bench" --benchmark_repetitions="$RUNS" \
  --benchmark_format=json >"$RAW/typing.json" 2>"$RAW/typing.err"

soak
finish
