#!/usr/bin/env bash
# Mutation check: puts the plausible faults of scripts/mutations.tsv into a copy of the code, one
# at a time, and reports which of them the tests catch. Not part of CI; exits 0 whatever the score.
#   scripts/mutate.sh [--native-only] [ID...]
# The copy and its builds stay in build/mutate (a second run only rebuilds what changed). Each
# fault gets an incremental build, then the native tests; the Wine adapter and UI tests run only
# for faults the native tests let through (at once for faults in src/win32, which the native build
# does not contain). A fault whose original text is missing or not unique in its file is "stale",
# one that does not compile "no-build": neither is counted. Logs: build/mutate/logs/ID.log.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

LIST=$ROOT/scripts/mutations.tsv
WORK=$BUILD/mutate
TREE=$WORK/tree
LOGS=$WORK/logs
LAYERS=(common platform calc cffl app win32)

native_only=false
ids=()
for arg in "$@"; do
  case $arg in
    --native-only) native_only=true ;;
    [0-9]*) ids+=("$arg") ;;
    *) echo "usage: scripts/mutate.sh [--native-only] [ID...]" >&2; exit 2 ;;
  esac
done

if $native_only; then ensure_packages "${NATIVE_PACKAGES[@]}"; else
  ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"; fi
# As scripts/test.sh: Wine's code page and regional settings come from the Unix locale.
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_NUMERIC
mkdir -p "$LOGS"
exec 9>"$WORK/lock"
flock -n 9 || { echo "another scripts/mutate.sh uses $WORK" >&2; exit 1; }

# The list's rows, the copy of the tree and the faults themselves, in Python: the texts hold
# backslashes, quotes and tabs-to-be that the shell would mangle.
helper() {  # command args...
  python3 - "$@" <<'PY'
import hashlib, os, subprocess, sys

NL = "\u23ce"  # a line break inside a field of the list

def rows(path):
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 6:
            sys.exit(f"{path}:{number}: {len(fields)} fields instead of 6")
        if not fields[2].startswith(f"src/{fields[1]}/"):
            sys.exit(f"{path}:{number}: {fields[2]} is not in the layer {fields[1]}")
        yield [f.replace(NL, "\n") for f in fields]

command, args = sys.argv[1], sys.argv[2:]
if command == "sync":  # root tree: the tracked files, rewritten only where they differ
    root, tree = args
    names = subprocess.run(["git", "-C", root, "ls-files", "-z"], capture_output=True,
                           check=True).stdout.decode().split("\0")
    wanted, digest = set(), hashlib.sha1()
    for name in sorted(n for n in names if n and os.path.isfile(os.path.join(root, n))):
        data = open(os.path.join(root, name), "rb").read()
        if not name.endswith(".md") and not name.startswith("docs/"):
            digest.update(name.encode() + b"\0" + hashlib.sha1(data).digest())
        wanted.add(name)
        target = os.path.join(tree, name)
        if not os.path.isfile(target) or open(target, "rb").read() != data:
            # A new modification time, so that the builds take the file again.
            os.makedirs(os.path.dirname(target), exist_ok=True)
            open(target, "wb").write(data)
            os.chmod(target, os.stat(os.path.join(root, name)).st_mode & 0o777)
    for folder, _, files in os.walk(tree):
        for file in files:
            if os.path.relpath(os.path.join(folder, file), tree) not in wanted:
                os.remove(os.path.join(folder, file))
    print(digest.hexdigest())  # of what the builds and tests read
elif command == "list":  # list ids...: "id layer file description" of the chosen faults
    table = {}
    for r in rows(args[0]):
        if r[0] in table:
            sys.exit(f"fault {r[0]} twice in {args[0]}")
        table[r[0]] = r
    chosen = args[1:] or list(table)
    for id in chosen:
        if id not in table:
            sys.exit(f"no fault {id} in {args[0]}")
        print("\t".join(table[id][:3] + [table[id][5]]))
elif command == "apply":  # list tree id backup: puts the fault in, the original file to backup
    listfile, tree, id, backup = args
    _, _, file, original, replacement, _ = next(r for r in rows(listfile) if r[0] == id)
    path = os.path.join(tree, file)
    text = open(path, encoding="utf-8").read() if os.path.isfile(path) else ""
    count = text.count(original) if original else 0
    if count != 1:
        print("original text " + ("missing" if count == 0 else f"found {count} times"))
        sys.exit(3)
    open(backup, "w", encoding="utf-8").write(text)
    open(path, "w", encoding="utf-8").write(text.replace(original, replacement))
elif command == "share":  # tree layers...: each layer's per cent of src/, in non-blank characters
    tree, layers = args[0], args[1:]
    sizes = {}
    for layer in layers:
        sizes[layer] = 0
        for folder, _, files in os.walk(os.path.join(tree, "src", layer)):
            for file in files:
                data = open(os.path.join(folder, file), "rb").read()
                if b"\0" not in data:  # no icons
                    sizes[layer] += sum(not c.isspace() for c in data.decode("utf-8", "replace"))
    total = sum(sizes.values()) or 1
    print(" ".join(str(round(100 * sizes[l] / total)) for l in layers))
PY
}

