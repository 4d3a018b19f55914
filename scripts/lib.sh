# Shared by run.sh, test.sh and the other scripts: packages, builds, Wine prefixes and Xvfb.
# Source it; it sets ROOT to the repository and BUILD to its build directory.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVANTO_BUILD_DIR:-$ROOT/build}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all

say() { printf '==> %s\n' "$*" >&2; }

# Installs the Debian packages that are missing (one apt-get update, only when needed).
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  ((${#missing[@]} == 0)) && return 0
  say "installing ${missing[*]}"
  local sudo=
  [[ $(id -u) -ne 0 ]] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

NATIVE_PACKAGES=(cmake make g++ libgtest-dev googletest libbenchmark-dev python3 clang-format
  clang-tidy)
# Wine loads its X11 extensions and fonts at run time; name them so a minimal install has them.
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest wine64 fonts-wine libxrender1
  libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 xvfb x11-utils imagemagick)

build_windows() {  # [extra cmake args...]
  cmake -S "$ROOT" -B "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
  cmake --build "$BUILD/win32" -j"$(nproc)"
}

build_native() {
  cmake -S "$ROOT" -B "$BUILD/native" "$@" >/dev/null
  cmake --build "$BUILD/native" -j"$(nproc)"
}

# A Wine prefix inside the build tree; created once, reused after.
use_prefix() {  # dir
  export WINEPREFIX=$1
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    say "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree=;mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
  fi
}

# Starts Xvfb on a free display unless one is set; stop_display undoes it.
XVFB_PID=
start_display() {
  [[ -n ${DISPLAY:-} ]] && return 0
  local n=90
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  # Large enough for the window at 192 DPI.
  Xvfb ":$n" -screen 0 2400x1500x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=:$n
  local i
  for i in $(seq 100); do [[ -e /tmp/.X11-unix/X$n ]] && return 0; sleep 0.1; done
  say "Xvfb did not start"; return 1
}

stop_display() {
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
    unset DISPLAY
  fi
}
