#!/usr/bin/env bash
# Pictures the window after the worked example at 96, 120, 144 and 192 DPI, in German and in
# English, as docs/window-<de|en>-<dpi>.png.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${WINDOWS_PACKAGES[@]}"
build_windows >/dev/null
use_prefix "$BUILD/wine-shots"
start_display
trap 'stop_display' EXIT
mkdir -p "$BUILD/screenshots"
for dpi in 96 120 144 192; do
  for language in de en; do
    bmp=$BUILD/screenshots/window-$language-$dpi.bmp
    (cd "$BUILD/win32/bin" && "$WINE" orvanto_screenshot.exe "$dpi" "$language" "Z:$bmp")
    convert "$bmp" "$ROOT/docs/window-$language-$dpi.png"
    echo "$ROOT/docs/window-$language-$dpi.png"
  done
done
"$WINESERVER" -k 2>/dev/null || true
