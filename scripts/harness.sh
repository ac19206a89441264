#!/usr/bin/env bash
# The test harness around Wine: harness.sh start|stop|prefix BUILD_DIR
#  start: two Xvfb displays, each with a Wine prefix and a warm wineserver of its own
#         (two desktops, so that two window tests can run at once), a PulseAudio
#         daemon of our own with a null sink whose monitor is the default source, and
#         a player that feeds it a known stereo signal (440 Hz left, 660 Hz right)
#         without gaps.
#  stop:  ends all of them, by their own pids.
#  prefix: only the first desktop's Wine prefix, made when it is missing (for tests
#         that need neither a display nor sound).
set -eu
cmd=$1
build=$(cd "$2" && pwd)
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$build/harness"
qm_wine_env "$build"
h=$QM_HARNESS

stop_pid() { # pidfile
    local f=$1 p
    [ -f "$f" ] || return 0
    p=$(cat "$f")
    if kill -0 "$p" 2>/dev/null; then
        kill "$p" 2>/dev/null || true
        for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$p" 2>/dev/null || break; sleep 0.2; done
        kill -9 "$p" 2>/dev/null || true
    fi
    rm -f "$f"
}

stop_all() {
    WINEPREFIX="$build/wineprefix2" "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -k 2>/dev/null || true
    stop_pid "$h/player.pid"
    stop_pid "$h/clock-player.pid"
    if [ -f "$h/pulse.pid" ]; then
        pulseaudio --kill 2>/dev/null || true
        stop_pid "$h/pulse.pid"
    fi
    stop_pid "$h/xvfb.pid"
    stop_pid "$h/xvfb2.pid"
    rm -f "$h/display" "$h/display2"
}

# start_display SUFFIX: an Xvfb on the first free number from 90; its number in
# display<SUFFIX>. Everything started here gets its own stdio: ctest waits for its pipes.
start_display() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$h/xvfb$1.log" 2>&1 &
    echo $! >"$h/xvfb$1.pid"
    echo "$n" >"$h/display$1"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

case "$cmd" in
prefix)
    qm_wine_prefix </dev/null >/dev/null 2>&1
    echo "wine prefix ready ($WINEPREFIX)"
    ;;
stop)
    stop_all
    echo "harness stopped"
    ;;
start)
    stop_all
    start_display ""
    start_display 2
    export DISPLAY=":$(cat "$h/display")"

    # PulseAudio: HOME and XDG_RUNTIME_DIR inside the build folder. The devices' names are
    # set here, so that the tests find them whatever names the server's version gives.
    cat >"$h/pulse.pa" <<PA
load-module module-native-protocol-unix
load-module module-null-sink sink_name=qmnull rate=44100 channels=2 format=s16le sink_properties='device.description="Null Output"'
update-source-proplist qmnull.monitor device.description="Monitor of Null Output"
load-module module-null-sink sink_name=qmclock rate=44100 channels=2 format=s16le sink_properties='device.description="Clock Output"'
update-source-proplist qmclock.monitor device.description="Monitor of Clock Output"
set-default-sink qmnull
set-default-source qmnull.monitor
PA
    rm -rf "$XDG_RUNTIME_DIR/pulse"
    pulseaudio -n -F "$h/pulse.pa" --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
        --log-target=file:"$h/pulse.log" </dev/null >>"$h/pulse.log" 2>&1 || { cat "$h/pulse.log" >&2; exit 1; }
    for _ in $(seq 50); do [ -f "$XDG_RUNTIME_DIR/pulse/pid" ] && break; sleep 0.1; done
    cp "$XDG_RUNTIME_DIR/pulse/pid" "$h/pulse.pid"

    # The known signal, 10 s, played in a loop through one pipe so the stream has no seams;
    # a second of buffer in the server keeps a busy machine from starving the sink.
    if [ ! -f "$h/signal.raw" ]; then
        sox -n -r 44100 -c 2 -b 16 -e signed-integer -t raw "$h/signal.raw" synth 10 sine 440 sine 660 vol 0.5
    fi
    (
        exec </dev/null >/dev/null 2>&1
        while :; do cat "$h/signal.raw"; done | pacat --playback -d qmnull --format=s16le --rate=44100 \
            --channels=2 --latency-msec=1000
    ) &
    echo $! >"$h/player.pid"
    # A second source whose every frame tells its own position, for tests that must see
    # where a recording jumps: left = frame mod 65536 - 32768, right = (frame >> 16) * 1000
    # - 16000, over 60 s.
    if [ ! -f "$h/clock.raw" ]; then
        python3 - "$h/clock.raw" <<'PY'
import array, sys
frames = 60 * 44100
out = array.array("h", bytes(4 * frames))
for f in range(frames):
    out[2 * f] = f % 65536 - 32768
    out[2 * f + 1] = (f >> 16) * 1000 - 16000
out.tofile(open(sys.argv[1], "wb"))
PY
    fi
    (
        exec </dev/null >/dev/null 2>&1
        while :; do cat "$h/clock.raw"; done | pacat --playback -d qmclock --format=s16le --rate=44100 \
            --channels=2 --latency-msec=1000
    ) &
    echo $! >"$h/clock-player.pid"

    # Both desktops' prefixes, each with a warm wineserver and Wine's own services up now,
    # with our stdio: started later by a test program, they would inherit its pipes and
    # ctest would wait for them.
    lanes=()
    for lane in 1 2; do
        (
            QM_LANE=$lane qm_wine_env "$build"
            qm_wine_prefix </dev/null >/dev/null 2>&1
            "$WINESERVER" -p </dev/null >/dev/null 2>&1
            "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
        ) &
        lanes+=($!)
    done
    # Only these: the displays and the player run on in the background.
    wait "${lanes[@]}"
    echo "harness started (displays :$(cat "$h/display") and :$(cat "$h/display2"))"
    ;;
*)
    echo "usage: $0 start|stop|prefix BUILD_DIR" >&2
    exit 2
    ;;
esac
