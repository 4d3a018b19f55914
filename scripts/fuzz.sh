#!/usr/bin/env bash
# Builds the fuzz targets in fuzz/ with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each from its seed corpus in fuzz/corpus/, with the pieces
# of number text in fuzz/numbers.dict, for 1,000,000 executions (ORVANTO_FUZZ_RUNS to change), one
# after the other at the lowest priority. New corpus entries, logs and the input of any finding go
# to build/fuzz/. Prints per target the executions done and whether it found anything; exits
# non-zero on a finding.
#   scripts/fuzz.sh [target...]     targets: numbers calculation
set -uo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make clang-14 libclang-rt-14-dev || exit 1

RUNS=${ORVANTO_FUZZ_RUNS:-1000000}
OUT=$BUILD/fuzz
TARGETS=(numbers calculation)
(($# > 0)) && TARGETS=("$@")

say "building the fuzz targets"
mkdir -p "$OUT/logs"
if ! { nice -n 19 cmake -S "$ROOT/fuzz" -B "$OUT" -DCMAKE_CXX_COMPILER=clang++-14 &&
  nice -n 19 cmake --build "$OUT" -j"$(nproc)"; } >"$OUT/logs/build.log" 2>&1; then
  cat "$OUT/logs/build.log"
  exit 1
fi

findings=0
report=()
for target in "${TARGETS[@]}"; do
  corpus=$OUT/corpus/$target
  found=$OUT/findings/$target
  log=$OUT/logs/$target.log
  mkdir -p "$corpus" "$found"
  say "fuzzing $target: $RUNS executions"
  # The first corpus directory receives what the run discovers; the seeds stay as committed.
  nice -n 19 "$OUT/fuzz_$target" -runs="$RUNS" -max_len=512 -timeout=10 -print_final_stats=1 \
    -dict="$ROOT/fuzz/numbers.dict" \
    -artifact_prefix="$found/" "$corpus" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  executions=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
  [[ -z $executions ]] && executions=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  seed=$(grep -o 'Seed: [0-9]*' "$log" | grep -o '[0-9]*$')
  if ((status == 0)); then
    result="nothing found"
  else
    findings=$((findings + 1))
    result="FOUND (exit $status): $(ls "$found" | head -3 | sed "s|^|$found/|" | tr '\n' ' ')"
    grep -E -A1 'property broken|runtime error|^SUMMARY' "$log" | head -6 >&2
  fi
  report+=("$(printf '%-14s %10s executions  seed %-10s  %s' "$target" "${executions:-?}" \
    "${seed:-?}" "$result")")
done

echo
printf '%s\n' "${report[@]}"
echo "$findings finding(s); logs in $OUT/logs"
((findings == 0))
