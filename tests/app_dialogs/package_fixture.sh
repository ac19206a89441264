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
    licenses/libvorbis-COPYING.txt licenses/LAME-COPYING.txt licenses/mingw-w64-copyright.txt \
    licenses/winpthreads-copyright.txt licenses/GCC-copyright.txt licenses/GCC-GPL-3.txt; do
    grep -q "^[^/]*/$f\$" <<<"$listing" || { echo "the zip lacks $f" >&2; exit 1; }
done
# LAME's licence: the shipped library's source and its build script, named by the notice.
for f in 'lame_[^/]*\.dsc' 'lame_[^/]*\.orig\.tar\.[a-z0-9]*' 'lame_[^/]*\.debian\.tar\.[a-z0-9]*' 'build-lame\.sh'; do
    grep -q "^[^/]*/source/LAME/$f\$" <<<"$listing" || { echo "the zip lacks source/LAME/$f" >&2; exit 1; }
done

rm -rf "$unpacked"
here="$unpacked/Unpacked copy"
mkdir -p "$here"
unzip -q "$zip" -d "$here"
ls "$here"/*/Quillmoth.exe
notice=$(tr -d '\r' <"$here"/*/licenses/README.txt)
grep -q "source/LAME" <<<"$notice" || { echo "licenses/README.txt does not say where LAME's source is" >&2; exit 1; }
# The posix thread model links winpthreads into the program, whose licence asks for its
# notice beside the binary.
triplet=$(cat "$build/qm-arch")-w64-mingw32
symbols=$("$triplet-nm" "$build/bin/Quillmoth.exe")
if grep -qE ' T _?pthread_mutex_lock$' <<<"$symbols"; then
    grep -q "winpthreads.*winpthreads-copyright.txt" <<<"$notice" ||
        { echo "licenses/README.txt does not name winpthreads, which the program links" >&2; exit 1; }
    grep -q "mingw-w64 project" "$here"/*/licenses/winpthreads-copyright.txt ||
        { echo "licenses/winpthreads-copyright.txt lacks winpthreads' notice" >&2; exit 1; }
fi
# The shipped binaries carry no debugging sections.
for f in Quillmoth.exe lame_enc.dll; do
    sections=$("$triplet-objdump" -h "$here"/*/"$f")
    if grep -q '\.debug_' <<<"$sections"; then
        echo "the package's $f has debugging sections" >&2
        exit 1
    fi
done
# The package's source unpacks into the tree lame_enc.dll was built from.
(cd "$unpacked" && dpkg-source -x "$here"/*/source/LAME/lame_*.dsc lame-src >/dev/null) ||
    { echo "source/LAME does not unpack" >&2; exit 1; }
[[ -f $unpacked/lame-src/Dll/BladeMP3EncDLL.c ]] || { echo "source/LAME lacks the DLL's source" >&2; exit 1; }
