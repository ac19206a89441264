#!/usr/bin/env bash
# Builds (set-up included) and starts the recorder under Wine, on this
# session's own display and sound server: scripts/run.sh
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
# The user's own Wine prefix (WINEPREFIX, else ~/.wine): recordings go to its My Music,
# which Wine links to ~/Music; settings, list and log to its Application Data\Quillmoth.
export WINEDEBUG=${WINEDEBUG:--all}
exec "$WINE" "$build/bin/Quillmoth.exe"
