#!/usr/bin/env bash
# MP3 and OGG Vorbis recordings the program made through its window, two seconds each (an
# automatic stop), decoded and measured with Debian's tools: by default the main-road
# test's, in app-road; the package test names the one its unpacked copy made.
# road.sh BUILD_DIR [FOLDER FILE...]   (FOLDER inside BUILD_DIR)
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
analyze=$here/../mp3ogg/analyze.py
road=$build/${2:-app-road}
shift $(($# > 1 ? 2 : 1))
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(take.mp3 take.ogg)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for f in "${files[@]}"; do
    decoded=$road/${f%.*}-${f##*.}.wav
    case $f in
    *.mp3)
        if lame --decode --quiet "$road/$f" "$decoded"; then
            r=$(python3 "$analyze" "$decoded" 2 2 1152 "$road/$f" 128 joint) || fail "$f: $r"
        else
            fail "$f cannot be decoded"
        fi
        ;;
    *.ogg)
        if oggdec --quiet -o "$decoded" "$road/$f"; then
            r=$(python3 "$analyze" "$decoded" 2 2 2048) || fail "$f: $r"
        else
            fail "$f cannot be decoded"
        fi
        ;;
    esac
done
echo "$((${#files[@]} - failures)) passed, $failures failed"
[ $failures -eq 0 ]
