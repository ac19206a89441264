#!/usr/bin/env bash
# MP3 and OGG Vorbis files recorded by the driver from the harness's signal, decoded
# and measured with Debian's tools; and the encoder library's failure paths.
# check.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
bin=$build/bin
work=$build/mp3ogg-check
rm -rf "$work"
mkdir -p "$work"
failures=0
checks=0

win() { echo "Z:$1" | tr / '\\'; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Recordings run this many at a time; each writes its failures to a file of its own.
parallel=${QM_CHECK_JOBS:-4}
mkdir -p "$work/results"
# job NAME FUNCTION ARGS...: runs the check in the background, its failures in results/NAME.
job() {
    local name=$1
    shift
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
    (
        failures=0
        checks=0
        "$@"
        echo "$checks $failures" >"$work/results/$name"
    ) &
}
# Waits for the background checks and adds up their counts.
collect() {
    wait
    local f c n
    for f in "$work"/results/*; do
        [ -f "$f" ] || continue
        read -r c n <"$f"
        checks=$((checks + c))
        failures=$((failures + n))
        rm -f "$f"
    done
}

# drive EXE ARGS...: runs the driver under Wine; its output in $out, exit code in $rc.
drive() {
    local exe=$1
    shift
    out=$(cd "${cwd:-$work}" && timeout 120 "$src/scripts/wine-run.sh" --build "$build" "$exe" "$@" 2>&1)
    rc=$?
    checks=$((checks + 1))
}

# record NAME FORMAT ARGS...: one second into $work/NAME.FORMAT.
record() {
    local name=$1 format=$2
    shift 2
    drive "$bin/qmrec.exe" --seconds 1 --format "$format" --name "$name" --dir "$(win "$work")" "$@"
    [ $rc -eq 0 ] || { fail "$name: exit $rc: $out"; return 1; }
    case "$out" in *"[warning]"* | *"[error]"*) fail "$name: $out"; return 1 ;; esac
    [ -s "$work/$name.$format" ] || { fail "$name: no file"; return 1; }
}

# mp3 NAME CHANNELS BITRATE MODE RATE ARGS...: RATE is the file's, which only a bitrate
# that MP3 lacks at the input rate moves.
mp3() {
    local name=$1 channels=$2 bitrate=$3 mode=$4 rate=$5
    shift 5
    record "$name" mp3 --channels "$channels" "$@" || return
    lame --decode --quiet "$work/$name.mp3" "$work/$name.wav" || { fail "$name: lame cannot decode it"; return; }
    local r
    r=$(python3 "$here/analyze.py" "$work/$name.wav" 1 "$channels" 1152 "$work/$name.mp3" "$bitrate" "$mode" \
        "$rate") || fail "$name: $r"
}

# ogg NAME CHANNELS RATE ARGS...
ogg() {
    local name=$1 channels=$2 rate=$3
    shift 3
    record "$name" ogg --channels "$channels" --rate "$rate" "$@" || return
    local info r
    info=$(ogginfo "$work/$name.ogg") || { fail "$name: ogginfo: $info"; return; }
    case "$info" in *"Channels: $channels"*"Rate: $rate"*) ;; *) fail "$name: ogginfo: $info"; return ;; esac
    oggdec --quiet -o "$work/$name.wav" "$work/$name.ogg" || { fail "$name: oggdec cannot decode it"; return; }
    r=$(python3 "$here/analyze.py" "$work/$name.wav" 1 "$channels" 2048) || fail "$name: $r"
}

# Every bitrate (joint stereo), the stereo modes, mono.
for b in 8 16 24 32 40 48 56 64 80 96 112 128 160 192; do
    rate=44100
    [ "$b" -lt 32 ] && rate=22050
    job "b$b" mp3 "b$b" 2 "$b" joint $rate --bitrate "$b"
done
for m in stereo joint dual; do
    job "m$m" mp3 "m$m" 2 128 "$m" 44100 --mode "$m"
done
job mono mp3 mono 1 128 mono 44100 --mode dual
# Every quality.
for q in -1 0 1 2 3 4 5 6; do
    job "q$q" ogg "q$q" 2 44100 --quality "$q"
done
# Every rate with both channel counts.
for r in 8000 11025 12000 16000 22050 24000 32000 44100 48000; do
    job "mp3-r${r}c1" mp3 "r${r}c1" 1 64 mono $r --rate $r --bitrate 64
    job "mp3-r${r}c2" mp3 "r${r}c2" 2 64 joint $r --rate $r --bitrate 64
    job "ogg-r${r}c1" ogg "r${r}c1" 1 $r
    job "ogg-r${r}c2" ogg "r${r}c2" 2 $r
done
collect

# A name the ANSI code page cannot hold still gets its tag, and no other file appears.
mkdir -p "$work/foreign"
drive "$bin/qmrec.exe" --seconds 1 --format mp3 --name "Ωμέγα 中" --dir "$(win "$work/foreign")"
files=$(ls "$work/foreign")
[ $rc -eq 0 ] && [ "$files" = "Ωμέγα 中.mp3" ] || fail "foreign name: exit $rc, files: $files; $out"
head -c 64 "$work/foreign/Ωμέγα 中.mp3" 2>/dev/null | grep -qa Info || fail "foreign name: no tag"

# The library is loaded from the program's folder only: a copy of the driver beside no
# library fails although the current folder holds one. No --seconds: capture must stop.
lib=$work/lib
mkdir -p "$lib/out" "$work/cwd"
cp "$bin/qmrec.exe" "$lib/"
cp "$bin/lame_enc.dll" "$work/cwd/"
# library WHAT EXPECTED: runs the copy and compares its warnings, errors and infos.
library() {
    rm -f "$lib"/out/*
    cwd=$work/cwd drive "$lib/qmrec.exe" --format mp3 --dir "$(win "$lib/out")"
    local got
    got=$(printf '%s\n' "$out" | tr -d '\r' | grep -E '^\[(warning|error|info)\]')
    [ "$got" = "$2" ] || fail "$1: got [$got], exit $rc"
    [ $rc -ne 124 ] || fail "$1: capture did not stop"
    [ -z "$(ls "$lib/out")" ] || fail "$1: a file was left: $(ls "$lib/out")"
}
library "no library" "[warning] Error loading lame_enc.dll.
[warning] Unable to get LAME interfaces.
[info] Done."
# Libraries that forward to the real one, each lacking one entry point.
cp "$bin/lame_enc.dll" "$lib/lame_real.dll"
cp "$bin/lame_noencode.dll" "$lib/lame_enc.dll"
library "no beEncodeChunkFloatS16NI" "[warning] Unable to get LAME interfaces.
[info] Done."
cp "$bin/lame_noinfotag.dll" "$lib/lame_enc.dll"
drive "$lib/qmrec.exe" --seconds 1 --format mp3 --dir "$(win "$lib/out")"
[ $rc -eq 0 ] || fail "no beWriteInfoTag: exit $rc: $out"
head -c 64 "$lib/out/Untitled.mp3" 2>/dev/null | grep -qa Info || fail "no beWriteInfoTag: no tag"

# A full disk: one warning per recording, capture stops, the file is closed.
full=$work/full
mkdir -p "$full"
if mount -t tmpfs -o size=8k tmpfs "$full" 2>/dev/null; then
    for f in mp3 ogg; do
        drive "$bin/qmrec.exe" --seconds 3 --format $f --dir "$(win "$full")"
        n=$(printf '%s\n' "$out" | grep -c "^\[warning\] Output file write error")
        [ "$n" -eq 1 ] || fail "full disk $f: $n write errors: $out"
        [ $rc -ne 0 ] || fail "full disk $f: exit 0"
        case "$out" in *"[info] Done."*) ;; *) fail "full disk $f: no Done.: $out" ;; esac
        case "$out" in *"Automatically stop recording."*) fail "full disk $f: capture went on" ;; esac
        rm -f "$full"/*
    done
    umount "$full"
else
    echo "note: no tmpfs (not root?): the full-disk checks were skipped"
fi

echo "$checks recordings, $failures failures"
[ $failures -eq 0 ]
