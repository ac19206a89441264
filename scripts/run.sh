#!/usr/bin/env bash
# Builds what it starts (set-up included) and starts the recorder under Wine, on this
# session's own display and sound server: scripts/run.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Wine draws on an X display; without one there is nothing to start, so say so before
# building anything.
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set): run it in a desktop session, or under xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
# The set-up once, and only its quick check when it is done (the whole set-up runs when
# something is missing); build.sh then skips it.
bash "$root/scripts/setup.sh" --quick
export QM_SETUP_DONE=1
arch=$(bash "$root/scripts/test-arch.sh")
# The program only: lame_enc.dll and Tips.tip are copied beside it when the tree is
# configured. No sound server is needed here; the program reports a missing device itself.
bash "$root/scripts/build.sh" "$arch" Quillmoth
build="$root/build/$arch"
if [ "$arch" = x86_64 ]; then
    WINE=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64 WINELOADER=/usr/lib/wine/wine64
else
    WINE=/usr/bin/wine
fi
# The user's own Wine prefix (WINEPREFIX, else ~/.wine): recordings go to its My Music,
# which Wine links, when it makes the prefix, to the music folder (XDG_MUSIC_DIR, usually
# ~/Music) if there is one, else to the home folder itself; settings, list and log go to
# the prefix's Application Data\Quillmoth.
export WINEDEBUG=${WINEDEBUG:--all}
exec "$WINE" "$build/bin/Quillmoth.exe"
