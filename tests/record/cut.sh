#!/usr/bin/env bash
# Recordings cut short, by a full disk or by a killed process: what reached the disk is
# decoded with Debian's tools. The full disk is a file size limit (ulimit -f), which
# needs no mount rights: past it every write fails as on a full disk.
# cut.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
qmrec=$build/bin/qmrec.exe
work=$build/record-cut
rm -rf "$work"
mkdir -p "$work"
failures=0

win() { echo "Z:$1" | tr / '\\'; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
wine_run() { "$src/scripts/wine-run.sh" --build "$build" "$@"; }

# Frames of a WAV file as a decoder sees them, and the header's data size.
soxi_frames() { soxi -s "$1" 2>/dev/null || echo -1; }
data_size() { od -An -tu4 -j40 -N4 "$1" | tr -d ' '; }
riff_size() { od -An -tu4 -j4 -N4 "$1" | tr -d ' '; }

# Complete Ogg pages from the start, and the granule position of the last of them:
# "pages granule tail", tail being the bytes after the last complete page.
ogg_pages() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
pos = pages = granule = 0
while pos + 27 <= len(data) and data[pos:pos + 4] == b"OggS":
    count = data[pos + 26]
    if pos + 27 + count > len(data):
        break
    end = pos + 27 + count + sum(data[pos + 27:pos + 27 + count])
    if end > len(data):
        break
    pages += 1
    granule = struct.unpack_from("<q", data, pos + 6)[0]
    pos = end
print(pages, granule, len(data) - pos)
PY
}

# Complete MPEG-1 layer III frames from the start: "frames tail", tail being the bytes
# after the last complete frame.
mp3_frames() {
    python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
kbps = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0]
rates = [44100, 48000, 32000, 0]
pos = frames = 0
while pos + 4 <= len(data) and data[pos] == 0xFF and data[pos + 1] & 0xFE == 0xFA:
    bitrate, rate = kbps[data[pos + 2] >> 4], rates[(data[pos + 2] >> 2) & 3]
    if not bitrate or not rate:
        break
    length = 144000 * bitrate // rate + ((data[pos + 2] >> 1) & 1)
    if pos + length > len(data):
        break
    frames += 1
    pos += length
print(frames, len(data) - pos)
PY
}

# decoded_frames OGG: oggdec's output in frames, -1 when it cannot decode.
ogg_decoded_frames() {
    oggdec --quiet -o "$1.wav" "$1" 2>/dev/null || { echo -1; return; }
    soxi_frames "$1.wav"
}

# --- A full disk ----------------------------------------------------------------------

# full FORMAT KIB: ten seconds asked, the disk full after KIB KiB. Sets $out, $rc, $file.
full() {
    local format=$1 kib=$2
    file=$work/full-$format.$format
    out=$(cd "$work" && trap '' XFSZ && ulimit -f "$kib" &&
        timeout 120 "$src/scripts/wine-run.sh" --build "$build" "$qmrec" --seconds 10 --format "$format" \
            --name "full-$format" --dir "$(win "$work")" 2>&1)
    rc=$?
    [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || fail "full disk $format: exit $rc: $out"
    case "$out" in *"Automatically stop recording."*) fail "full disk $format: capture went on: $out" ;; esac
    [ -s "$file" ] || fail "full disk $format: no file"
}

# WAV: the header holds the whole frames on disk, and they are the signal.
full wav 300
size=$(stat -c %s "$file")
data=$(data_size "$file")
[ "$data" -gt 100000 ] && [ $((data % 4)) -eq 0 ] && [ "$size" -eq $((data + 44)) ] &&
    [ "$(riff_size "$file")" -eq $((data + 36)) ] ||
    fail "full disk wav: $size bytes, data size $data, RIFF size $(riff_size "$file")"
frames=$(soxi_frames "$file")
[ "$frames" -eq $((data / 4)) ] || fail "full disk wav: sox reads $frames frames of $((data / 4))"
r=$(python3 "$src/tests/mp3ogg/analyze.py" "$file" "$(echo "$data / 176400" | bc -l)" 2 1) ||
    fail "full disk wav: $r"

# OGG and MP3: one write error, a non-zero exit, a file that ends after its last whole
# page or frame, and what is on disk decodes.
for f in ogg mp3; do
    full $f 24
    n=$(printf '%s\n' "$out" | grep -c "^\[warning\] Output file write error")
    [ "$n" -eq 1 ] || fail "full disk $f: $n write errors: $out"
    case "$out" in *"[info] Done."*) ;; *) fail "full disk $f: no Done.: $out" ;; esac
done
read -r pages granule tail <<<"$(ogg_pages "$work/full-ogg.ogg")"
frames=$(ogg_decoded_frames "$work/full-ogg.ogg")
[ "$pages" -gt 3 ] && [ "$tail" -eq 0 ] && [ "$frames" -ge "$granule" ] && [ "$frames" -gt 0 ] ||
    fail "full disk ogg: $pages complete pages to frame $granule, $tail bytes more; oggdec gives $frames frames"
# The file ends after its last whole frame.
read -r frames tail <<<"$(mp3_frames "$work/full-mp3.mp3")"
[ "$frames" -gt 20 ] && [ "$tail" -eq 0 ] || fail "full disk mp3: $frames complete frames, $tail bytes more"
lame --decode --quiet "$work/full-mp3.mp3" "$work/full-mp3.wav" 2>/dev/null &&
    [ "$(soxi_frames "$work/full-mp3.wav")" -gt 22050 ] ||
    fail "full disk mp3: lame decodes $(soxi_frames "$work/full-mp3.wav") frames"

# --- A killed process -----------------------------------------------------------------

# OGG: killed once a few seconds are on disk, the file is complete pages only, and
# oggdec decodes all of them: the signal, up to the last page.
file=$work/killed.ogg
wine_run "$qmrec" --seconds 20 --format ogg --name killed --dir "$(win "$work")" >"$work/killed.log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
    [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -ge 16000 ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -9 "$pid" 2>/dev/null || fail "killed ogg: the recording ended before it was killed: $(cat "$work/killed.log")"
wait "$pid" 2>/dev/null
read -r pages granule tail <<<"$(ogg_pages "$file")"
frames=$(ogg_decoded_frames "$file")
[ "$tail" -eq 0 ] || fail "killed ogg: $tail bytes of an unfinished page after $pages pages"
[ "$granule" -gt 88200 ] && [ "$frames" -ge "$granule" ] ||
    fail "killed ogg: $pages pages to frame $granule; oggdec gives $frames frames"
r=$(python3 "$src/tests/mp3ogg/analyze.py" "$file.wav" "$(echo "$frames / 44100" | bc -l)" 2 1) ||
    fail "killed ogg: $r"

echo "$failures failures"
[ $failures -eq 0 ]
