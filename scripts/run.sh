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
# A display named but not there (a variable left from a closed session or ssh): Wine would
# start nothing and say so only behind WINEDEBUG. Asking costs an X connection, so it is
# asked before a build, and after a failed start to tell why.
display_reachable() {
    xwininfo -root -display "$DISPLAY" >/dev/null 2>&1 && return 0
    echo "run.sh: the display $DISPLAY cannot be reached (no X server answers there): run it in a desktop session, or under xvfb-run -a scripts/run.sh" >&2
    return 1
}
arch=$(bash "$root/scripts/test-arch.sh")
build="$root/build/$arch"
stamp="$build/run.stamp"
deps=${QM_DEPS:-/var/cache/quillmoth}
# What the last build that this script made was made from: every file of the tree by name,
# time and size (so a file deleted or renamed counts too), and the cross-built dependencies'
# stamps. The same fingerprint, the program and what the build puts beside it: start at
# once, without the set-up's check and make's walk through the tree (most of the time
# before Wine starts). Otherwise the set-up once (its quick check when it is done), then
# the program, which puts lame_enc.dll and Tips.tip beside itself. No sound server is
# needed here; the program reports a missing device itself.
fingerprint() {
    {
        find "$deps"/i686-w64-mingw32/.stamp "$deps"/x86_64-w64-mingw32/.stamp -printf '%p %T@ %s\n' 2>/dev/null
        find "$root" \( -path "$root/build" -o -path "$root/.git" -o -path "$root/dist" \) -prune \
            -o -type f -printf '%P %T@ %s\n' | LC_ALL=C sort
    } | md5sum | cut -d' ' -f1
}
now=$(fingerprint)
current() {
    command -v xwininfo >/dev/null && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$now" ] || return 1
    local f
    for f in Quillmoth.exe lame_enc.dll Tips.tip; do
        [ -f "$build/bin/$f" ] || return 1
    done
}
if ! current; then
    bash "$root/scripts/setup.sh" --quick
    display_reachable || exit 1
    QM_SETUP_DONE=1 bash "$root/scripts/build.sh" "$arch" Quillmoth
    # The fingerprint taken before the build: a file changed while it ran is seen next time.
    echo "$now" >"$stamp"
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
# Not exec: a program that could not start must not end in a silent success.
status=0
"$WINE" "$build/bin/Quillmoth.exe" || status=$?
if [ "$status" -ne 0 ] && display_reachable; then
    echo "run.sh: Quillmoth ended with exit code $status (WINEDEBUG=fixme-all scripts/run.sh shows Wine's own errors)" >&2
fi
exit "$status"
