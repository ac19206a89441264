#!/usr/bin/env bash
# What scripts/run.sh costs a user before the window is up, next to Wine starting the same
# program directly. Run by hand (not a test), with the harness started (for its sound
# server: without a device the program shows its warning before the window):
#   scripts/harness.sh start build/i686
#   bench/run_startup.sh build/i686 [rounds]      (default 8)
#   scripts/harness.sh stop build/i686
# Each round starts both ways in turn, each on a fresh X server and a fresh wineserver,
# with everything built and a Wine prefix of the benchmark's own already made, and times
# each from its start to the main window being viewable. For run.sh it also times the part
# before Wine starts (the trace's line that starts Wine). It prints the medians and their ratio.
set -eu
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [rounds]" >&2; exit 2; }
build=$(cd "$1" && pwd)
rounds=${2:-8}
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
qm_wine_env "$build"
[ -f "$QM_HARNESS/display" ] || { echo "$0: start the harness first: scripts/harness.sh start $1" >&2; exit 1; }
[ "$(bash "$root/scripts/test-arch.sh")" = "$QM_ARCH" ] ||
    { echo "$0: run.sh starts build/$(bash "$root/scripts/test-arch.sh") on this kernel: name that tree" >&2; exit 2; }
[ -f "$build/bin/Quillmoth.exe" ] || { echo "$0: $build/bin/Quillmoth.exe is not built" >&2; exit 1; }
command -v xwininfo >/dev/null || { echo "$0: xwininfo is missing (x11-utils)" >&2; exit 1; }

# A copy of the harness's prefix (PulseAudio as its driver), so that its warm wineserver
# plays no part; settings and list start empty every round.
prefix=$build/bench-prefix
[ -d "$prefix" ] || cp -a "$WINEPREFIX" "$prefix"
export WINEPREFIX=$prefix
data=$(find "$prefix/drive_c/users" -maxdepth 3 -type d -name Roaming | head -n 1)/Quillmoth
# run.sh must find its build current, as a user's second start does: the first round of
# run.sh below, not counted, builds what it needs and takes its stamp.
QM_SETUP_DONE=1 bash "$root/scripts/build.sh" "$QM_ARCH" Quillmoth >/dev/null

now() { date +%s%N; }
xvfb_pid=
start_x() {
    local n=120
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    export DISPLAY=:$n
}
stop_all() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; }
    xvfb_pid=
}
trap stop_all EXIT
# Milliseconds from t0 until the main window is viewable (60 s at the most).
wait_window() { # t0
    local end=$(( $(date +%s) + 60 ))
    until xwininfo -name Quillmoth 2>/dev/null | grep -q IsViewable; do
        [ "$(date +%s)" -lt "$end" ] || { echo "$0: no window within 60 s" >&2; exit 1; }
        sleep 0.01
    done
    echo $(( ($(now) - $1) / 1000000 ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

direct=() viarun=() before=()
trace=$build/run-startup.trace
direct_round() {
    rm -rf "$data"
    start_x
    local t0
    t0=$(now)
    "$WINE" "$build/bin/Quillmoth.exe" </dev/null >/dev/null 2>&1 &
    direct+=("$(wait_window "$t0")")
    stop_all
}
run_round() {
    rm -rf "$data"
    start_x
    local t0 exec_at
    t0=$(now)
    # Bash takes no PS4 from the environment when run as root: set it inside.
    bash -c 'PS4="+ \$EPOCHREALTIME "; set -x; . "$0"' "$root/scripts/run.sh" </dev/null >/dev/null 2>"$trace" &
    viarun+=("$(wait_window "$t0")")
    exec_at=$(awk '$3 ~ /wine/ && $NF ~ /Quillmoth\.exe$/ { print $2; exit }' "$trace")
    before+=("$(awk -v a="$exec_at" -v b="$t0" 'BEGIN { printf "%d", a * 1000 - b / 1000000 }')")
    stop_all
}
run_round
direct=() viarun=() before=()
for r in $(seq "$rounds"); do
    # In turns, each way first every other round.
    if [ $((r % 2)) = 1 ]; then direct_round; run_round; else run_round; direct_round; fi
    echo "round $r: direct ${direct[-1]} ms, run.sh ${viarun[-1]} ms (Wine started after ${before[-1]} ms)"
done

d=$(printf '%s\n' "${direct[@]}" | median)
v=$(printf '%s\n' "${viarun[@]}" | median)
b=$(printf '%s\n' "${before[@]}" | median)
echo "$QM_ARCH, $rounds rounds, load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
echo "medians: Wine directly $d ms, run.sh $v ms, of which before Wine $b ms; run.sh / direct $(awk -v a="$v" -v b="$d" 'BEGIN { printf "%.2f", a / b }')"
