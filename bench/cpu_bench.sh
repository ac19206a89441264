#!/usr/bin/env bash
# CPU time of the recorder per recorded minute, next to the engine alone and to a bare read
# loop of the same stream (the platform's floor), and the delay of the recorder's interface
# thread while it records. Run by hand (not a test), with the harness started:
#   scripts/harness.sh start build/i686
#   bench/cpu_bench.sh build/i686 [seconds [rounds]]      (default 20 s, 1 round)
#   scripts/harness.sh stop build/i686
# Wine does not report another process's times, so the Wine-side programs print "mark NAME"
# at the points that matter and wait; this script then reads the process's utime + stime
# from /proc on the Linux side, and answers with NAME.ack.
set -eu
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [seconds [rounds]]" >&2; exit 2; }
build=$(cd "$1" && pwd)
seconds=${2:-20}
rounds=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
qm_wine_env "$build"
[ -f "$QM_HARNESS/display" ] || { echo "$0: start the harness first: scripts/harness.sh start $1" >&2; exit 1; }
[ "$seconds" -ge 6 ] || { echo "$0: record at least 6 s" >&2; exit 2; }
bin=$build/bin
for exe in Quillmoth recorder_cpu_bench pa_floor_bench qmbench; do
    [ -f "$bin/$exe.exe" ] || { echo "$0: $bin/$exe.exe is not built" >&2; exit 1; }
done
hz=$(getconf CLK_TCK)
work=$build/cpu-bench/run
sync=$work/sync
sync_win="Z:${sync//\//\\}"
mkdir -p "$sync"