listing=$(helper list "$LIST" "${ids[@]}") || exit 2
[[ -n $listing ]] || { echo "no faults in $LIST" >&2; exit 2; }
mapfile -t faults <<<"$listing"

# The fault in place, if any: put back on every way out, Ctrl-C included. A run killed outright
# leaves it to the next run's copy, which is taken afresh from the repository.
current_file=
backup=$WORK/original
restore() {
  if [[ -n $current_file ]]; then cp "$backup" "$TREE/$current_file"; current_file=; fi
}
wine_used=false
finish() {
  restore
  if $wine_used; then "$WINESERVER" -k 2>/dev/null; fi
  stop_display
}
trap finish EXIT
trap 'exit 130' INT TERM

say "copying the tracked files to $TREE"
tree_hash=$(helper sync "$ROOT" "$TREE") || exit 1

build_native_copy() { (ROOT=$TREE BUILD=$WORK build_native); }
build_windows_copy() { (ROOT=$TREE BUILD=$WORK build_windows); }

# The native tests, stopping at the first failure; prints the first failing test.
native_tests() {  # log
  if ctest --test-dir "$WORK/native" --stop-on-failure --timeout 120 -j"$(nproc)" >>"$1" 2>&1; then
    return 0
  fi
  grep -m1 -oE '[0-9]+ - [^ ]+ \(' "$1" | sed -E 's/^[0-9]+ - //; s/ \($//' | grep . ||
    echo "native tests"
  return 1
}

# The Wine adapter tests, then the UI tests, each stopping at its first failure; prints the first
# failing test.
wine_tests() {  # log
  local suite status
  for suite in adapter ui; do
    # The tests make their own drive that is not ready; a link left by a broken run is in the way.
    rm -f "$WINEPREFIX/dosdevices/q:"
    (cd "$WORK/win32/bin" && timeout 600 "$WINE" "orvanto_${suite}_tests.exe" --gtest_brief=1 \
      --gtest_fail_fast) >>"$1" 2>&1
    status=$?
    "$WINESERVER" -k 2>/dev/null
    if ((status != 0)); then
      if ((status == 124)); then echo "$suite tests timed out"; else
        grep -m1 -oE '^\[  FAILED  \] [^ ,]+' "$1" | sed 's/^\[  FAILED  \] //' | grep . ||
          echo "orvanto_${suite}_tests.exe exit $status"
      fi
      return 1
    fi
  done
}

if ! $native_only; then
  use_prefix "$WORK/wine"
  wine_used=true
  start_display || exit 1
fi

