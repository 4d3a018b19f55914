#!/usr/bin/env bash
# Pictures the window after the worked example at 96, 120, 144 and 192 DPI, in German and in
# English, as docs/window-<de|en>-<dpi>.png, and under a message font of Windows 10's size (9-point
# Liberation Sans, Arial's metrics) as docs/font-after-liberation9.png. Given an older Orvanto.exe,
# pictures that one under the same font as docs/font-before-liberation9.png.
#   scripts/screenshots.sh [OLD_ORVANTO_EXE]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${WINDOWS_PACKAGES[@]}" fonts-liberation2
build_windows >/dev/null
use_prefix "$BUILD/wine-shots"
start_display
trap 'stop_display' EXIT
SHOTS=$BUILD/screenshots
mkdir -p "$SHOTS"

shoot() {  # bin-dir dpi language png [font points]
  local bmp=$SHOTS/$(basename "$4" .png).bmp
  (cd "$1" && "$WINE" orvanto_screenshot.exe "$2" "$3" "Z:$bmp" "${@:5}")
  convert "$bmp" -alpha off "$4"  # the fourth byte of each pixel is no alpha
  echo "$4"
}

BIN=$BUILD/win32/bin
for dpi in 96 120 144 192; do
  for language in de en; do shoot "$BIN" "$dpi" "$language" "$ROOT/docs/window-$language-$dpi.png"; done
done
shoot "$BIN" 96 de "$ROOT/docs/font-after-liberation9.png" "Liberation Sans" 9
if [[ -n ${1:-} ]]; then
  # The screenshot tool starts the Orvanto.exe beside it.
  mkdir -p "$SHOTS/before"
  cp "$1" "$SHOTS/before/Orvanto.exe"
  cp "$BIN/orvanto_screenshot.exe" "$SHOTS/before/"
  shoot "$SHOTS/before" 96 de "$ROOT/docs/font-before-liberation9.png" "Liberation Sans" 9
fi
"$WINESERVER" -k 2>/dev/null || true
