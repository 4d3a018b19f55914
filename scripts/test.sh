#!/usr/bin/env bash
# Builds both halves from scratch and runs every test: the formatting check and clang-tidy on the
# core, the native unit tests (with AddressSanitizer and UndefinedBehaviorSanitizer), then under
# Wine the adapter tests and the UI tests of the real Orvanto.exe. Ends with one line "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" || exit 1
# Wine takes its code page and regional settings from the Unix locale: pin them, so that every
# machine runs the tests with the Western European code page (the tests set separators themselves).
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_NUMERIC

RESULTS=$BUILD/test-results
rm -rf "$BUILD/native" "$BUILD/win32" "$RESULTS"
mkdir -p "$RESULTS"

passed=0
failed=0
# Adds the counts of a JUnit or GoogleTest XML report; a missing report counts as one failure, and
# so does every test that did not run (skipped or disabled): it checked nothing.
count() {  # report-file
  local tests failures errors disabled skipped
  if [[ ! -s $1 ]]; then failed=$((failed + 1)); say "no report: $1"; return; fi
  attribute() { grep -o -m1 "[[:space:]]$1=\"[0-9]*\"" "$2" | grep -o '[0-9]*' || true; }
  tests=$(attribute tests "$1")
  failures=$(attribute failures "$1")
  errors=$(attribute errors "$1")
  disabled=$(attribute disabled "$1")
  skipped=$(grep -c '<skipped' "$1" || true)
  if ((${disabled:-0} + skipped > 0)); then
    say "$1: ${disabled:-0} disabled and $skipped skipped, counted as failed"
  fi
  failures=$((failures + ${errors:-0} + ${disabled:-0} + skipped))
  passed=$((passed + tests - failures))
  failed=$((failed + failures))
}

summary() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
}
trap 'stop_display' EXIT

# The benchmarks are built too, so that they cannot rot; they run only in scripts/bench.sh.
say "building the native core, its tests and the benchmarks"
if ! build_native -DORVANTO_BENCH=ON; then failed=$((failed + 1)); summary; exit 1; fi
say "building Orvanto.exe, the Wine tests and the benchmarks"
if ! build_windows -DORVANTO_BENCH=ON; then failed=$((failed + 1)); summary; exit 1; fi

# Habits that count like tests: formatted code, and a core that clang-tidy finds clean.
check() {  # name command...
  local name=$1; shift
  if "$@" >"$RESULTS/$name.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); say "$name failed:"; head -n 40 "$RESULTS/$name.log" >&2
  fi
}
say "formatting and clang-tidy"
mapfile -t cxx < <(cd "$ROOT" && git ls-files -co --exclude-standard -- src tests bench tools |
  grep -E '\.(cpp|h)$')
check clang-format bash -c 'cd "$1" && shift && clang-format --dry-run -Werror "$@"' _ "$ROOT" "${cxx[@]}"
mapfile -t core < <(cd "$ROOT" && git ls-files -co --exclude-standard -- src/common src/platform \
  src/calc src/cffl src/app | grep -E '\.cpp$')
check clang-tidy bash -c 'cd "$1" && shift && clang-tidy --quiet -p "$0" "$@"' "$BUILD/native" "$ROOT" "${core[@]}"

say "native unit tests"
ctest --test-dir "$BUILD/native" --output-on-failure --output-junit "$RESULTS/native.xml" -j"$(nproc)"
count "$RESULTS/native.xml"

use_prefix "$BUILD/wine-test"
# The tests make their own drive that is not ready; a link left by an older run would be in its way.
rm -f "$WINEPREFIX/dosdevices/q:"
start_display || { failed=$((failed + 1)); summary; exit 1; }

for suite in adapter ui; do
  say "Wine $suite tests"
  (cd "$BUILD/win32/bin" &&
    timeout 900 "$WINE" "orvanto_${suite}_tests.exe" --gtest_brief=1 \
      "--gtest_output=xml:Z:$RESULTS/$suite.xml")
  count "$RESULTS/$suite.xml"
done
"$WINESERVER" -k 2>/dev/null

summary