# The Linux pid of the newest process of our Wine prefix whose program is this .exe.
find_pid() { # exe-name
    local p exe best= best_start=0 start
    for p in /proc/[0-9]*; do
        exe=$({ tr '\0' '\n' <"$p/cmdline" | head -n1; } 2>/dev/null) || continue
        exe=${exe##*[\\/]}
        [ "$exe" = "$1" ] || continue
        { tr '\0' '\n' <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null || continue
        start=$({ sed 's/.*) //' "$p/stat" | awk '{print $20}'; } 2>/dev/null) || continue
        [ -n "$start" ] || continue
        if [ "$start" -gt "$best_start" ]; then
            best=${p#/proc/}
            best_start=$start
        fi
    done
    echo "$best"
}

ticks() { # pid: utime + stime of every thread, dead ones included
    sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

# Every live thread: tag tid ticks name.
threads() { # pid tag
    local t
    for t in /proc/"$1"/task/*; do
        printf '%s %s %s %s\n' "$2" "${t##*/}" "$(sed 's/.*) //' "$t/stat" 2>/dev/null | awk '{print $12 + $13}')" \
            "$(tr ' ' '_' <"$t/comm" 2>/dev/null)"
    done 2>/dev/null
}

server_pid=$(pgrep -u "$(id -u)" -x 'wineserver(64)?' | while read -r p; do
    { tr '\0' '\n' <"/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null && echo "$p"
done | head -n1)
pulse_pid=$(cat "$QM_HARNESS/pulse.pid")

# Runs a Wine program that marks, and answers its marks. Readings go to $out.marks as
# "name process-ticks wineserver-ticks pulseaudio-ticks", thread samples to $out.threads.
run_marked() { # out exe-name program args...
    local out=$1 name=$2 pid= job handled=0 mark n=0
    shift 2
    rm -f "$sync"/*.ack "$out" "$out.marks" "$out.threads"
    "$WINE" "$@" "$sync_win" >"$out" 2>"$out.err" &
    job=$!
    while :; do
        local running=0
        kill -0 "$job" 2>/dev/null && running=1
        local marks
        marks=$(grep -c '^mark ' "$out" 2>/dev/null || true)
        while [ "$handled" -lt "${marks:-0}" ]; do
            handled=$((handled + 1))
            # The programs' stdout is in text mode: lines end in CR LF.
            mark=$(grep '^mark ' "$out" | sed -n "${handled}p" | tr -d '\r' | cut -d' ' -f2)
            [ -n "$pid" ] || pid=$(find_pid "$name")
            [ -n "$pid" ] || { echo "$0: no process runs $name" >&2; kill "$job"; return 1; }
            echo "$pid" >"$out.pid"
            echo "$mark $(ticks "$pid") $(ticks "$server_pid") $(ticks "$pulse_pid")" >>"$out.marks"
            threads "$pid" "$mark" >>"$out.threads"
            touch "$sync/$mark.ack"
        done
        [ "$running" = 1 ] || break
        # Threads that end before the next mark are seen at their last sample.
        n=$((n + 1))
        if [ -n "$pid" ] && [ $((n % 50)) = 0 ]; then threads "$pid" "sample" >>"$out.threads"; fi
        sleep 0.01
    done
    wait "$job" || { echo "$0: $* failed:" >&2; cat "$out.err" >&2; return 1; }
    sed -i 's/\r$//' "$out"
}

# Seconds of CPU between two marks: column 2 process, 3 wineserver, 4 pulseaudio.
between() { # marks-file from to column
    awk -v a="$2" -v b="$3" -v c="$4" -v hz="$hz" '$1 == a {x = $c} $1 == b {y = $c} END {printf "%.3f", (y - x) / hz}' "$1"
}

# The threads' CPU between two marks, largest first: per thread the last sample taken up to
# the end mark, less its reading at the start mark (zero for threads started since).
thread_rows() { # threads-file from to recorded-seconds process-pid
    awk -v a="$2" -v b="$3" -v hz="$hz" -v rec="$4" -v pid="$5" '
        $1 == a { base[$2] = $3; inside = 1; next }
        # A thread read as it ended gives no figure.
        inside && ($1 == "sample" || $1 == b) && $3 != "" { last[$2] = $3; name[$2] = $4 }
        $1 == b { inside = 0 }
        END {
            # The recording starts the capture thread, then the encoder thread, then the
            # audio library its own: by thread id, in that order.
            for (t in last)
                if (!(t in base) && name[t] == "Quillmoth.exe")
                    started[t] = 1
            for (t in started) {
                rank = 0
                for (u in started)
                    rank += u + 0 < t + 0
                role[t] = rank == 0 ? "capture" : rank == 1 ? "encoder" : "the audio library"
            }
            for (t in last) {
                old = t in base
                d = (last[t] - (old ? base[t] : 0)) / hz
                what = t == pid ? "main thread: the window" : old ? "already running" : \
                       t in role ? "started for the recording: " role[t] : "started for the recording"
                if (d > 0) printf "%8.2f s/min  %s %s (%s)\n", d * 60 / rec, name[t], t, what
            }
        }' "$1" | sort -rn
}

thread_table() { # threads-file from to recorded-seconds process-pid
    thread_rows "$@" | head -n 12
}

# The main thread's figure, s per recorded minute; 0 when it took no tick.
window_thread() { # threads-file from to recorded-seconds process-pid
    thread_rows "$@" | awk '/main thread/ {w = $1} END {printf "%.2f", w}'
}

value() { # file key: the key=value of the first matching result line
    grep -o "$2=[^ ]*" "$1" | head -n1 | cut -d= -f2
}

summary=$work/summary
: >"$summary"
for round in $(seq "$rounds"); do
    echo "== round $round of $rounds: $seconds s recordings"

    run_marked "$work/app.out" Quillmoth.exe "$bin/recorder_cpu_bench.exe" "$seconds"
    app_pid=$(cat "$work/app.out.pid")
    rec1=$(grep '^result recording=1' "$work/app.out" | grep -o 'seconds=[^ ]*' | cut -d= -f2)
    rec2=$(grep '^result recording=2' "$work/app.out" | grep -o 'seconds=[^ ]*' | cut -d= -f2)
    rec3=$(grep '^result recording=3' "$work/app.out" | grep -o 'seconds=[^ ]*' | cut -d= -f2)
    app_cpu=$(between "$work/app.out.marks" start1 end1 2)
    stop_cpu=$(between "$work/app.out.marks" start2 end2 2)
    idle_cpu=$(between "$work/app.out.marks" idle1 idle2 2)
    idle_span=$(value "$work/app.out" idle_s)
    app_probe_cpu=$(between "$work/app.out.marks" start3 end3 2)
    server_cpu=$(between "$work/app.out.marks" start1 end1 3)
    pulse_cpu=$(between "$work/app.out.marks" start1 end1 4)
    window1=$(window_thread "$work/app.out.threads" start1 end1 "$rec1" "$app_pid")
    window2=$(window_thread "$work/app.out.threads" start2 end2 "$rec2" "$app_pid")
    grep '^result probe=recording' "$work/app.out" >"$work/probe"
    grep '^result probe=idle' "$work/app.out" >"$work/idle"

    run_marked "$work/floor.out" pa_floor_bench.exe "$bin/pa_floor_bench.exe" "$seconds"
    floor_rec=$(value "$work/floor.out" seconds)
    floor_cpu=$(between "$work/floor.out.marks" start end 2)
    floor_own=$(value "$work/floor.out" own_cpu)

    "$WINE" "$bin/qmbench.exe" "$seconds" >"$work/qmbench.out" 2>"$work/qmbench.err" ||
        { echo "$0: qmbench failed:" >&2; cat "$work/qmbench.err" >&2; exit 1; }
    engine=$(sed -n 's/.*= \([0-9.]*\) s CPU per recorded minute.*/\1/p' "$work/qmbench.out")
    engine_open=$(sed -n 's/.*(\([0-9.]*\) s per minute without opening.*/\1/p' "$work/qmbench.out")

    awk -v app="$app_cpu" -v rec="$rec1" -v stop="$stop_cpu" -v srec="$rec2" -v probe="$app_probe_cpu" -v rec3="$rec3" \
        -v floor="$floor_cpu" -v frec="$floor_rec" -v own="$floor_own" -v engine="$engine" -v eopen="$engine_open" \
        -v server="$server_cpu" -v pulse="$pulse_cpu" -v idle="$idle_cpu" -v ispan="$idle_span" \
        -v w1="$window1" -v w2="$window2" -v round="$round" -v summary="$summary" '
        BEGIN {
            p = app * 60 / rec; s = stop * 60 / srec; pp = probe * 60 / rec3; f = floor * 60 / frec; fo = own * 60 / frec
            printf "CPU per recorded minute (user + system, every thread):\n"
            printf "  Quillmoth.exe, WAV 44100 Hz stereo 16-bit, level read-outs on, no automatic stop:\n"
            printf "    whole process %6.2f s  (%.2f s for %.1f s); window thread %.2f s\n", p, app, rec, w1
            printf "  the same, automatic stop after the length (the progress bar moves every block):\n"
            printf "    whole process %6.2f s  (%.2f s for %.1f s); window thread %.2f s\n", s, stop, srec, w2
            printf "  Quillmoth.exe idle, per minute, for comparison:                %6.2f s\n", idle * 60 / ispan
            printf "  automatic stop again, with the interface probe running:        %6.2f s\n", pp
            printf "  engine alone (qmbench, 48 kHz stereo WAV, in its own process): %6.2f s  (%s s once open)\n", engine, eopen
            printf "  bare read loop of the same stream (pa_floor_bench):            %6.2f s  (its own count: %.2f s)\n", f, fo
            printf "  outside the process, without automatic stop: wineserver %.2f s, pulseaudio %.2f s\n", server * 60 / rec, pulse * 60 / rec
            printf "Ratios, no automatic stop: program / engine %.2f, program / floor %.2f, (program - floor) / program %.0f %%\n", p / engine, p / f, (p - f) / p * 100
            printf "        automatic stop:    program / floor %.2f\n", s / f
            printf "%d %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f\n", round, p, pp, engine, f, p / f, (p - f) / p * 100, s, w1, w2 >> summary
        }'
    awk '{ for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
           printf "Interface thread, WM_NULL round trip every 50 ms while recording: median %s ms, 99th percentile %s ms, largest %s ms (%s s after Record), %s over 50 ms, of %s\n",
                  v["median_ms"], v["p99_ms"], v["max_ms"], v["max_at_s"], v["over50"], v["count"] }' "$work/probe"
    awk '{ for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
           printf "  the same while idle: median %s ms, largest %s ms, of %s\n", v["median_ms"], v["max_ms"], v["count"] }' "$work/idle"
    echo "Where the program's time went without automatic stop (per recorded minute, by thread):"
    thread_table "$work/app.out.threads" start1 end1 "$rec1" "$app_pid"
    echo "and with the automatic stop:"
    thread_table "$work/app.out.threads" start2 end2 "$rec2" "$app_pid"
    echo
done

if [ "$rounds" -gt 1 ]; then
    awk '
        function span(i) { return sprintf(i == 7 ? "%.0f-%.0f" : "%.2f-%.2f", lo[i], hi[i]) }
        { for (i = 2; i <= 10; ++i) { if (NR == 1 || $i < lo[i]) lo[i] = $i; if (NR == 1 || $i > hi[i]) hi[i] = $i } }
        END {
            printf "== %d rounds, per recorded minute (lowest-highest), no automatic stop: program %s s, window thread %s s, engine %s s, floor %s s; program / floor %s, program above the floor %s %%\n",
                   NR, span(2), span(9), span(4), span(5), span(6), span(7)
            printf "   automatic stop: program %s s, window thread %s s; with the probe %s s\n", span(8), span(10), span(3)
        }' "$summary"
fi
