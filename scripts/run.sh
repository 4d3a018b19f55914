#!/usr/bin/env bash
# Builds Orvanto.exe and starts it under Wine. Without a display it runs on Xvfb, saves a
# screenshot of the window, closes the program and prints the screenshot's path.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${WINDOWS_PACKAGES[@]}"
build_windows -DORVANTO_WINE_TESTS=OFF >/dev/null
EXE=$BUILD/win32/bin/Orvanto.exe
use_prefix "$BUILD/wine-run"

if [[ -n ${DISPLAY:-} ]]; then
  exec "$WINE" "$EXE"
fi

start_display
trap 'stop_display' EXIT
"$WINE" "$EXE" &
APP=$!
for _ in $(seq 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Orvanto' && break
  sleep 0.1
done
sleep 1  # the first paint
mkdir -p "$BUILD/screenshots"
SHOT=$BUILD/screenshots/orvanto.png
import -window root -trim +repage "$SHOT"
"$WINESERVER" -k || true
wait "$APP" 2>/dev/null || true
echo "$SHOT"
