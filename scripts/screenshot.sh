#!/usr/bin/env bash
# Takes the README's picture of the main window: scripts/screenshot.sh [BUILD_DIR]
# Starts the harness of the build folder, runs the program with a settings file of its
# own (no Tip of the Day), waits for the launch balloon to go, and crops the window
# out of the screen into docs/main-window.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/$(bash "$root/scripts/test-arch.sh")}" && pwd)
. "$root/scripts/wine-env.sh"
bash "$root/scripts/harness.sh" start "$build" >/dev/null
trap 'bash "$root/scripts/harness.sh" stop "$build" >/dev/null' EXIT
qm_wine_env "$build"
data=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d \( -name AppData -o -name "Application Data" \) | head -n 1)
data=$(find "$data" -maxdepth 1 -type d -name Roaming | head -n 1 || true)
[ -n "$data" ] || data=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name "Application Data" | head -n 1)
mkdir -p "$data/Quillmoth"
printf '\xff\xfe' >"$data/Quillmoth/Config.ini"
printf '[MISC]\r\nTip=0\r\n' | iconv -f UTF-8 -t UTF-16LE >>"$data/Quillmoth/Config.ini"
"$WINE" "$build/bin/Quillmoth.exe" >/dev/null 2>&1 &
sleep 14
mkdir -p "$root/docs"
import -window root -display "$DISPLAY" png:- | convert - -trim +repage "$root/docs/main-window.png"
"$WINESERVER" -k || true
echo "docs/main-window.png"
