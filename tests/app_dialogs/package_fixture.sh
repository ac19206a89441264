#!/usr/bin/env bash
# Builds the portable package of this build folder and unpacks it into a fresh folder
# whose name has blanks, as a user would anywhere; the dialog GUI test then runs that copy.
#   package_fixture.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
dist=$build/app_dialogs_dist
unpacked=$build/app_dialogs_unpacked

zip=$("$root/scripts/package.sh" "$build" "$dist" | tail -n 1)
[[ -f $zip ]] || { echo "no zip made" >&2; exit 1; }
listing=$(unzip -Z1 "$zip")
for f in Quillmoth.exe lame_enc.dll Tips.tip licenses/PortAudio-LICENSE.txt licenses/libogg-COPYING.txt \
    licenses/libvorbis-COPYING.txt licenses/LAME-COPYING.txt; do
    grep -q "^[^/]*/$f\$" <<<"$listing" || { echo "the zip lacks $f" >&2; exit 1; }
done

rm -rf "$unpacked"
here="$unpacked/Unpacked copy"
mkdir -p "$here"
unzip -q "$zip" -d "$here"
ls "$here"/*/Quillmoth.exe
