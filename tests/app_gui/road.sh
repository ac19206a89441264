#!/usr/bin/env bash
# The MP3 and OGG Vorbis recordings the main-road test made through the window, two
# seconds each (an automatic stop), decoded and measured with Debian's tools.
# road.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
analyze=$here/../mp3ogg/analyze.py
road=$build/app-road
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if lame --decode --quiet "$road/take.mp3" "$road/take-mp3.wav"; then
    r=$(python3 "$analyze" "$road/take-mp3.wav" 2 2 1152 "$road/take.mp3" 128 joint) || fail "take.mp3: $r"
else
    fail "take.mp3 cannot be decoded"
fi
if oggdec --quiet -o "$road/take-ogg.wav" "$road/take.ogg"; then
    r=$(python3 "$analyze" "$road/take-ogg.wav" 2 2 2048) || fail "take.ogg: $r"
else
    fail "take.ogg cannot be decoded"
fi
echo "$((2 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
