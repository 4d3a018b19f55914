#!/usr/bin/env bash
# Builds Orvanto.exe and starts it under Wine on FOLDER, passed on its command line as Explorer
# passes a folder, or without one on a sample IFOEdit output folder of 5,23 GB made in the build
# tree, so that the window opens on a measured size and both buttons work at once. Without a display it runs on Xvfb, saves a screenshot of the window,
# closes the program and prints the screenshot's path.
#   scripts/run.sh [FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${WINDOWS_PACKAGES[@]}"
build_windows -DORVANTO_WINE_TESTS=OFF >/dev/null
EXE=$BUILD/win32/bin/Orvanto.exe
use_prefix "$BUILD/wine-run"

FOLDER=${1:-}
if [[ -z $FOLDER ]]; then
  # Sparse files: 2 x 24,576 + 5 x 1,123,117,904 bytes = 5.23 GiB that take no disk space.
  FOLDER=$BUILD/sample/DVD/MOVIE
  mkdir -p "$FOLDER"
  truncate -s 24576 "$FOLDER/VTS_01_0.IFO" "$FOLDER/VTS_01_0.BUP"
  for i in 1 2 3 4 5; do truncate -s 1123117904 "$FOLDER/VTS_01_$i.VOB"; done
fi
# Wine's drive Z: is the Unix root.
FOLDER=$(realpath "$FOLDER")
ARG="Z:${FOLDER//\//\\}"

if [[ -n ${DISPLAY:-} ]]; then
  exec "$WINE" "$EXE" "$ARG"
fi

start_display
trap 'stop_display' EXIT
"$WINE" "$EXE" "$ARG" &
APP=$!
for _ in $(seq 1200); do  # up to 2 minutes: a first start under load is slow
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
