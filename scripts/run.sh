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
arch=$(bash "$root/scripts/test-arch.sh")
build="$root/build/$arch"
stamp="$build/run.stamp"
deps=${QM_DEPS:-/var/cache/quillmoth}
# Nothing of the sources, the scripts or the cross-built dependencies is newer than the
# last build this script made: start at once, without the set-up's check and make's walk
# through the tree (most of the time before Wine starts). Otherwise the set-up once (its
# quick check when it is done), then the program only: lame_enc.dll and Tips.tip are copied
# beside it when the tree is configured. No sound server is needed here; the program
# reports a missing device itself.
current() {
    [ -f "$stamp" ] && [ -f "$build/bin/Quillmoth.exe" ] || return 1
    local t
    for t in "$deps"/i686-w64-mingw32/.stamp "$deps"/x86_64-w64-mingw32/.stamp; do
        [ -f "$t" ] && [ ! "$t" -nt "$stamp" ] || return 1
    done
    [ -z "$(find "$root" \( -path "$root/build" -o -path "$root/.git" -o -path "$root/dist" \) -prune \
        -o -type f -newer "$stamp" -print -quit)" ]
}
if ! current; then
    bash "$root/scripts/setup.sh" --quick
    # Taken before the build, so that a file changed while it runs is seen next time.
    mkdir -p "$build"
    touch "$stamp.new"
    QM_SETUP_DONE=1 bash "$root/scripts/build.sh" "$arch" Quillmoth
    mv "$stamp.new" "$stamp"
fi
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
