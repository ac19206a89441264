#!/usr/bin/env bash
# Builds (set-up included) and starts the recorder under Wine, on this
# session's own display and sound server: scripts/run.sh [program args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" all
arch=$(bash "$root/scripts/test-arch.sh")
build="$root/build/$arch"
if [ "$arch" = x86_64 ]; then
    WINE=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64 WINELOADER=/usr/lib/wine/wine64
else
    WINE=/usr/bin/wine
fi
export WINEPREFIX="$build/wineprefix-user"
export WINEDEBUG=${WINEDEBUG:--all}
if [ ! -d "$WINEPREFIX" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1 || true
fi
program="$build/bin/Quillmoth.exe"
if [ ! -f "$program" ]; then
    # Until the main window exists, the recording driver stands in for it.
    program="$build/bin/qmrec.exe"
    [ $# -gt 0 ] || set -- --seconds 5 --format wav --dir "Z:${HOME//\//\\}\\Quillmoth\\"
fi
exec "$WINE" "$program" "$@"