# The unchanged copy must build and pass, or every fault would look caught. Checked once per
# state of the tree.
say "building the copy"
if ! build_native_copy >"$LOGS/baseline.log" 2>&1 ||
  { ! $native_only && ! build_windows_copy >>"$LOGS/baseline.log" 2>&1; }; then
  say "the copy does not build: $LOGS/baseline.log"
  exit 1
fi
for level in native wine; do
  [[ $level == wine ]] && $native_only && continue
  [[ $(cat "$WORK/baseline-$level" 2>/dev/null) == "$tree_hash" ]] && continue
  say "running the $level tests without a fault"
  if ! failed=$(${level}_tests "$LOGS/baseline.log"); then
    say "the tests fail without a fault ($failed): $LOGS/baseline.log"
    exit 1
  fi
  echo "$tree_hash" >"$WORK/baseline-$level"
done

declare -A total killed survived nobuild stale
for layer in "${LAYERS[@]}"; do
  total[$layer]=0 killed[$layer]=0 survived[$layer]=0 nobuild[$layer]=0 stale[$layer]=0
done
say "planting ${#faults[@]} fault(s), one at a time"
printf '%-4s %-9s %-14s %6s  %s\n' id layer result seconds "caught by / what survived"
for row in "${faults[@]}"; do
  IFS=$'\t' read -r id layer file description <<<"$row"
  start=$SECONDS
  log=$LOGS/$id.log
  : >"$log"
  result= detail=
  if ! detail=$(helper apply "$LIST" "$TREE" "$id" "$backup"); then
    result=stale
    detail="$file: $detail"
  else
    current_file=$file
    if [[ $file != src/win32/* ]]; then
      if ! build_native_copy >>"$log" 2>&1; then
        result=no-build
      elif ! detail=$(native_tests "$log"); then
        result=killed-native
      fi
    fi
    if [[ -z $result ]] && $native_only && [[ $file == src/win32/* ]]; then
      result=not-run
    elif [[ -z $result ]] && ! $native_only; then
      if ! build_windows_copy >>"$log" 2>&1; then
        result=no-build
      elif ! detail=$(wine_tests "$log"); then
        result=killed-wine
      fi
    fi
    [[ -z $result ]] && result=SURVIVED detail=$description
    [[ $result == no-build ]] && detail="$file (see $log)"
    restore
  fi
  case $result in
    killed-*) killed[$layer]=$((killed[$layer] + 1)); total[$layer]=$((total[$layer] + 1)) ;;
    SURVIVED) survived[$layer]=$((survived[$layer] + 1)); total[$layer]=$((total[$layer] + 1)) ;;
    no-build) nobuild[$layer]=$((nobuild[$layer] + 1)) ;;
    stale) stale[$layer]=$((stale[$layer] + 1)) ;;
  esac
  printf '%-4s %-9s %-14s %6s  %s\n' "$id" "$layer" "$result" "$((SECONDS - start))" "$detail"
done

say "done in $((SECONDS / 60)) min $((SECONDS % 60)) s"
read -r -a share < <(helper share "$TREE" "${LAYERS[@]}")
echo
printf '%-9s %7s %7s %7s %9s %9s %7s\n' layer "code %" faults killed survived no-build stale
k=0 n=0
for i in "${!LAYERS[@]}"; do
  layer=${LAYERS[$i]}
  printf '%-9s %7s %7s %7s %9s %9s %7s\n' "$layer" "${share[$i]}" "${total[$layer]}" \
    "${killed[$layer]}" "${survived[$layer]}" "${nobuild[$layer]}" "${stale[$layer]}"
  k=$((k + killed[$layer])) n=$((n + total[$layer]))
done
scope=
$native_only && scope=" by the native tests"
if ((n > 0)); then
  percent=$(awk -v k="$k" -v n="$n" 'BEGIN { printf "%.1f", 100 * k / n }')
  echo "mutation score: $k of $n killed$scope ($percent %)"
else
  echo "mutation score: no fault was counted"
fi
exit 0
